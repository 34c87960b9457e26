#pragma once

// What worn items give a character: armour class, regeneration, resistances, damage
// percents, ward and slay masks, and the swings of a melee action. These values are never
// edited directly; ResetDerived followed by ApplyEquipment rebuilds them.

#include <cstdint>

#include "core/data/character.h"
#include "core/data/database.h"

namespace dv {

// Worn: any of the low four flag bits set.
inline bool IsWorn(const ItemSlot& s) {
    return s.itemId != 0 && (s.itemFlags & kItemEquipSlotMask) != 0;
}

// The race's values: regeneration 0, base armour class, resistances and damage percents
// 1..36 from the race, ward and slay masks 0.
void ResetDerived(Character& c);

// The smaller of the class's most swings (3 more with skill 83) and level \ the class's
// levels per swing + 1; 1 for a class without levels per swing.
int AttackCount(const Character& c);

// Adds what every worn item gives to the values ResetDerived left, then the skills that
// change them (110, 111, 29, 77), and sets armorClass from the party's protection bits
// (128: 5 lower, else 64: 3 lower). Items outside the table give nothing.
void ApplyEquipment(Character& c, const Database& db, std::int32_t partyEffects);

}  // namespace dv
