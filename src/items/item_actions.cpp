#include "items/item_actions.h"

#include <algorithm>
#include <cmath>

#include "characters/inventory.h"
#include "core/game.h"

namespace dv {

namespace {

Character* rosterAt(Game& game, int slot) {
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<size_t>(slot)];
}

ItemSlot* itemSlot(Character& c, int slot) {
    if (slot < 1 || slot > kInventorySlots) return nullptr;
    ItemSlot& s = c.items[static_cast<size_t>(slot)];
    return s.itemId != 0 ? &s : nullptr;
}

}  // namespace

GiveOutcome GiveItem(Game& game, int giver, int slot, int receiver) {
    Character* from = rosterAt(game, giver);
    Character* to = rosterAt(game, receiver);
    ItemSlot* s = from ? itemSlot(*from, slot) : nullptr;
    if (!s || !to) return GiveOutcome::Full;
    if (s->itemFlags & kItemCursedWorn) return GiveOutcome::Cursed;
    if (s->itemFlags & kItemEquipSlotMask) return GiveOutcome::Worn;
    const ItemSlot moving = *s;
    const bool unidentified = (moving.itemFlags & kItemUnidentified) != 0;
    const std::int32_t effects = game.place.partyEffects;
    if (from == to) {
        // Taken out and stored again: it goes to the end of the list.
        RemoveItemUnits(*from, game.db, slot, moving.itemCount, effects);
        if (StoreItem(*from, game.db, moving.itemId, unidentified, moving.itemCount) != 0) {
            // Cannot happen with the slot just freed; never lose the item all the same.
            *itemSlot(*from, slot) = moving;
            return GiveOutcome::Full;
        }
        return GiveOutcome::Given;
    }
    const int left = StoreItem(*to, game.db, moving.itemId, unidentified, moving.itemCount);
    if (left < 0) return GiveOutcome::Full;
    if (left > 0) {
        s->itemCount = left;
        return GiveOutcome::PartlyGiven;
    }
    RemoveItemUnits(*from, game.db, slot, moving.itemCount, effects);
    return GiveOutcome::Given;
}

double PartyGoldTotal(const Game& game) {
    double sum = 0;
    const Place& p = game.place;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        const int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot < 1 || slot >= kRosterSlots) continue;
        const double gold = game.save.roster[static_cast<size_t>(slot)].gold;
        if (!std::isfinite(gold)) return -1;
        sum = std::nearbyint(sum + gold);
    }
    if (sum > kGoldLimit) return -1;
    return std::max(sum, 0.0);
}

bool PoolGold(Game& game, int receiver) {
    Character* to = rosterAt(game, receiver);
    if (!to) return false;
    // The sum is complete before anybody's purse is emptied, so nothing is lost on the way.
    const double total = PartyGoldTotal(game);
    if (total < 0) return false;
    const Place& p = game.place;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i)
        if (Character* c = rosterAt(game, p.partyMembers[static_cast<size_t>(i)])) c->gold = 0;
    to->gold = total;
    return true;
}

DropOutcome DropItem(Game& game, int character, int slot) {
    Character* c = rosterAt(game, character);
    ItemSlot* s = c ? itemSlot(*c, slot) : nullptr;
    if (!s) return DropOutcome::Undroppable;
    if (s->itemFlags & kItemCursedWorn) return DropOutcome::Cursed;
    if (s->itemFlags & kItemEquipSlotMask) return DropOutcome::Worn;
    if (ItemKind(game.db, *s) == 11) return DropOutcome::Undroppable;
    RemoveItemUnits(*c, game.db, slot, 1, game.place.partyEffects);
    return DropOutcome::Dropped;
}

IdentifyOutcome IdentifyAttempt(Game& game, int character, int slot) {
    Character* c = rosterAt(game, character);
    ItemSlot* s = c ? itemSlot(*c, slot) : nullptr;
    const ItemRecord* item = s ? itemAt(game.db, s->itemId) : nullptr;
    if (!item) return IdentifyOutcome::Failed;
    const std::int64_t f = rollDice(game.rng, 1, c->level, 1);
    const std::int64_t g = item->identifyDifficulty;
    if (rollDice(game.rng, 1, 50, 0) == 1 || f > g) {
        s->itemFlags &= ~kItemUnidentified;
        return IdentifyOutcome::Identified;
    }
    const std::int64_t m = rollDice(game.rng, 1, 25, 0);
    if (f < g / 2 || m == 1) {
        c->status |= kStatusFear;
        return IdentifyOutcome::Frightened;
    }
    return IdentifyOutcome::Failed;
}

}  // namespace dv
