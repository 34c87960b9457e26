#pragma once

// What both sides of a fight share: dice on the game's generator, rounding, telling
// monsters from party members, weapons in hand, live slots of a group and the party's rows.

#include <cmath>
#include <cstdint>
#include <string>

#include "core/data/character.h"
#include "core/data/checked.h"
#include "core/data/database.h"
#include "core/data/dice.h"
#include "core/game.h"

namespace dv {

// A message of the fight: the party panel first shows what has happened so far, then the
// message waits for the player.
void Say(Game& game, const std::string& text);

// rollDice on the game's generator.
inline std::int32_t Dice(Game& game, std::int64_t count, std::int64_t sides, std::int64_t bonus) {
    return rollDice(game.rng, count, sides, bonus);
}
// One die of s sides (1 when s is 0).
inline std::int32_t Die(Game& game, std::int64_t sides) {
    return rollDice(game.rng, 1, sides, 0);
}

// The same sum computed wide, for amounts built from hit points and dice that may pass a
// Long (the caller clamps); the dice count must fit its 16-bit field.
std::int64_t WideDice(Game& game, std::int64_t count, std::int64_t sides, std::int64_t bonus);

// A decimal value stored in a whole-number field: to the nearest, halves to even.
std::int64_t RoundHalfEven(double value);
// A 64-bit amount kept inside a Long (damage products beyond 32 bits stop at the limit).
std::int32_t ClampLong(std::int64_t value);

// Monsters and summoned allies carry sex 4; party members never do.
inline bool IsMonster(const Character& c) {
    return c.sex == 4;
}
inline bool HasSkill(const Character& c, int skill) {
    return skill >= 0 && skill < kSkillCount && c.skills[static_cast<size_t>(skill)] != 0;
}
inline bool HasStatus(const Character& c, std::int32_t bits) {
    return (c.status & bits) != 0;
}
// A resistance or damage-percent value by index; indexes outside 0..36 read as 0 / 100.
int ResistanceAt(const Character& c, std::int64_t index);
int DamagePercentAt(const Character& c, std::int64_t index);

// The main-hand weapon: the first inventory slot whose flags' low three bits are 1 (0 when
// there is none, bare hands).
int MainHandSlot(const Character& c);
// The off-hand weapon: the first slot whose low five flag bits are 2 holding a weapon.
int OffHandSlot(const Database& db, const Character& c);
// The item of an inventory slot 1..15, or nullptr (bare hands, an empty slot, a number
// outside the item table).
const ItemRecord* ItemInSlot(const Database& db, const Character& c, int slot);

// One unit of an inventory slot 1..15 goes (an item or instrument that broke); the slot
// empties with its last unit, and a worn item takes what it gave its wearer with it.
void RemoveOneUnit(Game& game, Character& c, int slot);

// The first fighter 1..9 of group 1..4 without the dead bit; 0 when none (or the group
// is not 1..4).
int FirstLiveSlot(const BattleState& battle, int group);
// Whether some fighter of the group is neither dead nor an empty slot.
bool GroupHasFighter(const BattleState& battle, int group);

// The party slots of the front row: 1..3 when three or more members, else all of them.
int FrontRowCount(const Game& game);

}  // namespace dv
