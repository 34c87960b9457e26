#include "town/inn.h"

#include <algorithm>
#include <string>

#include "characters/member_choice.h"
#include "characters/party.h"
#include "core/command_menu.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "town/inn_rules.h"

namespace dv {

namespace {

constexpr int kInnMusic = 7;
constexpr int kTownMusic = 2;
constexpr int kTownMenu = 8;

MainWindow& mainOf(Game& game) {
    return *game.screens->main;
}

void takeGuest(Game& game);

void leaveInn(Game& game) {
    mainOf(game).lbl.setCaption("");
    EndMemberChoice(game);
    PlayScene(game, kTownMusic);
    BuildMenu(game, kTownMenu);
}

// The menu stays on display, disabled and without a selection, while the panel has the
// keys. The highlighted member is kept (the first when entering).
void memberChoice(Game& game, int member) {
    MainWindow& m = mainOf(game);
    m.lstCommandList.setListIndex(-1);
    m.lbl.setCaption(std::string(Message(500)));
    BeginMemberChoice(
        game, [&game] { takeGuest(game); }, [&game] { leaveInn(game); });
    game.selectedMember = std::clamp(member, 1, std::max(1, game.place.partyCount));
    ShowPartyBar(game);
}

void backToChoice(Game& game) {
    memberChoice(game, game.selectedMember);
}

void takeGuest(Game& game) {
    const Character& guest = game.save.roster[static_cast<std::size_t>(game.currentCharacter)];
    if (!MayStayAtInn(guest)) {
        ShowMessage(game, std::string(kCannotStayMessage));
        mainOf(game).fraParty.setFocus();
        return;
    }
    mainOf(game).lbl.setCaption(InnRoomPrompt(guest));
    EndMemberChoice(game);
    BuildMenu(game, kInnMenu);
}

// The night (or weeks) in a room, and what the rest brought.
void stay(Game& game, int room, int weeks) {
    MainWindow& m = mainOf(game);
    const StayResult r =
        StayAtInn(game.save, game.currentCharacter, room, weeks, game.db, game.rng);
    ShowMessage(game, r.sleepDialog);
    for (const std::string& dialog : r.rest.dialogs)
        ShowMessage(game, dialog);
    RebuildParty(game);
    SaveGame(game);

    switch (r.rest.result) {
        case RestResult::kDiedOfAge:
            if (game.place.partyCount == 0) {
                m.lbl.setCaption("");
                m.lstCommandList.setListIndex(-1);
                m.lstCommandList.setVisible(false);
                game.selectedMember = -1;
                EndMemberChoice(game);
                PlayScene(game, kTownMusic);
                BuildMenu(game, kTownMenu);
                return;
            }
            backToChoice(game);
            break;
        case RestResult::kStillLacking: {
            // The next member is offered (after the last, the first).
            const int count = std::max(1, game.place.partyCount);
            memberChoice(game, game.selectedMember >= count ? 1 : game.selectedMember + 1);
            break;
        }
        case RestResult::kRoseLevel:
            // The same member may stay again at once.
            m.lstCommandList.setEnabled(true);
            m.lstCommandList.setFocus();
            break;
    }
    m.lstCommandList.setListIndex(-1);
}

void askWeeks(Game& game, int room) {
    const InnRoom& r = kInnRooms[static_cast<std::size_t>(room)];
    const WeeksAnswer answer =
        WeeksOfAnswer(PromptDialog(game, std::string(Message(3021)), kPromptInput));
    if (answer.kind == WeeksAnswer::kTooLong) {
        ShowMessage(game, std::string(r.tooLongText));
        backToChoice(game);
        return;
    }
    if (answer.kind == WeeksAnswer::kCancelled) {
        backToChoice(game);
        return;
    }
    const Character& guest = game.save.roster[static_cast<std::size_t>(game.currentCharacter)];
    if (!CanPay(guest, StayCost(room, answer.weeks))) {
        ShowMessage(game, std::string(Message(3020)));
        backToChoice(game);
        return;
    }
    stay(game, room, answer.weeks);
}

}  // namespace

void EnterInn(Game& game) {
    PlayScene(game, kInnMusic);
    BuildMenu(game, kInnMenu);
    memberChoice(game, 1);
}

void ChooseInnRoom(Game& game, int entry) {
    if (game.currentCharacter < 1 || game.currentCharacter >= kRosterSlots) {
        backToChoice(game);
        return;
    }
    if (entry == kFreeRoom)
        stay(game, kFreeRoom, 0);
    else if (entry >= 1 && entry < static_cast<int>(kInnRooms.size()))
        askWeeks(game, entry);
    else
        backToChoice(game);
}

}  // namespace dv
