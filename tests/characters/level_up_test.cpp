// Rising a level: hit points, attributes, spells, swings; healing without a word; the rest
// outcome after a stay (old age, birthdays, missing experience, one level at most).
//
// Rolls are checked against a second generator seeded alike ("mirror"): it draws the same
// dice the rule draws, so each seeded case knows what the rule saw.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "characters/healing.h"
#include "characters/level_up.h"
#include "characters/melee_swings.h"
#include "characters/races_classes.h"
#include "characters/rest.h"
#include "core/data/checked.h"
#include "core/data/text.h"

namespace dv {
namespace {

Character person(std::int32_t classBit = 1, int level = 1) {
    Character c;
    c.rosterId = 1;
    c.name = "テスト";
    c.classBit = classBit;
    c.race = 1;
    c.sex = kMale;
    c.level = level;
    c.age = 20;
    c.strength = c.wisdom = c.piety = c.vitality = 12;
    c.dexterity = c.agility = c.luck = c.charm = 12;
    c.maxHitPoints = c.hitPoints = 10;
    return c;
}

TEST(MeleeSwings, ClassLevelAndSkill) {
    struct Case {
        std::int32_t classBit;
        int level;
        bool skill83;
        int expected;
    };
    const Case cases[] = {
        {1, 1, false, 1},  // fighter: a swing per 5 levels, at most 10
        {1, 9, false, 2},     {1, 60, false, 10},
        {1, 60, true, 13},    {1024, 14, false, 3},  // ninja: per 5 levels, at most 12
        {2, 70, false, 5},                           // wizard: per 7 levels, at most 5
        {4096, 50, false, 1},                        // no class: one swing
        {1, 0, false, 1},                            // a damaged level still swings once
    };
    for (const Case& k : cases) {
        Character c = person(k.classBit, k.level);
        c.skills[kSkillExtraSwings] = k.skill83 ? 1 : 0;
        EXPECT_EQ(MeleeSwingCount(c), k.expected) << k.classBit << " level " << k.level;
    }
}

TEST(Healing, QuietHealStopsAtTheMaximumAndSkipsTheGone) {
    struct Case {
        std::int32_t status;
        int hp, maxHp;
        std::int64_t amount;
        int expectedHp;
        bool healed;
    };
    const Case cases[] = {
        {0, 3, 10, 4, 7, true},
        {0, 3, 10, 50, 10, true},
        {0, 12, 10, 0, 10, true},  // above the maximum comes down to it
        {0, 3, 10, -5, 3, true},   // a negative amount heals nothing
        {0, 2000000000, 2100000000, std::numeric_limits<std::int64_t>::max(), 2100000000, true},
        {kStatusStone, 3, 10, 4, 7, true},
        {kStatusDead, 0, 10, 4, 0, false},
        {kStatusDisease, 3, 10, 4, 3, false},
    };
    for (const Case& k : cases) {
        Character c = person();
        c.status = k.status;
        c.hitPoints = k.hp;
        c.maxHitPoints = k.maxHp;
        EXPECT_EQ(HealHitPoints(c, k.amount), k.healed);
        EXPECT_EQ(c.hitPoints, k.expectedHp) << k.status << " " << k.amount;
    }
}

// Each attribute case over many seeds: the mirror's d10 says what the rule must do.
TEST(LevelUpAttribute, RisesAndFallsByAgeLimitAndSkill) {
    struct Case {
        const char* label;
        int number;
        std::uint8_t value;
        int age;
        bool fixed;  // skill 104
        int lossBelow;
        int limit;  // may rise while below
    };
    // A male human: 力 limit 10 + 8 + 1; agility is bounded by the race's 器用さ (9) and
    // dexterity by its 素早さ (7).
    const Case cases[] = {
        {"strength young", 1, 12, 50, false, 1, 19},
        {"strength old", 1, 12, 51, false, 4, 19},
        {"agility under the dexterity limit", 5, 18, 20, false, 1, 19},
        {"dexterity at the agility limit", 6, 17, 20, false, 1, 17},
        {"zero never falls", 7, 0, 70, false, 4, 17},
        {"skill 104", 8, 12, 70, true, 4, 17},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.label);
        int rose = 0, fell = 0;
        for (std::uint64_t seed = 1; seed <= 200; ++seed) {
            Character c = person();
            c.age = static_cast<std::int16_t>(k.age);
            c.skills[kSkillFixedAttributes] = k.fixed ? 1 : 0;
            *LevelUpAttributeField(c, k.number) = k.value;
            Rng rng(seed), mirror(seed);
            const std::string line = LevelUpAttribute(c, k.number, rng);
            const int x = k.fixed ? 5 : rollDice(mirror, 1, 10, 0);
            const std::uint8_t now = *LevelUpAttributeField(c, k.number);
            const std::string name = k.number == 5 ? "素早さ" : k.number == 6 ? "器用さ" : "";
            if (x <= k.lossBelow && k.value >= 1) {
                EXPECT_EQ(now, k.value - 1);
                EXPECT_NE(line.find("が１ポイント下がった\r"), std::string::npos);
                ++fell;
            } else if (x >= 7 && k.value < k.limit) {
                EXPECT_EQ(now, k.value + 1);
                EXPECT_NE(line.find("が１ポイント上がった\r"), std::string::npos);
                ++rose;
            } else {
                EXPECT_EQ(now, k.value);
                EXPECT_EQ(line, "");
            }
            if (!name.empty() && !line.empty()) {
                EXPECT_EQ(line.rfind(name, 0), 0u);
            }
        }
        if (k.fixed) {
            EXPECT_EQ(rose + fell, 0);
        } else if (k.value >= 1 && k.value < k.limit) {
            EXPECT_GT(rose, 0);
            EXPECT_GT(fell, 0);
        }
    }
}

TEST(LearnSpells, LimitsOfTheRolls) {
    Database db;
    db.spellTable[5] = {5, 1, 1, 1, "ヒール"};
    // A piety of 8 never succeeds: no points, no spells.
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        Character c = person(4, 9);
        c.piety = 8;
        Rng rng(seed);
        EXPECT_TRUE(LearnSpells(c, 1, 9, db, rng).empty());
        EXPECT_EQ(c.maxSpellPoints, Character{}.maxSpellPoints);
    }
    // A wise caster: at most three new spells a call, never a fourth number, never past
    // the highest level asked for, points at most 9.
    for (std::uint64_t seed = 1; seed <= 50; ++seed) {
        Character c = person(2, 9);
        c.wisdom = 30;
        c.maxSpellPoints(0, 1) = 9;
        Rng rng(seed);
        const auto learned = LearnSpells(c, 0, 4, db, rng);
        EXPECT_LE(learned.size(), 3u);
        int known = 0;
        for (int level = 1; level <= 9; ++level) {
            EXPECT_EQ(c.spellsKnown(0, level, 4), 0);
            EXPECT_LE(c.maxSpellPoints(0, level), 9);
            for (int n = 1; n <= 3; ++n) {
                if (c.spellsKnown(0, level, n) == 0) continue;
                ++known;
                EXPECT_LE(level, 4);
            }
        }
        EXPECT_EQ(known, static_cast<int>(learned.size()));
        EXPECT_EQ(c.maxSpellPoints(0, 1), 9);
    }
}

