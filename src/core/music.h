#pragma once

#include <filesystem>
#include <vector>

namespace dv {

struct Game;

// Background music by scene number (1 title, 2 castle town, 3 outskirts, ...; 0 silence).
class MusicPlayer {
  public:
    virtual ~MusicPlayer() = default;
    // Stops what plays and starts the file from its beginning, looping until the next
    // call; an empty file is silence. A file that cannot be played is silence too.
    virtual void play(int scene, const std::filesystem::path& file) = 0;
    virtual void stop() = 0;
};

// Keeps the requests without sound (the headless game).
class SilentMusic : public MusicPlayer {
  public:
    void play(int scene, const std::filesystem::path& file) override {
        scenes.push_back(scene);
        files.push_back(file);
    }
    void stop() override {
        scenes.push_back(0);
        files.emplace_back();
    }
    // Every scene asked for, 0 for a stop, and the file it was given.
    std::vector<int> scenes;
    std::vector<std::filesystem::path> files;
};

// Starts the scene's music from the settings (every call restarts it, even the music
// that already plays); scene 0, or one without a file, stops the music.
void PlayScene(Game& game, int scene);
void StopMusic(Game& game);

}  // namespace dv
