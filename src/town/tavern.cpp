#include "town/tavern.h"

#include <string>

#include "characters/member_choice.h"
#include "characters/party.h"
#include "characters/roster_window.h"
#include "core/command_menu.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "items/status_sheet.h"

namespace dv {

namespace {

bool needParty(Game& game) {
    if (game.place.partyCount > 0) return true;
    ShowMessage(game, std::string(Message(1063)));
    return false;
}

// Back to the tavern's list with an entry selected.
void tavernMenu(Game& game, int entry) {
    EndMemberChoice(game);
    BuildMenu(game, 1);
    game.screens->main->lstCommandList.setListIndex(entry);
}

void leaveChoice(Game& game) {
    MainWindow& m = *game.screens->main;
    EndMemberChoice(game);
    m.lstCommandList.setEnabled(true);
    m.lstCommandList.setFocus();
}

void addMembers(Game& game) {
    if (game.place.partyCount >= kPartySlots) {
        ShowMessage(game, "これ以上メンバーを増やせません");
        return;
    }
    PickCharacter(game, kPickJoinParty, game.screens->main);
    RebuildParty(game);
}

void removeMember(Game& game) {
    if (!needParty(game)) return;
    BeginMemberChoice(
        game,
        [&game] {
            RemoveFromParty(game, game.currentCharacter);
            RebuildParty(game);
            tavernMenu(game, 1);
        },
        [&game] { leaveChoice(game); });
}

void inspectMember(Game& game) {
    if (!needParty(game)) return;
    BeginMemberChoice(
        game,
        [&game] {
            OpenSheet(game, game.currentCharacter, kSheetTown);
            RebuildParty(game);
            tavernMenu(game, 2);
        },
        [&game] { leaveChoice(game); });
}

void divideGold(Game& game) {
    if (!needParty(game)) return;
    double share = DivideGold(game);
    ShowMessage(game, "お金を山分けしました\n一人" + ToWide(FormatNumber(share)) + "です");
    SaveGame(game);
}

}  // namespace

void ChooseTavernEntry(Game& game, int entry) {
    switch (entry) {
        case 0:
            addMembers(game);
            break;
        case 1:
            removeMember(game);
            break;
        case 2:
            inspectMember(game);
            break;
        case 3:
            divideGold(game);
            break;
        case 4:
            game.place.currentDungeon = 1;
            PlayScene(game, 2);
            BuildMenu(game, 8);
            break;
        default:
            break;
    }
}

}  // namespace dv