TEST(LearnSpells, NewSpellsAreNamedAndCountedEvenWithoutARecord) {
    Database db;
    db.spellTable[5] = {5, 1, 1, 2, "ヒール"};
    Character c = person(4, 3);
    c.piety = 200;  // every roll of 1..193 above level 1 but for a 1
    c.spellsKnown(1, 1, 1) = 1;
    for (std::uint64_t seed = 1;; ++seed) {
        Character t = c;
        Rng rng(seed), mirror(seed);
        // The three rolls of level 1 all succeed with this seed.
        bool allThree = true;
        for (int n = 0; n < 3; ++n)
            allThree = allThree && rollDice(mirror, 1, 193, 0) > 1;
        if (!allThree) continue;
        const auto learned = LearnSpells(t, 1, 1, db, rng);
        ASSERT_EQ(learned.size(), 2u);
        EXPECT_EQ(learned[0], "ヒール");
        EXPECT_EQ(learned[1], "");  // no record for (1, 1, 3), still a new spell
        EXPECT_EQ(t.maxSpellPoints(1, 1), 3);
        EXPECT_EQ(t.spellPoints(1, 1), 0);  // restored by the rest, not here
        break;
    }
}

TEST(LevelUp, HitPointsAndTheFirstDialog) {
    // Far above any roll: one point.
    Character c = person(1, 4);
    c.maxHitPoints = c.hitPoints = 5000;
    c.skills[kSkillFixedAttributes] = 1;
    Database db;
    Rng rng(3);
    auto dialogs = LevelUp(c, db, rng);
    EXPECT_EQ(c.level, 5);
    EXPECT_EQ(c.maxHitPoints, 5001);
    EXPECT_EQ(c.hitPoints, 5001);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0], "テストはＬＶが上がった\r最大ＨＰが１ポイントあがった");
    EXPECT_EQ(c.attackCount, 2);

    // Below the roll: the maximum becomes the roll and the hit points rise by the gain.
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        Character d = person(1, 4);
        d.vitality = 15;  // bonus 2
        d.maxHitPoints = 10;
        d.hitPoints = 4;
        d.skills[kSkillFixedAttributes] = 1;
        Rng r(seed), mirror(seed);
        dialogs = LevelUp(d, db, r);
        const int roll = rollDice(mirror, 5, 18, 2);
        if (roll <= 10) continue;
        EXPECT_EQ(d.maxHitPoints, roll);
        EXPECT_EQ(d.hitPoints, 4 + roll - 10);
        EXPECT_NE(dialogs[0].find(ToWide(std::to_string(roll - 10)) + "ポイント"),
                  std::string::npos);
    }
}

