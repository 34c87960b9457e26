#pragma once

// What worn items give a character: armour class, regeneration, resistances, damage
// percents, ward and slay masks, and the swings of a melee action. These values are never
// edited directly; ResetDerived followed by ApplyEquipment rebuilds them.

#include <cstdint>

#include "core/data/character.h"
#include "core/data/database.h"

namespace dv {

// The seven equipment codes an item slot carries in its low bits while worn.
enum EquipCode : std::int32_t {
    kEquipPrimary = 1,
    kEquipSecondary = 2,
    kEquipArmor = 3,
    kEquipHands = 4,
    kEquipFeet = 5,
    kEquipHead = 6,
    kEquipAccessory = 7,
};
// The bits the equipment code is written in (five, so a code is replaced whole).
inline constexpr std::int32_t kEquipCodeBits = 31;

// Worn: any of the low four flag bits set.
inline bool IsWorn(const ItemSlot& s) {
    return s.itemId != 0 && (s.itemFlags & kItemEquipSlotMask) != 0;
}

// The race's values: regeneration 0, base armour class, resistances and damage percents
// 1..36 from the race, ward and slay masks 0.
void ResetDerived(Character& c);
// Takes everything off (the low four flag bits of every slot) and resets the values.
void UnequipAll(Character& c);

// Sets the swings of a melee action (characters/melee_swings.h), then adds what every
// worn item gives to the values ResetDerived left, then the skills that
// change them (110, 111, 29, 77), and sets armorClass from the party's protection bits
// (128: 5 lower, else 64: 3 lower). Items outside the table give nothing.
void ApplyEquipment(Character& c, const Database& db, std::int32_t partyEffects);

// The armour class the fights read: baseArmorClass lowered by the party's protection.
std::int32_t ProtectedArmorClass(std::int32_t baseArmorClass, std::int32_t partyEffects);

}  // namespace dv
