#include "app/game_app.h"

#include <cstdio>
#include <string>

#include "app/startup.h"
#include "app/wiring.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/skin_pictures.h"
#include "ui/keys.h"
#include "ui/termination.h"

namespace dv {

namespace {
constexpr const char* kUnexpectedError = "予期しないエラーが起きたため、操作を取りやめました";
}  // namespace

GameApp::GameApp(Backend& backend, std::filesystem::path programDir,
                 std::filesystem::path configDir, std::uint64_t seed)
    : ui_(backend), game_(std::make_unique<Game>()), settings_(configDir) {
    Game& g = *game_;
    g.programDir = std::move(programDir);
    g.configDir = std::move(configDir);
    g.rng.seed(seed);
    g.settings = &settings_;
    g.music = &music_;

    title_ = std::make_unique<TitleWindow>(ui_, std::string(Message(1)));
    main_ = std::make_unique<GameWindow>(ui_, g);
    inpBox_ = std::make_unique<MessageDialog>(ui_, g, "dlgInpBox");
    inpBox2_ = std::make_unique<MessageDialog>(ui_, g, "dlgInpBox2");
    screens_.ui = &ui_;
    screens_.title = title_.get();
    screens_.main = main_.get();
    screens_.inpBox = inpBox_.get();
    screens_.inpBox2 = inpBox2_.get();
    g.screens = &screens_;
    WireRooms(g, *main_);

    screens_.skin = LoadSkinPictures(g.programDir);
    main_->dress(screens_.skin);
    inpBox_->dress(screens_.skin);
    inpBox2_->dress(screens_.skin);

    // Any error that reaches the event loop abandons the action it interrupted and is
    // shown; the game goes on. A rule whose numbers would leave their field says which.
    ui_.onActionError = [this](std::exception_ptr error) {
        std::string text;
        try {
            std::rethrow_exception(error);
        } catch (const FieldRangeError& e) {
            text = e.what();
        } catch (const std::exception& e) {
            text = std::string(kUnexpectedError) + "\n" + e.what();
        } catch (...) {
            text = kUnexpectedError;
        }
        std::fprintf(stderr, "dalvenor: %s\n", text.c_str());
        ShowMessage(*game_, text);
        return true;
    };

    // A signal ends the game wherever it waits: through the shutdown steps (the save
    // included) once start-up is done; before that nothing was changed, so nothing is
    // written.
    ui_.onTerminate = [this] {
        if (!started_) {
            ui_.quit();
            throw GameEnded{};
        }
        QuitGame(*game_);
    };
    // The title's close box ends the game like the main window's.
    title_->onCloseRequest = [this] {
        if (started_) QuitGame(*game_);
    };

    // Full screen on Alt+Enter and F11, wherever the game is.
    ui_.onGlobalKey = [this](const InputEvent& ev) {
        bool altEnter = ev.keyCode == keys::Enter && (ev.shift & shiftbits::Alt);
        if (!altEnter && ev.keyCode != keys::F11) return false;
        ui_.backend().toggleFullscreen();
        return true;
    };
}

GameApp::~GameApp() {
    // Windows go before the window system they belong to.
    screens_.spareDialogs.clear();
    inpBox2_.reset();
    inpBox_.reset();
    main_.reset();
    title_.reset();
}

bool GameApp::startUp() {
    try {
        started_ = StartUp(*game_);
    } catch (const GameEnded&) {
        // Ended while start-up waited on a message: nothing was changed or saved.
        started_ = false;
    }
    return started_;
}

void GameApp::run() {
    ui_.run();
}

}  // namespace dv
