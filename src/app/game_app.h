#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "app/game_window.h"
#include "app/title_window.h"
#include "core/game.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "core/settings_store.h"
#include "ui/window_system.h"

namespace dv {

// One running game: its state, its windows and the window system, over a backend (the
// real window, or a script in tests).
class GameApp {
  public:
    GameApp(Backend& backend, std::filesystem::path programDir, std::filesystem::path configDir,
            std::uint64_t seed);
    ~GameApp();

    // The start-up steps; false when the game cannot start (the player was told why) or
    // was asked to end while starting (then ui().quitting()).
    bool startUp();
    // The event loop, until the game ends.
    void run();

    Game& game() { return *game_; }
    Ui& ui() { return ui_; }
    Screens& screens() { return screens_; }
    SettingsStore& settings() { return settings_; }
    SilentMusic& music() { return music_; }
    // Plays through another player (the real one); the silent one is the default.
    void useMusic(MusicPlayer& player) { game_->music = &player; }
    GameWindow& mainWindow() { return *main_; }
    TitleWindow& titleWindow() { return *title_; }

  private:
    Ui ui_;
    std::unique_ptr<Game> game_;
    SettingsStore settings_;
    SilentMusic music_;
    Screens screens_;
    std::unique_ptr<TitleWindow> title_;
    std::unique_ptr<GameWindow> main_;
    std::unique_ptr<MessageDialog> inpBox_;
    std::unique_ptr<MessageDialog> inpBox2_;
    bool started_ = false;
};

}  // namespace dv
