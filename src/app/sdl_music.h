#pragma once

// The music player of the real game, through SDL2_mixer: MIDI files are synthesised with
// a General MIDI sound font, and the other formats SDL2_mixer reads play as they are.
// Without a sound device the game goes on in silence; it says so once on standard error.

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/music.h"

struct _Mix_Music;
using Mix_Music = _Mix_Music;

namespace dv {

// The first General MIDI sound font found: one the player put in the game folder, then the
// usual system folders. Empty when there is none.
std::filesystem::path FindSoundFont(const std::filesystem::path& gameDir,
                                    const std::vector<std::filesystem::path>& systemFolders);
// The folders sound fonts are installed in (the distribution's package puts one in the first).
std::vector<std::filesystem::path> SystemSoundFontFolders();

// Files are read and started by a thread of the player's own, so a scene change never
// waits for the synthesiser to load its sound font; only the newest request is carried out.
class SdlMusic : public MusicPlayer {
  public:
    struct Options {
        std::filesystem::path gameDir;
        std::vector<std::filesystem::path> soundFontFolders = SystemSoundFontFolders();
        // Where the player's notes go (standard error by default); called from the
        // player's thread.
        std::function<void(const std::string&)> report;
    };
    explicit SdlMusic(Options options);
    ~SdlMusic() override;
    SdlMusic(const SdlMusic&) = delete;
    SdlMusic& operator=(const SdlMusic&) = delete;

    void play(int scene, const std::filesystem::path& file) override;
    void stop() override;
    // Waits until the newest request has been carried out.
    void waitIdle();

    // Whether a sound device is open.
    bool audible() const { return open_; }
    // The file that plays now (empty: silence).
    std::filesystem::path playing() const;
    // The sound font given to the synthesiser: the player's own choice in SDL_SOUNDFONTS,
    // else the one found (empty: none).
    const std::filesystem::path& soundFont() const { return soundFont_; }
    // How many times a file was started from its beginning.
    int starts() const;

  private:
    void say(const std::string& text);
    void work();
    Mix_Music* load(const std::filesystem::path& file);
    void unplayable(const std::filesystem::path& file, const std::string& why);
    void release();

    Options options_;
    bool audioInit_ = false;
    bool open_ = false;
    std::filesystem::path soundFont_;

    // Shared with the player's thread.
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<std::filesystem::path> pending_;
    std::uint64_t generation_ = 0;
    bool busy_ = false;
    bool quit_ = false;
    std::filesystem::path playing_;
    Mix_Music* music_ = nullptr;
    int starts_ = 0;
    // The player's thread only: files already reported as unplayable, each named once.
    std::set<std::filesystem::path> reported_;
    std::thread worker_;
};

}  // namespace dv
