#include "gear.h"

#include <algorithm>

#include "characters/equipment_rules.h"
#include "characters/inventory.h"
#include "core/data/database.h"
#include "core/game.h"
#include "items/equipment_window.h"

namespace dv::policy {

int ItemWorth(const ItemRecord& item) {
    if (item.kind == 1)
        return item.damageDiceCount * (item.damageDiceSides + 1) / 2 + item.damageDiceBonus +
               item.attackBonus;
    return -item.armorBonus;
}

int EquipCodeOfKind(int kind) {
    switch (kind) {
        case 1:
            return kEquipPrimary;
        case 2:
            return kEquipSecondary;
        case 3:
            return kEquipArmor;
        case 4:
            return kEquipHands;
        case 5:
            return kEquipFeet;
        case 6:
            return kEquipHead;
        default:
            return 0;
    }
}

int WornWorth(const Game& g, const Character& c, int code) {
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemSlot& slot = c.items[static_cast<size_t>(s)];
        const ItemRecord* item = itemAt(g.db, slot.itemId);
        if (item && (slot.itemFlags & kEquipCodeBits) == code) return ItemWorth(*item);
    }
    return 0;
}

namespace {

// A member who carries a shield fights one-handed: putting the shield on takes a
// two-handed weapon off.
bool carriesShield(const Game& g, const Character& c) {
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemRecord* item = itemAt(g.db, c.items[static_cast<size_t>(s)].itemId);
        if (item && item->kind == 2 && !item->cursed) return true;
    }
    return false;
}

}  // namespace

void WearBest(Game& g, Character& c) {
    const bool oneHanded = carriesShield(g, c);
    for (int code :
         {kEquipPrimary, kEquipSecondary, kEquipArmor, kEquipHands, kEquipFeet, kEquipHead}) {
        int best = 0, bestWorth = WornWorth(g, c, code);
        for (int s : EquipCandidates(g, c, code)) {
            const ItemRecord* item = itemAt(g.db, c.items[static_cast<size_t>(s)].itemId);
            if (item && item->twoHanded != 0 && oneHanded) continue;
            if (item && !item->cursed && ItemWorth(*item) > bestWorth) {
                best = s;
                bestWorth = ItemWorth(*item);
            }
        }
        if (best != 0) EquipItem(g, c, code, best);
    }
    ApplyEquipment(c, g.db, g.place.partyEffects);
}

namespace {

// The slot holding an item, 0 when none does.
int slotHolding(const Character& c, int itemId) {
    for (int s = 1; s <= kInventorySlots; ++s)
        if (c.items[static_cast<size_t>(s)].itemId == itemId) return s;
    return 0;
}

}  // namespace

void OutfitWith(Game& g, Character& c, const std::vector<int>& offered) {
    for (int kind = 1; kind <= 6; ++kind) {
        if (kind == 2 && c.classBit != 1) continue;
        std::vector<int> numbers;
        for (int n : offered) {
            const ItemRecord* item = itemAt(g.db, n);
            if (!item || item->kind != kind || item->cursed || slotHolding(c, n)) continue;
            if (item->twoHanded != 0 && c.classBit == 1) continue;  // the shield's hand
            numbers.push_back(n);
        }
        std::stable_sort(numbers.begin(), numbers.end(), [&g](int a, int b) {
            return ItemWorth(*itemAt(g.db, a)) > ItemWorth(*itemAt(g.db, b));
        });
        // The best the member may use: the pack's own usability rule says which.
        for (int n : numbers) {
            if (ItemWorth(*itemAt(g.db, n)) <= WornWorth(g, c, EquipCodeOfKind(kind))) break;
            if (StoreItem(c, g.db, n, false, 1) != 0) break;  // no room left
            const int slot = slotHolding(c, n);
            RefreshUsable(c, g.db, slot);
            if (!(c.items[static_cast<size_t>(slot)].itemFlags & kItemUnusable)) break;
            RemoveItemUnits(c, g.db, slot, 1, g.place.partyEffects);
        }
    }
    WearBest(g, c);
}

}  // namespace dv::policy
