#pragma once

// The statuses as fights see them: which status bit each effect type sets, what setting a
// bit reports after the victim's name, and the groups of bits the rules test.

#include <cstdint>
#include <string_view>

#include "characters/healing.h"
#include "core/data/character.h"

namespace dv {

// Gone or hidden: attacks, status attacks and spells pass such a character by.
inline constexpr std::int32_t kStatusUntouchable = kStatusGone | kStatusHidden;
// Battle-only wards against decapitation (1048576) and level drain (2097152).
// What a cure of sleep, paralysis, fear, confusion, frozen, shocked, charm, poison,
// silence, blindness, stone and deadly poison clears.
inline constexpr std::int32_t kCureStatusBits = 134226943;
inline constexpr std::int32_t kStatusBattleWard = 131072;
inline constexpr std::int32_t kStatusDecapitationWard = 1048576;
inline constexpr std::int32_t kStatusDrainWard = 2097152;
// The unnamed bit a monster's cleverness looks for (nothing sets it).
inline constexpr std::int32_t kStatusMarked = 67108864;

// Effect types of weapons, monster attacks, spells and wards (also resistance indexes).
inline constexpr int kEffectSleep = 15;
inline constexpr int kEffectParalysis = 16;
inline constexpr int kEffectFear = 17;
inline constexpr int kEffectConfusion = 18;
inline constexpr int kEffectFrozen = 19;
inline constexpr int kEffectShocked = 20;
inline constexpr int kEffectCharm = 21;
inline constexpr int kEffectPoison = 22;
inline constexpr int kEffectSilence = 23;
inline constexpr int kEffectBlind = 24;
inline constexpr int kEffectDisease = 27;
inline constexpr int kEffectDrain = 28;
inline constexpr int kEffectStone = 29;
inline constexpr int kEffectLevelDrain = 30;
inline constexpr int kEffectDeath = 31;
inline constexpr int kEffectAshes = 32;
inline constexpr int kEffectLost = 33;

// Resistance indexes of the kinds of attack and of the elements.
inline constexpr int kResistStatus = 0;
inline constexpr int kResistPhysical = 1;
inline constexpr int kResistSpell = 2;
inline constexpr int kResistBreath = 3;
inline constexpr int kResistFire = 4;
inline constexpr int kResistWater = 5;
inline constexpr int kResistWind = 6;
inline constexpr int kResistEarth = 7;
inline constexpr int kResistCold = 8;
inline constexpr int kResistLightning = 9;
inline constexpr int kResistPoison = 10;
inline constexpr int kResistMind = 11;
inline constexpr int kResistHoly = 12;
inline constexpr int kResistDark = 13;
inline constexpr int kResistMystic = 14;
inline constexpr int kResistanceCount = 37;  // indexes 0..36

// The status bit of an effect type (0 for types without one).
std::int32_t StatusOfEffect(int effectType);
// What setting a status bit reports after the victim's name ("は\n眠らされた"); empty
// for bits that report nothing.
std::string_view StatusSetMessage(std::int32_t bit);

}  // namespace dv
