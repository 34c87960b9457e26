#include "town/town_return.h"

#include "characters/party.h"
#include "core/command_menu.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/screens.h"
#include "dungeon/dungeon_controls.h"
#include "town/ending.h"

namespace dv {

void ShowTownAfterReturn(Game& game) {
    // Without windows (the bot) only the party and the ending are the town's to settle.
    if (!game.screens || !game.screens->main) {
        RebuildParty(game);
        EndingOnReturn(game);
        return;
    }
    MainWindow& main = *game.screens->main;
    main.picMap.setVisible(false);
    HideMoveMark(game);
    PlayScene(game, 2);
    BuildMenu(game, 8);
    RebuildParty(game);
    main.setTitle(MainWindow::kTownTitle);
    EndingOnReturn(game);
}

}  // namespace dv
