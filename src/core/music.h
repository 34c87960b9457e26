#pragma once

#include <vector>

namespace dv {

struct Game;

// Background music by scene number (1 title, 2 castle town, 3 outskirts, ...).
class MusicPlayer {
  public:
    virtual ~MusicPlayer() = default;
    virtual void play(int scene) = 0;
    virtual void stop() = 0;
};

// Keeps the requests without sound (the headless game, and until music files exist).
class SilentMusic : public MusicPlayer {
  public:
    void play(int scene) override { scenes.push_back(scene); }
    void stop() override { scenes.push_back(0); }
    // Every scene asked for, 0 for a stop.
    std::vector<int> scenes;
};

void PlayScene(Game& game, int scene);
void StopMusic(Game& game);

}  // namespace dv
