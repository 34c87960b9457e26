#include "app/wiring.h"

#include "app/game_window.h"
#include "app/startup.h"
#include "core/game.h"
#include "core/screens.h"
#include "dungeon/maze.h"
#include "items/status_sheet.h"
#include "town/town_menu.h"
#include "town/town_return.h"

namespace dv {

void WireRooms(Game& game, GameWindow& window) {
    Screens& screens = *game.screens;
    screens.addPart(window.creation);
    screens.addPart(window.party);
    screens.addPart(window.dungeonControls);
    screens.addPart(window.battle);
    screens.addPart(window.templeRows);

    Links& l = game.links;
    l.chooseMenuEntry = [](Game& g) { ChooseMenuEntry(g); };
    l.openSheet = [](Game& g, int slot, int mode) { OpenSheet(g, slot, mode); };
    l.townShown = [](Game& g) { ShowTownAfterReturn(g); };
    l.quitGame = [](Game& g) { QuitGame(g); };
    l.battleOver = [](Game& g, BattleEnd end, int mapEvent) { AfterBattle(g, end, mapEvent); };
    l.battleChest = [](Game& g, const BattleChest& chest) { KeepBattleChest(g, chest); };
    // The chest screen and the people are not in the game yet: their links stay empty and
    // the dungeon goes on without them.
}

}  // namespace dv
