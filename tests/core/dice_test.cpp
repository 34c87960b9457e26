#include "core/data/dice.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/data/checked.h"

namespace dv {
namespace {

TEST(Dice, EdgeCases) {
    Rng rng(1);
    const struct {
        int count, sides, bonus, expected;
    } cases[] = {
        {0, 6, 5, 5}, {3, 1, 0, 3},    {2, 0, 0, 2},  {-4, 6, 2, 2},
        {1, 0, 1, 2}, {0, -5, -3, -3}, {5, 1, -5, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rollDice(rng, c.count, c.sides, c.bonus), c.expected)
            << c.count << "d" << c.sides << "+" << c.bonus;
    }
}

TEST(Dice, EveryFaceComesUpAndNothingElse) {
    Rng rng(2);
    std::map<int, int> seen;
    for (int i = 0; i < 10000; ++i)
        ++seen[rollDice(rng, 1, 10, 0)];
    ASSERT_EQ(seen.size(), 10u);
    EXPECT_EQ(seen.begin()->first, 1);
    EXPECT_EQ(seen.rbegin()->first, 10);
    for (const auto& [face, count] : seen)
        EXPECT_GT(count, 800) << face;
}

TEST(Dice, NegativeSidesStayBetweenSidesPlusOneAndOne) {
    Rng rng(3);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i)
        seen.insert(rollDice(rng, 1, -4, 0));
    EXPECT_EQ(seen, (std::set<int>{-3, -2, -1, 0}));
}

TEST(Dice, RollsInOneInstantDoNotRepeat) {
    // The nine hit-point rolls of one group are made back to back.
    Rng rng(seedFromEntropy());
    std::set<int> rolls;
    for (int i = 0; i < 9; ++i)
        rolls.insert(rollDice(rng, 3, 100, 0));
    EXPECT_GT(rolls.size(), 1u);
}

TEST(Dice, ASeedGivesTheSameRolls) {
    Rng a(99), b(99);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(rollDice(a, 2, 20, 1), rollDice(b, 2, 20, 1));
}

TEST(Dice, TotalsBeyondTheirFieldsAreErrors) {
    Rng rng(4);
    EXPECT_THROW(rollDice(rng, 40000, 6, 0), FieldRangeError);
    EXPECT_THROW(rollDice(rng, 2, 2147483647LL, 2147483647LL), FieldRangeError);
}

}  // namespace
}  // namespace dv
