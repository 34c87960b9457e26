#include "characters/equipment_rules.h"

#include <algorithm>

#include "characters/melee_swings.h"
#include "characters/races_classes.h"
#include "core/data/checked.h"

namespace dv {

namespace {
constexpr std::int32_t kLowestArmorClass = -255;
}  // namespace

void ResetDerived(Character& c) {
    ResetRaceValues(c);
}

int AttackCount(const Character& c) {
    return MeleeSwingCount(c);
}

void ApplyEquipment(Character& c, const Database& db, std::int32_t partyEffects) {
    c.attackCount = clampToField<std::int16_t>(AttackCount(c));
    int worn = 0;
    std::int64_t armor = c.baseArmorClass;
    std::int64_t regeneration = c.regeneration;
    for (int slot = 1; slot <= kInventorySlots; ++slot) {
        const ItemSlot& s = c.items[static_cast<std::size_t>(slot)];
        if (!IsWorn(s)) continue;
        const ItemRecord* item = itemAt(db, s.itemId);
        if (!item) continue;
        ++worn;
        armor += item->armorBonus;
        regeneration += item->regeneration;
        for (std::size_t k = 1; k <= 36; ++k) {
            c.resistances[k] = std::max(c.resistances[k], item->resistances[k]);
            c.damagePercent[k] = std::max(c.damagePercent[k], item->damagePercent[k]);
        }
        c.wardMask |= item->wardMask;
        c.slayMask |= item->slayMask;
    }
    if (c.skills[110] != 0)
        armor -= c.level / 3;
    else if (c.skills[111] != 0 && worn == 0)
        armor = 8 - c.level / 3;
    if (c.skills[29] != 0 && c.resistances[2] < 100)
        c.resistances[2] = static_cast<std::uint8_t>(std::min(100, c.resistances[2] + c.wisdom));
    if (c.skills[77] != 0) c.resistances[2] = 100;
    armor = std::max<std::int64_t>(armor, kLowestArmorClass);
    c.baseArmorClass = clampToField<std::int32_t>(armor);
    c.regeneration = clampToField<std::int16_t>(regeneration);
    std::int64_t protectedArmor = c.baseArmorClass;
    if (partyEffects & 128)
        protectedArmor -= 5;
    else if (partyEffects & 64)
        protectedArmor -= 3;
    c.armorClass = clampToField<std::int32_t>(protectedArmor);
}

}  // namespace dv