TEST(LevelUp, SkillOneOFourKeepsEveryAttribute) {
    Database db;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        Character c = person(1, 3);
        c.age = 70;
        c.skills[kSkillFixedAttributes] = 1;
        const Character before = c;
        Rng rng(seed);
        const auto dialogs = LevelUp(c, db, rng);
        EXPECT_EQ(AttributesInTableOrder(c), AttributesInTableOrder(before));
        EXPECT_EQ(dialogs.size(), 1u);
    }
}

TEST(LevelUp, SpellClassesByLevel) {
    struct Case {
        const char* label;
        std::int32_t classBit;
        int levelBefore;
        int kind;  // the kind rolled for
        int topLevel;
    };
    const Case cases[] = {
        {"sage reaching 6", 16, 5, 0, 2},
        {"sage reaching 8", 16, 7, 1, 3},
        {"wizard reaching 5", 2, 4, 0, 3},  // 5 / 2 + 0.5
        {"lord reaching 9", 512, 8, 1, 3},  // 9 / 3
    };
    Database db;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.label);
        bool learnedSome = false;
        for (std::uint64_t seed = 1; seed <= 30; ++seed) {
            Character c = person(k.classBit, k.levelBefore);
            c.wisdom = c.piety = 60;
            c.skills[kSkillFixedAttributes] = 1;
            c.maxHitPoints = c.hitPoints = 9000;
            Rng rng(seed);
            const auto dialogs = LevelUp(c, db, rng);
            for (int kind = 0; kind <= 3; ++kind)
                for (int level = 1; level <= 9; ++level)
                    for (int n = 1; n <= 4; ++n) {
                        if (!c.spellsKnown(kind, level, n)) continue;
                        EXPECT_EQ(kind, k.kind);
                        EXPECT_LE(level, k.topLevel);
                        learnedSome = true;
                    }
            if (dialogs.size() == 2) {
                EXPECT_EQ(dialogs[1], kNewSpellsMessage);
            }
        }
        EXPECT_TRUE(learnedSome);
    }
}

TEST(LevelUp, NinjaFightingBareGetsHarderToHit) {
    struct Case {
        int equippedSlot;  // -1: nothing worn
        int expectedAc;
    };
    const Case cases[] = {{-1, 8 - 10 / 3}, {10, 8 - 10 / 3}, {3, 4}, {0, 4}};
    Database db;
    for (const Case& k : cases) {
        Character c = person(1024, 9);
        c.baseArmorClass = 4;
        c.maxHitPoints = c.hitPoints = 9000;
        if (k.equippedSlot >= 0) c.items[static_cast<std::size_t>(k.equippedSlot)] = {1, 1, 1};
        Rng rng(1);
        LevelUp(c, db, rng);
        EXPECT_EQ(c.baseArmorClass, k.expectedAc) << k.equippedSlot;
    }
    Character high = person(1024, 900);
    high.maxHitPoints = high.hitPoints = 100000;
    Rng rng(1);
    LevelUp(high, db, rng);
    EXPECT_EQ(high.baseArmorClass, -255);
}

TEST(LevelUp, ALevelThatWouldLeaveItsFieldChangesNothing) {
    Character c = person(1, std::numeric_limits<std::int32_t>::max());
    const Character before = c;
    Database db;
    Rng rng(1);
    EXPECT_THROW(LevelUp(c, db, rng), FieldRangeError);
    EXPECT_TRUE(c == before);
}

// --- the rest outcome ------------------------------------------------------------------

// The first seed from `from` whose first d3 is (or is not) 1.
std::uint64_t seedWithFate(bool one, std::uint64_t from = 1) {
    for (std::uint64_t seed = from;; ++seed) {
        Rng mirror(seed);
        if ((rollDice(mirror, 1, 3, 0) == 1) == one) return seed;
    }
}

