#pragma once

// The music player of the real game, through SDL2_mixer: MIDI files are synthesised with
// a General MIDI sound font, and the other formats SDL2_mixer reads play as they are.
// Without a sound device the game goes on in silence; it says so once on standard error.

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/music.h"

struct _Mix_Music;

namespace dv {

// The first General MIDI sound font found: one the player put in the game folder, then the
// usual system folders. Empty when there is none.
std::filesystem::path FindSoundFont(const std::filesystem::path& gameDir,
                                    const std::vector<std::filesystem::path>& systemFolders);
// The folders sound fonts are installed in (the distribution's package puts one in the first).
std::vector<std::filesystem::path> SystemSoundFontFolders();

class SdlMusic : public MusicPlayer {
  public:
    struct Options {
        std::filesystem::path gameDir;
        std::vector<std::filesystem::path> soundFontFolders = SystemSoundFontFolders();
        // Where the player's notes go (standard error by default).
        std::function<void(const std::string&)> report;
    };
    explicit SdlMusic(Options options);
    ~SdlMusic() override;
    SdlMusic(const SdlMusic&) = delete;
    SdlMusic& operator=(const SdlMusic&) = delete;

    void play(int scene, const std::filesystem::path& file) override;
    void stop() override;

    // Whether a sound device is open.
    bool audible() const { return open_; }
    // The file that plays now (empty: silence).
    const std::filesystem::path& playing() const { return playing_; }
    // The sound font given to the synthesiser: the player's own choice in SDL_SOUNDFONTS,
    // else the one found (empty: none).
    const std::filesystem::path& soundFont() const { return soundFont_; }
    // How many times a file was started from its beginning.
    int starts() const { return starts_; }

  private:
    void say(const std::string& text);
    void release();

    Options options_;
    bool audioInit_ = false;
    bool open_ = false;
    std::filesystem::path soundFont_;
    std::filesystem::path playing_;
    _Mix_Music* music_ = nullptr;
    int starts_ = 0;
    // Files already reported as unplayable, so each is named once.
    std::set<std::filesystem::path> reported_;
};

}  // namespace dv
