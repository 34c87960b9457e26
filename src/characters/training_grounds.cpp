#include "characters/training_grounds.h"

#include "characters/creation_screen.h"
#include "characters/roster_window.h"
#include "core/command_menu.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"

namespace dv {

int CountAndTidyRoster(Game& game) {
    int n = 0;
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        Character& c = game.save.roster[static_cast<size_t>(slot)];
        if (c.rosterId < 1)
            c = game.save.roster[0];
        else
            ++n;
    }
    return n;
}

void ChooseTrainingEntry(Game& game, int entry) {
    MainWindow& m = *game.screens->main;
    switch (entry) {
        case 0:
            game.screens->part<CreationScreen>().start();
            break;
        case 1:
            if (CountAndTidyRoster(game) == 0) {
                ShowMessage(game, "キャラクターはいません");
                break;
            }
            PickCharacter(game, kPickInspect, &m);
            break;
        case 2:
            PickCharacter(game, kPickDelete, &m);
            SaveGame(game);
            break;
        case 3:
            if (CountAndTidyRoster(game) <= 1) {
                ShowMessage(game, "並び替えるキャラクターがいません");
                break;
            }
            PickCharacter(game, kPickReorder, &m);
            break;
        case 4:
            PickCharacter(game, kPickRename, &m);
            SaveGame(game);
            break;
        case 5:
            game.screens->part<CreationScreen>().startClassChange();
            break;
        case 6:
            PlayScene(game, 3);
            BuildMenu(game, 9);
            break;
        default:
            break;
    }
}

}  // namespace dv
