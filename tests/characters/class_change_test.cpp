#include "characters/class_change.h"

#include <gtest/gtest.h>

#include <memory>

#include "characters/races_classes.h"
#include "core/data/checked.h"

namespace dv {
namespace {

class ClassChangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ItemRecord& sword = db->itemTable[5];
        sword.itemNumber = 5;
        sword.sexMask = 3;
        sword.alignmentMask = 7;
        sword.raceMask = 2047;
        sword.classMask = 1;  // fighters only

        c.rosterId = 1;
        c.name = "アリサ";
        c.race = 1;
        c.sex = kFemale;
        c.alignment = kNeutral;
        c.classBit = 1;
        c.level = 12;
        c.age = 20;
        c.experience = 50000;
        SetAttributesFromTableOrder(c, {18, 14, 9, 16, 15, 13, 12, 10});
        c.items[1] = {5, 1, 1};  // worn sword
        c.items[2] = {5, 0, 1};
        c.items[3] = {2500, 2, 1};  // an item number past the table
        c.skills[7] = 1;
        c.regeneration = 3;
        c.wardMask = 8;
        c.resistances[20] = 50;
        c.spellsKnown(1, 2, 1) = 1;
        c.spellsKnown(1, 2, 4) = 1;
    }

    std::unique_ptr<Database> db = std::make_unique<Database>();
    Character c;
    Rng rng{17};
};

TEST_F(ClassChangeTest, ToWizard) {
    const std::string message = ApplyClassChange(c, 2, *db, rng);
    EXPECT_EQ(message, "魔導士に転職しました");
    EXPECT_EQ(c.classBit, 2);
    EXPECT_EQ(c.level, 1);
    EXPECT_GE(c.age, 21);
    EXPECT_LE(c.age, 25);
    EXPECT_EQ(c.experience, 0);
    // Human base with the female +1 to 素早さ and 運, then the wizard's 知恵 12.
    EXPECT_EQ(AttributesInTableOrder(c), (TableAttributes{8, 12, 6, 8, 9, 8, 8, 7}));
    EXPECT_EQ(c.baseArmorClass, 10);
    // Known spells stay known and their points are counted.
    EXPECT_EQ(c.spellsKnown(1, 2, 1), 1);
    EXPECT_EQ(c.spellPoints(1, 2), 2);
    EXPECT_EQ(c.maxSpellPoints(1, 2), 2);
    // New first-level spells of kind 0: 1d(12 \ 4) + 1 points.
    int known = 0;
    for (int n = 1; n <= 3; ++n)
        known += c.spellsKnown(0, 1, n) != 0;
    EXPECT_GE(known, 1);
    EXPECT_GE(c.maxSpellPoints(0, 1), 2);
    EXPECT_LE(c.maxSpellPoints(0, 1), 4);
    EXPECT_EQ(c.spellPoints(0, 1), c.maxSpellPoints(0, 1));
    // No skills, nothing worn, race values back, the sword now unusable.
    EXPECT_EQ(c.skills[7], 0);
    EXPECT_EQ(c.items[1].itemFlags, kItemUnusable);
    EXPECT_EQ(c.items[2].itemFlags, kItemUnusable);
    EXPECT_EQ(c.items[3].itemId, 2500);  // kept as stored, shown as no item
    EXPECT_EQ(c.items[3].itemFlags & kItemEquipSlotMask, 0);
    EXPECT_EQ(c.regeneration, 0);
    EXPECT_EQ(c.wardMask, 0);
    EXPECT_EQ(c.resistances[20], 0);
    EXPECT_EQ(c.damagePercent[1], 100);
}

TEST_F(ClassChangeTest, MaleBonusesAndFighterKeepsUsableItems) {
    c.sex = kMale;
    c.classBit = 4;
    ApplyClassChange(c, 1, *db, rng);
    EXPECT_EQ(AttributesInTableOrder(c), (TableAttributes{12, 8, 6, 9, 9, 7, 7, 7}));
    EXPECT_EQ(c.items[1].itemFlags, 0);
    for (int kind = 0; kind < 4; ++kind)
        EXPECT_EQ(c.spellPoints(kind, 1), 0);
}

TEST_F(ClassChangeTest, ACharacterWhoKnowsEveryFirstLevelSpellStillFinishes) {
    for (int n = 1; n <= 3; ++n)
        c.spellsKnown(0, 1, n) = 1;
    SetAttributesFromTableOrder(c, {8, 18, 18, 8, 9, 8, 8, 7});
    c.alignment = kLawful;
    const std::string message = ApplyClassChange(c, 16, *db, rng);
    EXPECT_EQ(message, "賢者に転職しました");
    EXPECT_EQ(c.spellsKnown(0, 1, 1), 1);
}

TEST_F(ClassChangeTest, EverySpellClassLearnsItsKind) {
    const std::pair<std::int32_t, int> cases[] = {{2, 0}, {16, 0}, {4, 1}, {32768, 2}, {65536, 3}};
    for (const auto& [bit, kind] : cases) {
        Character copy = c;
        ApplyClassChange(copy, bit, *db, rng);
        int known = 0;
        for (int n = 1; n <= 3; ++n)
            known += copy.spellsKnown(kind, 1, n) != 0;
        EXPECT_GE(known, 1) << bit;
        EXPECT_EQ(FirstLevelSpellKind(bit), kind);
    }
    EXPECT_EQ(FirstLevelSpellKind(1), -1);
    EXPECT_EQ(FirstLevelSpellKind(128), -1);
}

TEST_F(ClassChangeTest, AnAgeAtTheFieldLimitStopsThereAndTheChangeGoesOn) {
    c.age = 32766;
    EXPECT_EQ(ApplyClassChange(c, 2, *db, rng), "魔導士に転職しました");
    EXPECT_EQ(c.age, 32767);
    EXPECT_EQ(c.classBit, 2);
}

TEST_F(ClassChangeTest, QuestionAndAvailability) {
    EXPECT_EQ(ClassChangeQuestion(c, 256), "アリサは\n侍に転職しますか？");

    auto save = std::make_unique<SaveData>();
    EXPECT_FALSE(ClassChangeAvailable(*save));
    save->roster[3] = c;
    save->roster[3].status = kStatusDead;
    EXPECT_FALSE(ClassChangeAvailable(*save));  // dead characters are listed, not counted
    EXPECT_EQ(ClassChangeCandidates(*save), (std::vector<int>{3}));
    save->roster[4] = c;
    save->roster[4].floor = 2;
    EXPECT_EQ(ClassChangeCandidates(*save), (std::vector<int>{3}));
    save->roster[5] = c;
    save->roster[5].dungeonId = 21;
    EXPECT_FALSE(ClassChangeAvailable(*save));
    save->roster[6] = c;
    EXPECT_TRUE(ClassChangeAvailable(*save));
}

}  // namespace
}  // namespace dv
