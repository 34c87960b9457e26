#include "characters/member_choice.h"

#include <algorithm>

#include "characters/party.h"
#include "characters/party_controls.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "ui/keys.h"

namespace dv {

namespace {
constexpr int kRowPitch = 16;
}

void ShowPartyBar(Game& game) {
    MainWindow& m = *game.screens->main;
    int row = std::clamp(game.selectedMember, 1, kPartySlots);
    m.shpPartyBar.move(8, kRowPitch * row);
    m.fraParty.refresh();
}

void BeginMemberChoice(Game& game, std::function<void()> take, std::function<void()> leave) {
    MainWindow& m = *game.screens->main;
    game.screens->part<PartyControls>().onTakeMember = std::move(take);
    game.screens->part<PartyControls>().onLeaveChoice = std::move(leave);
    m.lstCommandList.setEnabled(false);
    m.fraParty.setEnabled(true);
    game.selectedMember = 1;
    ShowPartyBar(game);
    m.fraParty.setFocus();
}

void EndMemberChoice(Game& game) {
    MainWindow& m = *game.screens->main;
    m.shpPartyBar.setVisible(false);
    m.fraParty.setEnabled(false);
}

void MemberChoiceKeyDown(Game& game, int& code, int /*shift*/) {
    int count = game.place.partyCount;
    if (count < 1) return;
    auto take = [&] {
        int sel = std::clamp(game.selectedMember, 1, std::min(count, kPartySlots));
        game.selectedMember = sel;
        game.currentCharacter = game.place.partyMembers[static_cast<size_t>(sel)];
        if (auto action = game.screens->part<PartyControls>().onTakeMember) action();
    };
    if (code >= '1' && code <= '9') {
        game.selectedMember = std::min(code - '0', count);
        code = 0;
        ShowPartyBar(game);
        take();
        return;
    }
    switch (code) {
        case keys::Enter:
            code = 0;
            take();
            return;
        case keys::Up:
        case keys::Left:
            game.selectedMember = game.selectedMember <= 1 ? count : game.selectedMember - 1;
            break;
        case keys::Down:
        case keys::Right:
            game.selectedMember = game.selectedMember >= count ? 1 : game.selectedMember + 1;
            break;
        case keys::Home:
        case keys::PageUp:
            game.selectedMember = 1;
            break;
        case keys::End:
        case keys::PageDown:
            game.selectedMember = count;
            break;
        case keys::Esc:
        case keys::Back: {
            code = 0;
            if (auto action = game.screens->part<PartyControls>().onLeaveChoice) action();
            return;
        }
        default:
            return;
    }
    code = 0;
    ShowPartyBar(game);
}

}  // namespace dv
