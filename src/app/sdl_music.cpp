#include "app/sdl_music.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace dv {

namespace {

std::string lowerExtension(const std::filesystem::path& p) {
    std::string ext = p.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

bool isSoundFont(const std::filesystem::path& p) {
    std::error_code ec;
    const std::string ext = lowerExtension(p);
    return (ext == ".sf2" || ext == ".sf3") && std::filesystem::is_regular_file(p, ec);
}

bool isMidi(const std::filesystem::path& p) {
    const std::string ext = lowerExtension(p);
    return ext == ".mid" || ext == ".midi" || ext == ".rmi";
}

// The sound fonts of a folder, the General MIDI sets the distributions ship first.
std::filesystem::path soundFontIn(const std::filesystem::path& dir) {
    std::error_code ec;
    for (const char* known : {"TimGM6mb.sf2", "default-GM.sf2", "FluidR3_GM.sf2"}) {
        if (isSoundFont(dir / known)) return dir / known;
    }
    std::vector<std::filesystem::path> found;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (isSoundFont(it->path())) found.push_back(it->path());
    }
    if (found.empty()) return {};
    std::sort(found.begin(), found.end());
    return found.front();
}

// A Standard MIDI File, or one wrapped in RIFF.
bool startsLikeMidi(const std::filesystem::path& p) {
    char head[4] = {};
    std::ifstream in(p, std::ios::binary);
    in.read(head, 4);
    const std::string magic(head, 4);
    return in && (magic == "MThd" || magic == "RIFF");
}

void toStandardError(const std::string& text) {
    std::fprintf(stderr, "dalvenor: %s\n", text.c_str());
}

}  // namespace

std::vector<std::filesystem::path> SystemSoundFontFolders() {
    std::vector<std::filesystem::path> folders = {"/usr/share/sounds/sf2", "/usr/share/soundfonts",
                                                  "/usr/local/share/soundfonts",
                                                  "/usr/share/sounds/sf3"};
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        folders.push_back(std::filesystem::path(data) / "soundfonts");
    else if (const char* home = std::getenv("HOME"); home && *home)
        folders.push_back(std::filesystem::path(home) / ".local/share/soundfonts");
    return folders;
}

std::filesystem::path FindSoundFont(const std::filesystem::path& gameDir,
                                    const std::vector<std::filesystem::path>& systemFolders) {
    // A sound font the player put beside the game wins over the installed ones.
    if (!gameDir.empty()) {
        if (auto own = soundFontIn(gameDir); !own.empty()) return own;
    }
    for (const auto& dir : systemFolders) {
        if (auto found = soundFontIn(dir); !found.empty()) return found;
    }
    return {};
}

SdlMusic::SdlMusic(Options options) : options_(std::move(options)) {
    if (!options_.report) options_.report = toStandardError;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        say(std::string("音を出す装置が使えないため、音楽なしで続けます（") + SDL_GetError() +
            "）");
        return;
    }
    audioInit_ = true;
    // Formats whose decoder is missing are found out file by file.
    Mix_Init(MIX_INIT_MID | MIX_INIT_OGG | MIX_INIT_MP3 | MIX_INIT_FLAC);
    // The player's own choice of sound fonts (SDL_SOUNDFONTS) wins over the ones found.
    // Always set, so no choice of an earlier player lingers in the mixer.
    const char* own = SDL_getenv("SDL_SOUNDFONTS");
    soundFont_ = own && *own ? std::filesystem::path(own)
                             : FindSoundFont(options_.gameDir, options_.soundFontFolders);
    Mix_SetSoundFonts(soundFont_.empty() ? nullptr : soundFont_.c_str());
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        say(std::string("音を出す装置が使えないため、音楽なしで続けます（") + Mix_GetError() +
            "）");
        return;
    }
    open_ = true;
    worker_ = std::thread([this] { work(); });
}

SdlMusic::~SdlMusic() {
    if (worker_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        worker_.join();
    }
    release();
    if (open_) Mix_CloseAudio();
    if (audioInit_) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SdlMusic::say(const std::string& text) {
    options_.report(text);
}

void SdlMusic::release() {
    if (!music_) return;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
    playing_.clear();
}

void SdlMusic::play(int /*scene*/, const std::filesystem::path& file) {
    if (!open_) return;
    {
        std::lock_guard lock(mutex_);
        pending_ = file;
        ++generation_;
    }
    wake_.notify_one();
}

void SdlMusic::stop() {
    play(0, {});
}

void SdlMusic::waitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

std::filesystem::path SdlMusic::playing() const {
    std::lock_guard lock(mutex_);
    return playing_;
}

int SdlMusic::starts() const {
    std::lock_guard lock(mutex_);
    return starts_;
}

void SdlMusic::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || pending_; });
        if (quit_) return;
        const std::filesystem::path file = *pending_;
        pending_.reset();
        const std::uint64_t asked = generation_;
        busy_ = true;
        // Every request starts over: what plays stops, even when the same file comes again.
        release();
        if (!file.empty()) {
            // Reading a file (and the synthesiser's sound font) takes a while: the game
            // goes on meanwhile, and a newer request replaces this one.
            lock.unlock();
            Mix_Music* music = load(file);
            lock.lock();
            if (music && (asked != generation_ || quit_)) {
                Mix_FreeMusic(music);
            } else if (music) {
                // -1: the music loops until the next scene.
                if (Mix_PlayMusic(music, -1) == 0) {
                    music_ = music;
                    playing_ = file;
                    ++starts_;
                } else {
                    Mix_FreeMusic(music);
                    unplayable(file, Mix_GetError());
                }
            }
        }
        busy_ = false;
        if (!pending_) idle_.notify_all();
    }
}

void SdlMusic::unplayable(const std::filesystem::path& file, const std::string& why) {
    if (!reported_.insert(file).second) return;
    say("音楽ファイル「" + file.string() + "」を再生できません（" + why + "）");
}

Mix_Music* SdlMusic::load(const std::filesystem::path& file) {
    std::error_code ec;
    // Only plain files: a pipe or a device would wait forever for its data.
    if (!std::filesystem::is_regular_file(file, ec)) {
        unplayable(file, "ファイルがありません");
        return nullptr;
    }
    Mix_Music* music = Mix_LoadMUS(file.c_str());
    if (!music) {
        std::string why = Mix_GetError();
        if (isMidi(file)) why += "。MIDI を鳴らすには音色ファイル（サウンドフォント）が要ります";
        unplayable(file, why);
        return nullptr;
    }
    // The synthesiser takes any bytes for MIDI and plays nothing: say what is wrong.
    if (Mix_GetMusicType(music) == MUS_MID && !startsLikeMidi(file)) {
        Mix_FreeMusic(music);
        unplayable(file, "MIDI のファイルではありません");
        return nullptr;
    }
    return music;
}

}  // namespace dv
