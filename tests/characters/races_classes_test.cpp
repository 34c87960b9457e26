#include "characters/races_classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/data/message.h"

namespace dv {
namespace {

Character person(std::int32_t raceBit, std::uint8_t sex, std::uint8_t alignment,
                 TableAttributes attributes) {
    Character c;
    c.race = static_cast<std::int16_t>(raceBit);
    c.sex = sex;
    c.alignment = alignment;
    SetAttributesFromTableOrder(c, attributes);
    return c;
}

bool offers(const Character& c, std::string_view className) {
    for (std::int32_t bit : AllowedClasses(c)) {
        if (ClassName(bit) == className) return true;
    }
    return false;
}

TEST(RacesClasses, TablesHoldTheirValues) {
    const RaceClassTables t = BuildRaceAndClassTables();
    EXPECT_EQ(t.raceTable[4].attributes, (TableAttributes{5, 7, 6, 7, 10, 15, 10, 7}));
    EXPECT_EQ(t.raceTable[5].baseArmorClass, 6);
    EXPECT_EQ(t.raceTable[1].resistances[2], 3);
    EXPECT_EQ(t.raceTable[8].resistances[12], 100);
    EXPECT_EQ(t.raceTable[10].damagePercent[8], 50);
    EXPECT_EQ(t.raceTable[10].damagePercent[9], 100);
    EXPECT_FALSE(t.raceTable[9].offeredAtCreation);
    EXPECT_EQ(t.raceTable[7].requiredAlignment, kChaotic);
    EXPECT_EQ(t.classTable[6].minimums, (TableAttributes{11, 15, 15, 11, 12, 12, 14, 15}));
    EXPECT_EQ(t.classTable[4].spellDivisor, 4);
    EXPECT_FLOAT_EQ(t.classTable[4].spellOffset, 1.0f);
    EXPECT_EQ(t.classTable[16].spellKind, 3);
    EXPECT_EQ(t.classTable[10].maxSwings, 12);
    for (int empty : {12, 18, 19, 20}) {
        EXPECT_TRUE(t.classTable[empty].name.empty());
        EXPECT_EQ(t.classTable[empty].sexMask, 0);
    }
}

TEST(RacesClasses, ClassNamesMatchTheMessageTable) {
    const std::pair<std::int32_t, int> cases[] = {
        {1, 1100},  {2, 1101},    {4, 1102},     {8, 1103},    {128, 1104},
        {16, 1105}, {256, 1106},  {512, 1107},   {1024, 1108}, {32768, 1110},
        {32, 3017}, {8192, 3018}, {16384, 3019},
    };
    for (const auto& [bit, number] : cases)
        EXPECT_EQ(ClassName(bit), Message(number)) << bit;
    EXPECT_EQ(ClassName(64), "召喚士");
    EXPECT_EQ(ClassName(131072), "狩人");
    EXPECT_EQ(ClassName(4096), "");
    EXPECT_EQ(ClassName(3), "");
}

TEST(RacesClasses, NamesAndLabels) {
    EXPECT_EQ(RaceAbbreviation(1), "Ｈｕｍ");
    EXPECT_EQ(RaceAbbreviation(1024), "Ｓｉｌ");
    EXPECT_EQ(RaceAbbreviation(2048), "");
    EXPECT_EQ(RaceAbbreviation(3), "");
    EXPECT_EQ(ClassLabel(1, 1), "Ｌ－Ｆｉｇ");
    EXPECT_EQ(ClassLabel(4, 1024), "Ｃ－Ｎｉｎ");
    EXPECT_EQ(ClassLabel(2, 131072), "Ｎ－Ｈｕｎ");
    EXPECT_EQ(ClassLabel(3, 2), "Ｗｉｚ");
    EXPECT_EQ(ClassLabel(0, 0), "");
    EXPECT_EQ(AlignmentName(2), "中立");
    EXPECT_EQ(SexName(2), "女");
}

TEST(RacesClasses, AttributeLimits) {
    const struct {
        std::int32_t race;
        int attribute;
        bool wide;
        int sex;
        int expected;
    } cases[] = {
        {1, 1, false, kMale, 19},   {1, 5, false, kMale, 19},    {1, 5, false, kFemale, 20},
        {1, 6, false, kFemale, 18}, {1, 4, false, kMale, 19},    {1, 4, false, kFemale, 18},
        {16, 6, true, kMale, 30},   {32, 1, false, kFemale, 12}, {1, 8, true, kMale, 22},
        {1, 0, false, kMale, 0},    {1, 9, false, kMale, 0},     {4096, 1, false, kMale, 11},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AttributeLimit(c.race, c.attribute, c.wide, c.sex), c.expected)
            << c.race << "/" << c.attribute;
    }
}

TEST(RacesClasses, HitPointRolls) {
    const std::pair<std::int32_t, int> dies[] = {
        {1, 18},   {2, 5},      {16, 5},   {65536, 5},  {8, 9},   {1024, 9},  {16384, 9},
        {2048, 9}, {131072, 9}, {64, 11},  {4096, 11},  {32, 11}, {8192, 11}, {4, 15},
        {512, 15}, {128, 13},   {256, 13}, {32768, 13}, {0, 13},
    };
    for (const auto& [bit, die] : dies)
        EXPECT_EQ(HitPointDie(bit), die) << bit;

    Rng rng(5);
    std::map<int, int> vit13, vit14;
    for (int i = 0; i < 3000; ++i) {
        ++vit13[hitPointRoll(rng, 1, 1, 13)];
        ++vit14[hitPointRoll(rng, 1, 1, 14)];
    }
    EXPECT_EQ(vit13.begin()->first, 14);  // 1d18 + 13
    EXPECT_EQ(vit13.rbegin()->first, 31);
    EXPECT_EQ(vit14.begin()->first, 2);  // 1d18 + 1
    EXPECT_EQ(vit14.rbegin()->first, 19);
    EXPECT_EQ(hitPointRoll(rng, 0, 1, 5), 5);
}

TEST(RacesClasses, ClassListsFollowAlignmentSexAndMinimums) {
    const TableAttributes strong = {18, 18, 18, 18, 18, 18, 18, 18};
    const Character lawfulMale = person(1, kMale, kLawful, strong);
    for (auto name : {"盗賊", "忍者", "魔剣士", "陰陽師", "ワルキュリア"}) {
        EXPECT_FALSE(offers(lawfulMale, name)) << name;
    }
    EXPECT_TRUE(offers(lawfulMale, "ロード"));
    const Character chaoticFemale = person(1, kFemale, kChaotic, strong);
    EXPECT_FALSE(offers(chaoticFemale, "魔剣士"));
    EXPECT_TRUE(offers(chaoticFemale, "忍者"));
    EXPECT_TRUE(offers(person(1, kFemale, kNeutral, strong), "ワルキュリア"));

    const Character weak = person(1, kMale, kNeutral, {11, 11, 11, 11, 11, 11, 11, 11});
    EXPECT_TRUE(AllowedClasses(weak).empty());
    const Character fighter = person(1, kMale, kNeutral, {12, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(AllowedClasses(fighter), (std::vector<std::int32_t>{1}));

    // Lists come in class-index order and never hold an empty class.
    const auto all = AllowedClasses(person(1, kMale, kNeutral, strong));
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    EXPECT_EQ(std::count(all.begin(), all.end(), 4096), 0);
    EXPECT_FALSE(ClassAllowed(12, strong, kNeutral, kMale));
    EXPECT_FALSE(ClassAllowed(21, strong, kNeutral, kMale));
    EXPECT_FALSE(ClassAllowed(-1, strong, kNeutral, kMale));
}

TEST(RacesClasses, AttributeOrderMapsByName) {
    Character c;
    SetAttributesFromTableOrder(c, {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(c.strength, 1);
    EXPECT_EQ(c.dexterity, 5);
    EXPECT_EQ(c.agility, 6);
    EXPECT_EQ(c.luck, 7);
    EXPECT_EQ(c.charm, 8);
    EXPECT_EQ(AttributesInTableOrder(c), (TableAttributes{1, 2, 3, 4, 5, 6, 7, 8}));
}

}  // namespace
}  // namespace dv
