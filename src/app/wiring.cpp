#include "app/wiring.h"

#include "app/game_window.h"
#include "app/startup.h"
#include "core/game.h"
#include "core/screens.h"
#include "dungeon/camp_spells.h"
#include "dungeon/maze.h"
#include "items/status_sheet.h"
#include "town/conversation.h"
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
    screens.addPart(window.chest);
    screens.addPart(window.conversation);

    Links& l = game.links;
    l.chooseMenuEntry = [](Game& g) { ChooseMenuEntry(g); };
    l.openSheet = [](Game& g, int slot, int mode) { OpenSheet(g, slot, mode); };
    l.townShown = [](Game& g) { ShowTownAfterReturn(g); };
    l.quitGame = [](Game& g) { QuitGame(g); };
    l.battleOver = [](Game& g, BattleEnd end, int mapEvent) { AfterBattle(g, end, mapEvent); };
    l.battleChest = [](Game& g, const BattleChest& chest) { KeepBattleChest(g, chest); };
    l.talkTo = [](Game& g, int npc) { OpenConversation(g, npc); };
    l.campCast = [](Game& g, const std::string& name, int mode) { CampCast(g, name, mode); };
}

}  // namespace dv
