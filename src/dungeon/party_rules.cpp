#include "dungeon/party_rules.h"

#include <algorithm>

#include "core/data/message.h"
#include "core/game.h"
#include "core/prompt_dialog.h"

namespace dv {

bool GiveItemToParty(Game& game, int item) {
    for (int i = 1; i <= game.place.partyCount; ++i) {
        Character* c = PartyMember(game, i);
        if (!c) continue;
        for (int s = 1; s <= kInventorySlots; ++s) {
            ItemSlot& slot = c->items[static_cast<size_t>(s)];
            if (slot.itemId != 0) continue;
            slot = ItemSlot{};
            slot.itemId = item;
            slot.itemFlags = kItemUnidentified;
            slot.itemCount = 1;
            return true;
        }
    }
    ShowMessage(game, std::string(Message(1053)));
    return false;
}

void WritePlaceToMembers(Game& game) {
    const Place& p = game.place;
    for (int i = 1; i <= p.partyCount; ++i) {
        Character* c = PartyMember(game, i);
        if (!c) continue;
        c->dungeonId = static_cast<std::uint8_t>(std::clamp(p.currentDungeon, 0, 255));
        c->floor = static_cast<std::uint8_t>(std::clamp<int>(p.currentFloor, 0, 255));
        c->posX = static_cast<std::int16_t>(p.partyX);
        c->posY = static_cast<std::int16_t>(p.partyY);
    }
}

}  // namespace dv
