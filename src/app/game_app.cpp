#include "app/game_app.h"

#include <string>

#include "app/startup.h"
#include "app/wiring.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/skin_pictures.h"
#include "ui/keys.h"

namespace dv {

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

    // A rule whose numbers would leave their field abandons the action and says so; the
    // game goes on.
    ui_.onActionError = [this](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const FieldRangeError& e) {
            ShowMessage(*game_, e.what());
            return true;
        } catch (...) {
            return false;
        }
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
    return StartUp(*game_);
}

void GameApp::run() {
    ui_.run();
}

}  // namespace dv
