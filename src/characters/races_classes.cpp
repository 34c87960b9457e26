#include "characters/races_classes.h"

#include <bit>

#include "core/data/checked.h"

namespace dv {

namespace {

RaceRecord race(std::string_view name, std::string_view abbreviation, TableAttributes base,
                std::int16_t ac, bool offered = true, std::uint8_t alignment = 0) {
    RaceRecord r;
    r.name = name;
    r.abbreviation = abbreviation;
    r.attributes = base;
    r.baseArmorClass = ac;
    r.damagePercent.fill(100);
    r.offeredAtCreation = offered;
    r.requiredAlignment = alignment;
    return r;
}

ClassRecord klass(std::string_view name, std::string_view abbreviation, TableAttributes minimums,
                  std::uint8_t sexes, std::uint8_t alignments, std::uint8_t swingLevels,
                  std::uint8_t maxSwings, std::int16_t spellDivisor, float spellOffset,
                  std::int16_t spellKind) {
    return {name,        abbreviation, minimums,     sexes,       alignments,
            swingLevels, maxSwings,    spellDivisor, spellOffset, spellKind};
}

// Resistance indexes.
constexpr int kResistSpells = 2;
constexpr int kResistCold = 8;
constexpr int kResistLight = 12;
constexpr int kResistDark = 13;
constexpr int kResistSleep = 15;
constexpr int kResistFear = 17;
constexpr int kResistConfusion = 18;

}  // namespace

RaceClassTables BuildRaceAndClassTables() {
    RaceClassTables t;
    auto& r = t.raceTable;
    //                                 力 知 信 生 器 素 運 魅   AC
    r[0] = race("人間", "Ｈｕｍ", {8, 8, 6, 8, 9, 7, 7, 7}, 10);
    r[1] = race("エルフ", "Ｅｌｆ", {6, 10, 10, 6, 9, 8, 6, 10}, 12);
    r[1].resistances[kResistSpells] = 3;
    r[2] = race("ドワーフ", "Ｄｗａ", {10, 5, 9, 10, 6, 6, 7, 5}, 10);
    r[2].resistances[kResistSpells] = 1;
    r[3] = race("ノーム", "Ｇｎｏ", {7, 7, 10, 8, 8, 8, 8, 6}, 10);
    r[3].resistances[kResistSpells] = 1;
    r[4] = race("ホビット", "Ｈｏｂ", {5, 7, 6, 7, 10, 15, 10, 7}, 9);
    r[5] = race("フェアリー", "Ｆａｉ", {2, 11, 11, 2, 10, 10, 7, 10}, 6);
    r[5].resistances[kResistSpells] = 5;
    r[6] = race("ドラゴン", "Ｄｒａ", {10, 7, 6, 7, 10, 6, 5, 6}, 10);
    r[6].resistances[kResistSpells] = 1;
    r[7] = race("悪魔", "Ｄｅｍ", {9, 9, 5, 10, 7, 7, 6, 7}, 10, true, kChaotic);
    r[7].resistances[kResistDark] = 100;
    r[8] = race("天使", "Ａｎｇ", {8, 7, 9, 8, 7, 10, 6, 8}, 9, true, kLawful);
    r[8].resistances[kResistSpells] = 100;
    r[8].resistances[kResistLight] = 100;
    r[9] = race("ミュータント", "Ｍｕｔ", {10, 10, 10, 10, 10, 10, 10, 10}, 10, false);
    r[9].resistances[kResistSleep] = 100;
    r[9].resistances[kResistFear] = 100;
    r[9].resistances[kResistConfusion] = 100;
    r[10] = race("シルヴァ", "Ｓｉｌ", {9, 9, 6, 5, 10, 6, 9, 11}, 10);
    r[10].damagePercent[kResistCold] = 50;

    auto& c = t.classTable;
    //                                      力  知  信  生  器  素  運  魅  sex al sw mx div off
    //                                      kind
    c[0] = klass("戦士", "Ｆｉｇ", {12, 0, 0, 0, 0, 0, 0, 0}, 3, 7, 5, 10, 0, 0, 0);
    c[1] = klass("魔導士", "Ｗｉｚ", {0, 12, 0, 0, 0, 0, 0, 0}, 3, 7, 7, 5, 2, 0.5f, 0);
    c[2] = klass("僧侶", "Ｃｌｅ", {0, 0, 12, 0, 0, 0, 0, 0}, 3, 5, 6, 7, 2, 0.5f, 1);
    c[3] = klass("盗賊", "Ｔｈｉ", {0, 0, 0, 0, 12, 12, 0, 0}, 3, 6, 5, 9, 0, 0, 0);
    c[4] = klass("賢者", "Ｓａｇ", {0, 12, 12, 0, 0, 0, 0, 0}, 3, 5, 7, 5, 4, 1.0f, 0);
    c[5] = klass("バード", "Ｂａｒ", {0, 12, 0, 0, 12, 0, 10, 9}, 3, 3, 6, 7, 0, 0, 0);
    c[6] = klass("召喚士", "Ｓｕｍ", {11, 15, 15, 11, 12, 12, 14, 15}, 3, 7, 7, 7, 0, 0, 0);
    c[7] = klass("ワルキュリア", "Ｖａｌ", {11, 0, 12, 11, 12, 0, 0, 11}, 2, 2, 5, 10, 3, 0, 1);
    c[8] = klass("侍", "Ｓａｍ", {14, 12, 0, 14, 12, 11, 0, 0}, 3, 3, 5, 12, 3, 0, 0);
    c[9] = klass("ロード", "Ｌｏｒ", {15, 11, 15, 12, 13, 13, 13, 11}, 3, 1, 5, 10, 3, 0, 1);
    c[10] = klass("忍者", "Ｎｉｎ", {15, 15, 15, 15, 15, 15, 15, 15}, 3, 4, 5, 12, 0, 0, 0);
    c[11] = klass("魔剣士", "Ｗａｒ", {15, 15, 0, 15, 0, 11, 0, 0}, 1, 4, 5, 10, 3, 0, 0);
    c[13] = klass("陰陽師", "Ｙｉｎ", {0, 0, 12, 0, 12, 0, 10, 0}, 3, 6, 6, 7, 0, 0, 0);
    c[14] = klass("武闘家", "Ｋｕｎ", {16, 0, 0, 0, 16, 16, 0, 0}, 3, 5, 5, 10, 0, 0, 0);
    c[15] = klass("錬金術師", "Ａｌｃ", {0, 15, 11, 0, 0, 12, 11, 0}, 3, 7, 7, 6, 2, 0.5f, 2);
    c[16] = klass("道士", "Ｔａｏ", {0, 11, 14, 0, 0, 0, 14, 11}, 3, 7, 6, 9, 2, 0.5f, 3);
    c[17] = klass("狩人", "Ｈｕｎ", {12, 0, 0, 10, 14, 15, 11, 10}, 3, 3, 5, 10, 0, 0, 0);
    return t;
}

const RaceClassTables& RaceAndClassTables() {
    static const RaceClassTables tables = BuildRaceAndClassTables();
    return tables;
}

namespace {

std::optional<int> bitIndex(std::int64_t bit, int count) {
    if (bit <= 0 || !std::has_single_bit(static_cast<std::uint64_t>(bit))) return std::nullopt;
    const int index = std::countr_zero(static_cast<std::uint64_t>(bit));
    if (index >= count) return std::nullopt;
    return index;
}

}  // namespace

std::optional<int> RaceIndex(std::int64_t raceBit) {
    return bitIndex(raceBit, kRaceCount);
}
std::optional<int> ClassIndex(std::int64_t classBit) {
    return bitIndex(classBit, kClassCount);
}

const RaceRecord* RaceOf(std::int64_t raceBit) {
    const auto index = RaceIndex(raceBit);
    return index ? &RaceAndClassTables().raceTable[*index] : nullptr;
}

const ClassRecord* ClassOf(std::int64_t classBit) {
    const auto index = ClassIndex(classBit);
    return index ? &RaceAndClassTables().classTable[*index] : nullptr;
}

std::string_view RaceName(std::int64_t raceBit) {
    const RaceRecord* r = RaceOf(raceBit);
    return r ? r->name : std::string_view();
}

std::string_view RaceAbbreviation(std::int64_t raceBit) {
    const RaceRecord* r = RaceOf(raceBit);
    return r ? r->abbreviation : std::string_view();
}

std::string_view ClassName(std::int64_t classBit) {
    const ClassRecord* c = ClassOf(classBit);
    return c ? c->name : std::string_view();
}

std::string_view AlignmentName(std::int64_t alignment) {
    switch (alignment) {
        case kLawful:
            return "秩序";
        case kNeutral:
            return "中立";
        case kChaotic:
            return "混沌";
        default:
            return {};
    }
}

std::string_view SexName(std::int64_t sex) {
    switch (sex) {
        case kMale:
            return "男";
        case kFemale:
            return "女";
        default:
            return {};
    }
}

std::string ClassLabel(std::int64_t alignment, std::int64_t classBit) {
    std::string label;
    switch (alignment) {
        case kLawful:
            label = "Ｌ－";
            break;
        case kNeutral:
            label = "Ｎ－";
            break;
        case kChaotic:
            label = "Ｃ－";
            break;
        default:
            break;
    }
    if (const ClassRecord* c = ClassOf(classBit)) label += c->abbreviation;
    return label;
}

int HitPointDie(std::int64_t classBit) {
    switch (classBit) {
        case 1:
            return 18;
        case 2:
        case 16:
        case 65536:
            return 5;
        case 8:
        case 1024:
        case 16384:
        case 2048:
        case 131072:
            return 9;
        case 64:
        case 4096:
        case 32:
        case 8192:
            return 11;
        case 4:
        case 512:
            return 15;
        default:
            return 13;
    }
}

std::int32_t hitPointRoll(Rng& rng, std::int64_t level, std::int64_t classBit,
                          std::int64_t vitality) {
    const std::int64_t bonus = vitality > 13 ? vitality - 13 : vitality;
    return rollDice(rng, level, HitPointDie(classBit), bonus);
}

int AttributeLimit(std::int64_t raceBit, int attributeNumber, bool wide, std::int64_t sex) {
    if (attributeNumber < 1 || attributeNumber > 8) return 0;
    const RaceRecord* r = RaceOf(raceBit);
    const int base = r ? r->attributes[static_cast<std::size_t>(attributeNumber - 1)] : 0;
    int limit = (wide ? 15 : 10) + base;
    const int attr = attributeNumber - 1;
    if (sex == kMale && (attr == kAttrStrength || attr == kAttrVitality)) ++limit;
    if (sex == kFemale && (attr == kAttrDexterity || attr == kAttrAgility)) ++limit;
    return limit;
}

bool ClassAllowed(int classIndex, const TableAttributes& attributes, std::int64_t alignment,
                  std::int64_t sex) {
    if (classIndex < 0 || classIndex >= kClassCount) return false;
    const ClassRecord& c = RaceAndClassTables().classTable[static_cast<std::size_t>(classIndex)];
    for (std::size_t k = 0; k < attributes.size(); ++k) {
        if (attributes[k] < c.minimums[k]) return false;
    }
    return (c.alignmentMask & alignment) != 0 && (c.sexMask & sex) != 0;
}

std::vector<std::int32_t> AllowedClasses(const Character& c) {
    std::vector<std::int32_t> bits;
    const TableAttributes attributes = AttributesInTableOrder(c);
    for (int index = 0; index < kClassCount; ++index) {
        if (ClassAllowed(index, attributes, c.alignment, c.sex)) bits.push_back(1 << index);
    }
    return bits;
}

TableAttributes AttributesInTableOrder(const Character& c) {
    return {c.strength, c.wisdom, c.piety, c.vitality, c.dexterity, c.agility, c.luck, c.charm};
}

void SetAttributesFromTableOrder(Character& c, const TableAttributes& a) {
    c.strength = a[kAttrStrength];
    c.wisdom = a[kAttrWisdom];
    c.piety = a[kAttrPiety];
    c.vitality = a[kAttrVitality];
    c.dexterity = a[kAttrDexterity];
    c.agility = a[kAttrAgility];
    c.luck = a[kAttrLuck];
    c.charm = a[kAttrCharm];
}

void ResetRaceValues(Character& c) {
    static const RaceRecord kNoRace = [] {
        RaceRecord r;
        r.damagePercent.fill(100);
        return r;
    }();
    const RaceRecord* found = RaceOf(c.race);
    const RaceRecord& r = found ? *found : kNoRace;
    c.regeneration = 0;
    c.baseArmorClass = r.baseArmorClass;
    for (std::size_t k = 1; k <= 36; ++k) {
        c.resistances[k] = clampToField<std::uint8_t>(r.resistances[k]);
        c.damagePercent[k] = r.damagePercent[k];
    }
    c.wardMask = 0;
    c.slayMask = 0;
}

}  // namespace dv
