#pragma once

// The rules every combatant shares, whoever strikes whom: the resistance test, healing,
// damage and death, statuses and the status attack with its wards, elemental hits from
// spells and breath, the melee attack, and the bookkeeping of a monster's death. Party
// members, monsters and summoned allies are all Character records; a monster carries
// sex 4.

#include <cstdint>
#include <string>

#include "core/data/character.h"
#include "core/data/records.h"

namespace dv {

struct Game;

// Results of the resistance test and of an elemental hit.
inline constexpr int kHitLanded = 0;
inline constexpr int kNullified = 1;
inline constexpr int kReflected = 2;
inline constexpr int kAbsorbed = 4;
inline constexpr int kResisted = 8;
inline constexpr int kSealed = 16;
inline constexpr int kNoTarget = -1;

// Either value 200 absorbs, either 255 reflects; then a d100 roll below the primary value
// nullifies and a second roll below the secondary value resists; else 0.
int ResistanceTest(Game& game, int primary, int secondary);

// Healing: nothing for a gone or diseased target ("は\n効果がなかった"); otherwise up to the
// maximum, with "ポイント回復した" or "全快した". A negative amount heals nothing. Quiet
// calls return an empty text.
std::string HealCharacter(Character& target, std::int64_t amount, bool quiet);
// Damage: nothing for a gone target; below 1 hit point the target dies and the text gets
// the death line. A negative amount does nothing.
std::string DamageCharacter(Character& target, std::int64_t amount, bool quiet);
// The dead bit and 0 hit points; the text "は\n死んだ・・・" when wanted.
std::string KillCharacter(Character& target, bool withMessage);
// Sets a status bit and returns the victim's name with the bit's message (setting "lost"
// sets "dead" as well).
std::string SetStatus(Character& target, std::int32_t bit);
// Sets the status of an effect type with its message (instant death, 31, kills; "lost"
// brings "dead" with it). Empty for a type without a status.
std::string ApplyEffect(Character& target, int effectType);
// Clears status bits; returns "回復した".
std::string ClearStatus(Character& target, std::int32_t bits);

// Some party member's ward skill turns the effect away (2 in 3, or 1 in 2 with skill 262);
// monsters are never warded.
bool PartyWardCheck(Game& game, const Character& target, int effectType);

// The status attack: unless the target is gone or hidden, and when d100 < chance, it may
// dodge (when dodgeable), nullify by resistance extraIndex, resist by its resistance to
// the effect, a ward or the status guard; otherwise the effect's status is set and its
// message shown after the header. Instant death (31) kills: a monster is booked as killed
// by `attacker` (may be null).
void InflictStatus(Game& game, const std::string& header, Character& target, int effectType,
                   int chance, bool dodgeable, int extraIndex, Character* attacker);

// An elemental hit from a spell (kindIndex 2) or breath (3) with an element index and an
// optional status effect: shows header, a line break and the outcome; returns the
// outcome (kHitLanded, kNullified...) or kNoTarget for a gone, hidden or empty target.
int ApplyMagicDamage(Game& game, const std::string& header, std::int64_t amount, Character& caster,
                     Character& target, int kindIndex, int elementIndex, int effectType,
                     bool noReflect);

// 0 up to 12, 1 for 13..15, 2 for 16..17, v - 15 from 18.
int StrengthBonus(int value);

// The number a hit roll of 2..101 must reach: 50 (40 with the attacker's skill 147, 60
// against a defender's skill 148) less the attacker's level \ 3, the strength bonus of its
// dexterity with the weapon's bonus and the defender's base armour class (which skill 123
// ignores, from 50).
std::int64_t HitTarget(const Character& attacker, const Character& defender,
                       const ItemRecord* weapon);

enum class HitResult { Miss, Hit, SureHit, Fumble };
// Whether a melee swing lands (weapon null for bare hands and monsters).
HitResult HitRoll(Game& game, const Character& attacker, const Character& defender,
                  const ItemRecord* weapon);
// The damage of one melee action and, in hits, how many hits it made.
std::int32_t MeleeDamage(Game& game, const Character& attacker, const Character& defender,
                         const ItemRecord* weapon, int& hits);
// A melee attack with the item of inventory slot weaponSlot (0: bare hands), shown in the
// message dialog, with its drains, status attacks, criticals and the kill it makes.
void MeleeAttack(Game& game, Character& attacker, Character& defender, int weaponSlot);

// A monster's death with the pools, the kill counters, the killer's marks (killer may be
// null) and the drop roll; the text "は\n死んだ・・・" when wanted.
std::string MonsterKilled(Game& game, Character& monster, Character* killer, bool withMessage);

// The pools and kill counters of a monster's death, without a killer's marks or a drop
// (a lingering area effect's kill): hit points 0, the dead bit alone.
void BookKill(Game& game, Character& monster);

// An armour-class change (positive raises): resisted by the target's spell resistance; a
// reflection turns it on the source. Shows its message.
void ChangeArmorClass(Game& game, const std::string& header, Character& source, Character& target,
                      int amount);

}  // namespace dv
