#include "app/game_window.h"

#include "app/startup.h"
#include "core/game.h"
#include "core/screens.h"

namespace dv {

GameWindow::GameWindow(Ui& ui, Game& game) : MainWindow(ui, game), dungeonControls(*this, game) {
    // The close box runs the same shutdown as the outskirts' quit entry.
    onCloseRequest = [this] { CloseMainWindow(game_); };
    creation.attach(*this, game);
    party.attach(*this, game);
    dungeonControls.install();
    battle.attach(*this, game);
}

void GameWindow::dress(const SkinPictures& skin) {
    MainWindow::dress(skin);
    creation.dress(skin);
    party.dress(skin);
    battle.dress(skin);
}

}  // namespace dv
