#include "characters/party_items.h"

#include <limits>
#include <string>

#include "characters/inventory.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/prompt_dialog.h"

namespace dv {

int FindPartySpace(Game& game) {
    const Place& p = game.place;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        const int member = p.partyMembers[static_cast<std::size_t>(i)];
        if (member < 1 || member >= kRosterSlots) continue;
        const Character& c = game.save.roster[static_cast<std::size_t>(member)];
        for (int slot = 1; slot <= kInventorySlots; ++slot) {
            if (c.items[static_cast<std::size_t>(slot)].itemId == 0) {
                game.currentCharacter = member;
                return slot;
            }
        }
    }
    return -1;
}

int GiveItemToParty(Game& game, int itemId, bool unidentified, Announce announce, bool countFound) {
    const ItemRecord* item = itemAt(game.db, itemId);
    if (!item) return -1;
    if (FindPartySpace(game) < 0) {
        if (announce != Announce::Quiet) ShowMessage(game, std::string(Message(1053)));
        return -1;
    }
    Character& c = game.save.roster[static_cast<std::size_t>(game.currentCharacter)];
    if (StoreItem(c, game.db, itemId, unidentified, 1) != 0) {
        if (announce != Announce::Quiet) ShowMessage(game, std::string(Message(1053)));
        return -1;
    }
    if (announce == Announce::Plain)
        ShowMessage(game, std::string(Message(1080)));
    else if (announce == Announce::WithName)
        ShowMessage(game, (unidentified ? item->altName : item->name) + "を手に入れた");
    if (countFound) CountFound(game, itemId);
    return 0;
}

void CountFound(Game& game, int itemId) {
    if (itemId < 1 || itemId >= kCounterCount) return;
    std::int32_t& n = game.save.itemFoundCounts[static_cast<std::size_t>(itemId)];
    if (n < std::numeric_limits<std::int32_t>::max()) ++n;
}

}  // namespace dv
