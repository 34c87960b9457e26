#pragma once

// Races, classes, alignments and sexes. Each is a single bit in the character record; a
// race or class bit's index in its table is log2 of the bit. The tables are fixed by the
// game and never stored.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/character.h"
#include "core/data/dice.h"

namespace dv {

inline constexpr int kRaceCount = 11;   // indexes 0..10
inline constexpr int kClassCount = 21;  // indexes 0..20; 12 and 18..20 are empty

inline constexpr std::int32_t kMale = 1;
inline constexpr std::int32_t kFemale = 2;
inline constexpr std::int32_t kLawful = 1;
inline constexpr std::int32_t kNeutral = 2;
inline constexpr std::int32_t kChaotic = 4;

// Attributes in table order: 力 知恵 信仰心 生命力 器用さ 素早さ 運 魅力. Attribute numbers
// 1..8 of AttributeLimit follow this order (1 = 力 ... 5 = 器用さ, 6 = 素早さ, 7 = 運, 8 = 魅力).
enum TableAttribute {
    kAttrStrength,
    kAttrWisdom,
    kAttrPiety,
    kAttrVitality,
    kAttrDexterity,
    kAttrAgility,
    kAttrLuck,
    kAttrCharm
};
using TableAttributes = std::array<std::uint8_t, 8>;

struct RaceRecord {
    std::string_view name;
    std::string_view abbreviation;
    TableAttributes attributes{};  // base values
    std::int16_t baseArmorClass = 0;
    std::array<std::int16_t, 37> resistances{};
    std::array<std::uint8_t, 37> damagePercent{};
    bool offeredAtCreation = false;
    std::uint8_t requiredAlignment = 0;  // 0 = any; 悪魔 always chaotic, 天使 always lawful
};

struct ClassRecord {
    std::string_view name;
    std::string_view abbreviation;
    TableAttributes minimums{};
    std::uint8_t sexMask = 0;
    std::uint8_t alignmentMask = 0;
    std::uint8_t swingLevels = 0;
    std::uint8_t maxSwings = 0;
    std::int16_t spellDivisor = 0;
    float spellOffset = 0;
    std::int16_t spellKind = 0;
};

struct RaceClassTables {
    std::array<RaceRecord, kRaceCount> raceTable{};
    std::array<ClassRecord, kClassCount> classTable{};
};

// Both tables with every value, for the game state.
RaceClassTables BuildRaceAndClassTables();
// The same tables, built once; the rules below read them.
const RaceClassTables& RaceAndClassTables();

// The table index of a single-bit value, or nothing for 0, several bits or a bit past the
// table.
std::optional<int> RaceIndex(std::int64_t raceBit);
std::optional<int> ClassIndex(std::int64_t classBit);
const RaceRecord* RaceOf(std::int64_t raceBit);
const ClassRecord* ClassOf(std::int64_t classBit);

std::string_view RaceName(std::int64_t raceBit);
std::string_view RaceAbbreviation(std::int64_t raceBit);  // "Ｈｕｍ"; empty when unknown
std::string_view ClassName(std::int64_t classBit);
std::string_view AlignmentName(std::int64_t alignment);  // "秩序" "中立" "混沌"
std::string_view SexName(std::int64_t sex);              // "男" "女"
// The alignment's short form followed by the class abbreviation ("Ｌ－Ｆｉｇ"); an
// alignment other than 1, 2, 4 gives the abbreviation alone.
std::string ClassLabel(std::int64_t alignment, std::int64_t classBit);

// rollDice(level, the class's hit-point die, bonus): bonus = vitality - 13 above 13,
// otherwise the vitality itself.
std::int32_t hitPointRoll(Rng& rng, std::int64_t level, std::int64_t classBit,
                          std::int64_t vitality);
int HitPointDie(std::int64_t classBit);

// The highest value raising attribute number 1..8 (table order) may reach: 10 + the race's
// base (15 + base when wide), +1 for 力 and 生命力 when sex is 1, +1 for 器用さ and 素早さ
// when sex is 2. 0 for an unknown attribute number.
int AttributeLimit(std::int64_t raceBit, int attributeNumber, bool wide, std::int64_t sex);

// Each attribute at least the class minimum, and the class admits the alignment and sex.
bool ClassAllowed(int classIndex, const TableAttributes& attributes, std::int64_t alignment,
                  std::int64_t sex);
// The allowed class bits in class-index order.
std::vector<std::int32_t> AllowedClasses(const Character& c);

TableAttributes AttributesInTableOrder(const Character& c);
void SetAttributesFromTableOrder(Character& c, const TableAttributes& attributes);

// The race's values that equipment rebuilds on: regeneration 0, base armour class and
// resistances and damage percents 1..36 from the race, ward and slay masks 0.
void ResetRaceValues(Character& c);

}  // namespace dv
