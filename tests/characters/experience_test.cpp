// Experience per level and level drain.

#include "characters/experience.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(Experience, LevelsClassesAndRaces) {
    struct Case {
        std::int64_t level;
        std::int32_t classBit, race;
        double expected;
    };
    const Case cases[] = {
        {0, 1, 1, 0},
        {-3, 1, 1, 0},
        {1, 1, 1, 1000},
        {2, 2, 64, 2312},  // 2300 x 1.005 = 2311.5 rounds to the even neighbour
        {20, 1024, 1, 4890494},
        {21, 1024, 1, 9774074},  // counted from level 15 above level 20
        {21, 1, 1, 4034033 + 600495},
        {21, 16, 1, 4830932 + 809404},  // continues from its own base, not the level-20 value
        {5, 4096, 1, 0},                // no row for this class
        {1, 1, 2, 1010},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExperienceForLevel(c.level, c.classBit, c.race), c.expected)
            << "level " << c.level << " class " << c.classBit << " race " << c.race;
}

TEST(Experience, DrainStopsAtLevelOneButTakesEveryRound) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        Rng rng;
        rng.seed(seed);
        Character c;
        c.level = 2;
        c.classBit = 1;
        c.race = 1;
        c.experience = 1200;
        c.vitality = 18;
        c.strength = c.wisdom = c.piety = c.agility = c.luck = 1;
        c.dexterity = c.charm = 9;
        c.maxHitPoints = c.hitPoints = 12;
        DrainLevels(c, 3, rng);
        EXPECT_EQ(c.level, 1);
        EXPECT_EQ(c.experience, 0);
        EXPECT_GE(c.maxHitPoints, 1);
        EXPECT_LE(c.hitPoints, c.maxHitPoints);
        EXPECT_LT(c.maxHitPoints, 12) << "three rounds of hit point loss";
        EXPECT_EQ(c.dexterity, 9);
        EXPECT_EQ(c.charm, 9);
    }
}

TEST(Experience, DrainSetsExperienceToTheStartOfTheNewLevel) {
    Rng rng;
    rng.seed(7);
    Character c;
    c.level = 10;
    c.classBit = 2;
    c.race = 1;
    c.vitality = 10;
    c.maxHitPoints = c.hitPoints = 60;
    DrainLevels(c, 2, rng);
    EXPECT_EQ(c.level, 8);
    EXPECT_EQ(c.experience, ExperienceForLevel(7, 2, 1));
}

}  // namespace
}  // namespace dv
