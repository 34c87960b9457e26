#include "town/ending.h"

#include <string>

#include "core/data/message.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"

namespace dv {

namespace {
constexpr int kEndingFlag = 41;
constexpr int kEndingItem = 657;

template <class F>
void forEachMember(const Game& game, F f) {
    const Place& p = game.place;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot >= 1 && slot < kRosterSlots) f(slot);
    }
}
}  // namespace

bool EndingEarned(const Game& game) {
    if (game.save.eventFlags[kEndingFlag] != 1) return false;
    bool carried = false;
    forEachMember(game, [&](int slot) {
        const Character& c = game.save.roster[static_cast<size_t>(slot)];
        for (int s = 1; s <= kInventorySlots; ++s)
            if (c.items[static_cast<size_t>(s)].itemId == kEndingItem) carried = true;
    });
    return carried;
}

void EndingOnReturn(Game& game) {
    // Without windows (the bot) the ending's texts and marks come all the same.
    MainWindow* m = game.screens ? game.screens->main : nullptr;
    if (EndingEarned(game)) {
        if (m) m->fraParty.setVisible(false);
        for (int n = 200; n <= 205; ++n)
            ShowMessage(game, std::string(Message(n)));
        forEachMember(game, [&](int slot) {
            game.save.roster[static_cast<size_t>(slot)].completionMark = 1;
        });
        // The last dungeons close again; the quest can be taken up anew.
        auto& flags = game.save.eventFlags;
        for (int f : {11, 12, 14})
            flags[static_cast<size_t>(f)] = 0;
        for (int f = 21; f <= 32; ++f)
            flags[static_cast<size_t>(f)] = 0;
        for (int f = 34; f <= 41; ++f)
            flags[static_cast<size_t>(f)] = 0;
    }
    if (!m) return;
    m->fraParty.setVisible(true);
    m->fraParty.setEnabled(false);
    PlayScene(game, 2);
}

}  // namespace dv
