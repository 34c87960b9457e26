#pragma once

// The running battle's plain data: the monster groups and summoned allies, the pools the
// kills fill, shields and lingering area effects, and where command entry and the rounds
// stand. Rebuilt at the start of every battle; the battle rooms act on it.

#include <array>
#include <cstdint>
#include <string>

#include "core/data/character.h"

namespace dv {

inline constexpr int kMonsterGroups = 4;  // groups 1..4
inline constexpr int kGroupSlots = 9;     // fighters 1..9; slot 0 is the group's template
inline constexpr int kSummonSlots = 9;    // allies 1..9; slot 0 is the shown template
inline constexpr int kAreaElements = 15;  // lingering effects by element 0..14 (4..14 used)

// Battle phases.
inline constexpr int kNoBattle = 0;
inline constexpr int kCommandEntry = 1;
inline constexpr int kRoundRunning = 2;

// The map event number that turns a battle into a fight against copies of the party.
inline constexpr int kCloneBattleEvent = 9999;

// How a battle is started: the encounter (0 = a random one of the floor), the battle music
// and the map event that started it (0 for a random battle; non-zero runs the event's
// post-battle check after a victory).
struct EncounterCall {
    int encounter = 0;
    int music = 12;
    int mapEvent = 0;
};

// A lingering elemental effect on one side.
struct AreaEffect {
    std::int32_t diceCount = 0;
    std::int32_t diceSides = 0;
    std::int32_t diceBonus = 0;
    std::int16_t roundsLeft = 0;  // above 0 = active
    std::int32_t element = 0;     // resistance index 4..14
    std::int32_t caster = 0;      // roster slot of the casting member (monster side only)
};

// How the last battle ended.
enum class BattleEnd { None, Victory, Flight, Refused, WipeOut };

// A chest the monsters left: its level, its trap and the item a kill dropped (0 none).
struct BattleChest {
    int level = 0;
    int trap = 0;
    int dropItem = 0;
};

// One row of the monster list: the group and its text.
struct MonsterRow {
    int group = 0;
    std::string text;
};

struct BattleState {
    // (group, slot): groups 1..4 used, group 0 never; slot 0 of a group is its template.
    std::array<std::array<Character, kGroupSlots + 1>, kMonsterGroups + 1> monsters{};
    std::array<Character, kSummonSlots + 1> summons{};
    int groupCount = 0;
    int battleRound = 0;
    int actingGroup = 0;
    int actingSlot = 0;
    int actingSummonSlot = 0;

    std::int32_t goldPool = 0;
    std::int32_t experiencePool = 0;
    std::int32_t killedLevelSum = 0;
    std::int32_t killCount = 0;
    std::int32_t dropItem = 0;

    std::array<AreaEffect, kAreaElements> partyAreaEffects{};
    std::array<std::array<AreaEffect, kAreaElements>, kMonsterGroups + 1> monsterAreaEffects{};
    // Element 2 = spell-shield level, 3 = breath-shield level of that side, 0..3 each.
    std::array<std::int16_t, 4> partyShields{};
    std::array<std::int16_t, 4> monsterShields{};

    int battlePhase = kNoBattle;
    int commandSlot = 0;  // party slot whose command is being entered
    bool partyFirstStrike = false;

    // The monster list as shown: one row per group still in play, in group order.
    std::array<MonsterRow, kMonsterGroups> rows{};
    int rowCount = 0;
    // The allies' row, shown while allies exist.
    std::string summonRow;
    bool summonsShown = false;

    // The running battle's music and the map event that started it.
    int music = 12;
    int mapEvent = 0;
    BattleEnd lastEnd = BattleEnd::None;
    // The last spell name typed in command entry, offered again at the next prompt.
    std::string lastSpellName;
    // The help panel during command entry (settings key "戦闘中ヘルプウィンド").
    bool helpWindow = true;
    // Monsters that a call to act again has already re-armed in this round.
    std::array<std::array<bool, kGroupSlots + 1>, kMonsterGroups + 1> rearmed{};
};

}  // namespace dv
