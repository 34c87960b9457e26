#include "characters/equipment_rules.h"

#include <algorithm>

#include "characters/melee_swings.h"
#include "characters/races_classes.h"
#include "core/data/checked.h"

namespace dv {

void ResetDerived(Character& c) {
    ResetRaceValues(c);
}

void UnequipAll(Character& c) {
    for (int s = 1; s <= kInventorySlots; ++s)
        c.items[static_cast<size_t>(s)].itemFlags &= ~kItemEquipSlotMask;
    ResetDerived(c);
}

std::int32_t ProtectedArmorClass(std::int32_t baseArmorClass, std::int32_t partyEffects) {
    if (partyEffects & 128) return baseArmorClass - 5;
    if (partyEffects & 64) return baseArmorClass - 3;
    return baseArmorClass;
}

void ApplyEquipment(Character& c, const Database& db, std::int32_t partyEffects) {
    c.attackCount = MeleeSwingCount(c);
    int worn = 0;
    std::int64_t armor = c.baseArmorClass;
    std::int64_t regeneration = c.regeneration;
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemSlot& slot = c.items[static_cast<size_t>(s)];
        if ((slot.itemFlags & kItemEquipSlotMask) == 0) continue;
        ++worn;
        const ItemRecord* item = itemAt(db, slot.itemId);
        if (!item) continue;
        armor += item->armorBonus;
        regeneration += item->regeneration;
        for (size_t k = 1; k <= 36; ++k) {
            c.resistances[k] = std::max(c.resistances[k], item->resistances[k]);
            c.damagePercent[k] = std::max(c.damagePercent[k], item->damagePercent[k]);
        }
        c.wardMask |= item->wardMask;
        c.slayMask |= item->slayMask;
    }
    if (c.skills[110] != 0) {
        armor -= std::max(c.level, 0) / 3;
    } else if (c.skills[111] != 0 && worn == 0) {
        armor = 8 - std::max(c.level, 0) / 3;
    }
    if (c.skills[29] != 0 && c.resistances[2] < 100)
        c.resistances[2] = static_cast<std::uint8_t>(std::min(100, c.resistances[2] + c.wisdom));
    if (c.skills[77] != 0) c.resistances[2] = 100;
    // Damaged item data cannot push the totals past their fields: they stop at the limit.
    c.baseArmorClass = clampToField<std::int32_t>(std::max<std::int64_t>(armor, -255));
    c.regeneration = clampToField<std::int16_t>(regeneration);
    c.armorClass = ProtectedArmorClass(c.baseArmorClass, partyEffects);
}

}  // namespace dv
