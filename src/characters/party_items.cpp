#include "characters/party_items.h"

#include <cstdint>
#include <string>

#include "characters/inventory.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/prompt_dialog.h"

namespace dv {

int FindPartySpace(Game& game) {
    const Place& p = game.place;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        const int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot < 1 || slot >= kRosterSlots) continue;
        const Character& c = game.save.roster[static_cast<size_t>(slot)];
        for (int s = 1; s <= kInventorySlots; ++s) {
            if (c.items[static_cast<size_t>(s)].itemId != 0) continue;
            game.currentCharacter = slot;
            return s;
        }
    }
    return -1;
}

void CountFound(Game& game, int itemId) {
    if (itemId < 1 || itemId >= kCounterCount) return;
    auto& n = game.save.itemFoundCounts[static_cast<size_t>(itemId)];
    if (n < INT32_MAX) ++n;
}

int GiveItemToParty(Game& game, int itemId, bool unidentified, Announce announce, bool countFound) {
    const ItemRecord* item = itemAt(game.db, itemId);
    if (!item) return -1;
    if (FindPartySpace(game) < 0) {
        if (announce != Announce::Quiet) ShowMessage(game, std::string(Message(1053)));
        return -1;
    }
    Character& c = game.save.roster[static_cast<size_t>(game.currentCharacter)];
    if (StoreItem(c, game.db, itemId, unidentified, 1) != 0) return -1;
    if (announce == Announce::Plain) {
        ShowMessage(game, std::string(Message(1080)));
    } else if (announce == Announce::WithName) {
        ShowMessage(game, (unidentified ? item->altName : item->name) + "を手に入れた");
    }
    if (countFound) CountFound(game, itemId);
    return 0;
}

}  // namespace dv
