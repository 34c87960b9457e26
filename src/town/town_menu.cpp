#include "town/town_menu.h"

#include <string>
#include <vector>

#include "characters/party.h"
#include "characters/training_grounds.h"
#include "core/command_menu.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "dungeon/expedition.h"
#include "town/inn.h"
#include "town/tavern.h"
#include "town/temple.h"

namespace dv {

namespace {

bool haveParty(Game& game) {
    if (game.place.partyCount > 0) return true;
    ShowMessage(game, std::string(Message(1063)));
    return false;
}

void chooseTown(Game& game, int entry) {
    switch (entry) {
        case 0:  // tavern
            PlayScene(game, 5);
            BuildMenu(game, 1);
            break;
        case 1:  // inn
            if (haveParty(game)) EnterInn(game);
            break;
        case 2:  // shop: needs a party; its counter opens with the shop's screens
            haveParty(game);
            break;
        case 3:  // temple
            if (haveParty(game)) EnterTemple(game);
            break;
        case 4:  // fortune house
            PlayScene(game, 8);
            BuildMenu(game, 7);
            break;
        case 5:  // outskirts
            PlayScene(game, 3);
            BuildMenu(game, 9);
            break;
        default:
            break;
    }
}

void backToCastle(Game& game) {
    game.place.currentDungeon = 1;
    PlayScene(game, 2);
    BuildMenu(game, 8);
}

// Everyone in the party on display leaves it on the way to the training grounds.
void enterTrainingGrounds(Game& game) {
    Place& p = game.place;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot < 1 || slot >= kRosterSlots) continue;
        Character& c = game.save.roster[static_cast<size_t>(slot)];
        c.dungeonId = 0;
        c.floor = 0;
        c.partyId = 0;
        c.partyPosition = 0;
        p.partyMembers[static_cast<size_t>(i)] = 0;
    }
    p.partyCount = 0;
    p.currentDungeon = 2;
    RebuildParty(game);
    PlayScene(game, 9);
    BuildMenu(game, 10);
}

void chooseOutskirts(Game& game, int entry) {
    switch (entry) {
        case 0:  // training grounds
            enterTrainingGrounds(game);
            break;
        case 1:  // resume an expedition
            ResumeExpedition(game);
            break;
        case 2:  // to the dungeon
            if (haveParty(game)) ShowDungeonList(game);
            break;
        case 4:  // quit
            CallLink(game.links.quitGame, game);
            break;
        case 5:  // back to the castle
            backToCastle(game);
            break;
        default:
            break;
    }
}

}  // namespace

void ChooseMenuEntry(Game& game) {
    int entry = static_cast<int>(game.screens->main->lstCommandList.listIndex());
    // The temple's list may be empty once everyone is helped; any choice then leaves.
    if (game.menuState == kTempleMenu) {
        ChooseTemplePatient(game, entry);
        return;
    }
    if (entry < 0) return;
    int last = static_cast<int>(game.screens->main->lstCommandList.listCount()) - 1;
    switch (game.menuState) {
        case 1:
            ChooseTavernEntry(game, entry);
            break;
        case kInnMenu:
            ChooseInnRoom(game, entry);
            break;
        case 7:  // fortune house: back to the castle
            if (entry == last) backToCastle(game);
            break;
        case 10:
            ChooseTrainingEntry(game, entry);
            break;
        case 8:
            chooseTown(game, entry);
            break;
        case 9:
            chooseOutskirts(game, entry);
            break;
        case 19:  // dungeon choice
            ChooseDungeonEntry(game);
            break;
        default:
            break;
    }
}

}  // namespace dv