TEST(Rest, OldAgeTakesOnlyTheVeryOldWithoutTheSkill) {
    struct Case {
        int age;
        bool skill68;
        bool fateOne;
        bool dies;
    };
    const Case cases[] = {
        {81, false, true, true}, {81, false, false, false}, {80, false, true, false},
        {81, true, true, false}, {200, false, true, true},
    };
    Database db;
    for (const Case& k : cases) {
        Character c = person();
        c.age = static_cast<std::int16_t>(k.age);
        c.skills[kSkillNoOldAge] = k.skill68 ? 1 : 0;
        const Character before = c;
        Rng rng(seedWithFate(k.fateOne));
        const RestOutcome out = RestAfterStay(c, db, rng);
        SCOPED_TRACE(k.age);
        if (k.dies) {
            EXPECT_EQ(out.result, RestResult::kDiedOfAge);
            EXPECT_EQ(out.dialogs, (std::vector<std::string>{"・・・・・・・・",
                                                             "どうやら私はここまでのようだ・・・",
                                                             "テストは\n静かに息を引き取った"}));
            EXPECT_TRUE(c == before);  // the caller erases the slot
        } else {
            EXPECT_NE(out.result, RestResult::kDiedOfAge);
        }
    }
}

TEST(Rest, BirthdaysFoldDaysIntoYears) {
    struct Case {
        int days;
        bool skill67;
        int age, daysAfter;
        bool party;
    };
    const Case cases[] = {
        {365, false, 20, 365, false},  // exactly a year is not yet a birthday
        {366, false, 21, 1, true},
        {3000, false, 28, 80, true},
        {800, true, 20, 70, false},  // the skill keeps the age but not the days
    };
    Database db;
    for (const Case& k : cases) {
        Character c = person();
        c.ageDays = static_cast<std::int16_t>(k.days);
        c.skills[kSkillNoBirthdays] = k.skill67 ? 1 : 0;
        Rng rng(1);
        const RestOutcome out = RestAfterStay(c, db, rng);
        EXPECT_EQ(c.age, k.age) << k.days;
        EXPECT_EQ(c.ageDays, k.daysAfter);
        const bool shown =
            !out.dialogs.empty() && out.dialogs[0].rfind("ハッピーバースデー", 0) == 0;
        EXPECT_EQ(shown, k.party);
        if (k.party) {
            EXPECT_EQ(out.dialogs[0],
                      "ハッピーバースデー\r＼(^o^)／\rテストは\n誕生日を迎えました");
        }
    }
}

TEST(Rest, MissingExperienceOrExactlyOneLevel) {
    Database db;
    Character c = person(1, 1);
    c.experience = 900;
    c.hitPoints = 15;  // above the maximum: capped
    c.maxSpellPoints(1, 2) = 3;
    Rng rng(1);
    RestOutcome out = RestAfterStay(c, db, rng);
    EXPECT_EQ(out.result, RestResult::kStillLacking);
    EXPECT_EQ(out.dialogs, std::vector<std::string>{"次のＬＶまであと１００ポイントです"});
    EXPECT_EQ(c.level, 1);
    EXPECT_EQ(c.hitPoints, 10);
    EXPECT_EQ(c.spellPoints(1, 2), 3);

    // Experience for many levels still gives one.
    c.experience = 10'000'000;
    c.skills[kSkillFixedAttributes] = 1;
    out = RestAfterStay(c, db, rng);
    EXPECT_EQ(out.result, RestResult::kRoseLevel);
    EXPECT_EQ(c.level, 2);
    EXPECT_EQ(c.experience, 10'000'000);
    ASSERT_FALSE(out.dialogs.empty());
    EXPECT_EQ(out.dialogs[0].rfind("テストはＬＶが上がった", 0), 0u);
}

TEST(Rest, AnAgeAtItsLimitStaysThereAndTheRestGoesOn) {
    Database db;
    Character c = person();
    c.age = 32766;
    c.skills[kSkillNoOldAge] = 1;
    c.ageDays = 800;  // two birthdays
    Rng rng(3);
    const RestOutcome out = RestAfterStay(c, db, rng);
    EXPECT_NE(out.result, RestResult::kDiedOfAge);
    EXPECT_EQ(c.age, 32767);
    EXPECT_EQ(c.ageDays, 70);
}

TEST(Rest, DamagedFieldsAbandonTheRestUnchanged) {
    struct Case {
        const char* label;
        void (*damage)(Character&);
    };
    const Case cases[] = {
        {"level 0", [](Character& c) { c.level = 0; }},
        {"experience not a number",
         [](Character& c) { c.experience = std::numeric_limits<double>::quiet_NaN(); }},
        {"level at its limit with enough experience",
         [](Character& c) {
             c.level = std::numeric_limits<std::int32_t>::max();
             c.experience = 1e300;
         }},
    };
    Database db;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.label);
        Character c = person();
        k.damage(c);
        const Character before = c;
        Rng rng(seedWithFate(false));
        EXPECT_THROW(RestAfterStay(c, db, rng), FieldRangeError);
        if (std::isnan(before.experience))
            EXPECT_TRUE(std::isnan(c.experience));
        else
            EXPECT_TRUE(c == before);
    }
}

}  // namespace
}  // namespace dv
