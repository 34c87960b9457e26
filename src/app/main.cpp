// The game executable: runs from its own folder, beside its data files and save.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <random>
#include <utility>

#include "app/game_app.h"
#include "app/instance_lock.h"
#include "app/sdl_music.h"
#include "core/data/dice.h"
#include "core/data/message.h"
#include "core/data/save_folder.h"
#include "core/settings_store.h"
#include "core/window_settings.h"
#include "ui/sdl_backend.h"
#include "ui/termination.h"

namespace {

std::filesystem::path programDirectory(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0);
    return exe.parent_path();
}

}  // namespace

int main(int /*argc*/, char** argv) {
    using namespace dv;
    std::filesystem::path dir = programDirectory(argv[0]);

    // The save stays beside the executable unless that folder is read-only.
    SaveFolder saveFolder = ChooseSaveFolder(dir, DefaultDataFolder());
    // A second copy sharing this save ends at once, without a word.
    InstanceLock lock(saveFolder.dir);
    if (!lock.acquired()) return 0;

    try {
        std::filesystem::path configDir = SettingsStore::defaultFolder();
        SettingsStore stored(configDir);

        // A logout, Ctrl+C or a closed terminal ends the game through its shutdown steps.
        InstallTerminationSignals();
        SdlBackend backend(std::string(Message(1)), StoredWindowWish(stored));
        SdlMusic::Options sound;
        sound.gameDir = dir;
        SdlMusic music(std::move(sound));
        GameApp app(backend, dir, configDir, seedFromEntropy());
        app.useMusic(music);
        app.game().saveFolder = saveFolder;
        if (!app.startUp()) return app.ui().quitting() ? 0 : 1;
        app.run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dalvenor: %s\n", e.what());
        return 1;
    }
    return 0;
}
