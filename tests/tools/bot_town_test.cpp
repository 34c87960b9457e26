// The bot's care of the world's items in town: the keeper holds what the dungeon ahead
// does not ask for and gives back what it does, and the fallen and the newcomers hand the
// world's items to the seasoned before the temple could lose them.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "characters/inventory.h"
#include "characters/party.h"
#include "core/game.h"
#include "run_log.h"
#include "support/game_harness.h"
#include "town_visit.h"

namespace dv {
namespace {

constexpr int kKeeper = 7;

class BotTown : public ::testing::Test {
  protected:
    void SetUp() override {
        game = test::LoadShippedWorld();
        ASSERT_TRUE(game);
        for (int i = 1; i <= kKeeper; ++i) {
            Character& c = member(i);
            c.rosterId = i;
            c.name = "なかま" + std::to_string(i);
            c.level = 50;
            c.hitPoints = c.maxHitPoints = 300;
            if (i <= 3) company.push_back(i);
        }
        bot::FormParty(*game, company);
    }
    Character& member(int slot) { return game->save.roster[static_cast<size_t>(slot)]; }
    bool holds(int slot, int item) {
        for (const ItemSlot& s : member(slot).items)
            if (s.itemId == item) return true;
        return false;
    }
    void give(int slot, int item) {
        ASSERT_EQ(StoreItem(member(slot), game->db, item, false, 1), 0);
    }

    std::unique_ptr<Game> game;
    bot::Company company;
    std::ostringstream out;
    bot::RunLog log{out, true};
};

// The treasury key (613) opens a door of Avalon (22); the moon half of the little key (636)
// is asked for only by the Lemegeton's opening (25).
TEST_F(BotTown, TheKeeperHoldsWhatTheDungeonAheadDoesNotAskFor) {
    give(1, 613);
    give(2, 636);
    bot::StowWorldItems(*game, kKeeper, 22, log);
    EXPECT_TRUE(holds(1, 613));
    EXPECT_FALSE(holds(2, 636));
    EXPECT_TRUE(holds(kKeeper, 636));
    bot::StowWorldItems(*game, kKeeper, 25, log);
    EXPECT_TRUE(holds(kKeeper, 613));
    EXPECT_FALSE(holds(kKeeper, 636));
    EXPECT_TRUE(holds(1, 636) || holds(2, 636) || holds(3, 636));
}

// Loot is not the world's, nor the gear a search of the floors turns up (Avalon's treasury
// keeps 119): the keeper leaves them in the pack.
TEST_F(BotTown, TheKeeperTakesOnlyTheWorldsItems) {
    for (int loot : {8, 119}) {
        SCOPED_TRACE(loot);
        give(1, loot);
        bot::StowWorldItems(*game, kKeeper, 21, log);
        EXPECT_TRUE(holds(1, loot));
        EXPECT_FALSE(holds(kKeeper, loot));
    }
}

// A fallen member hands its world items to one standing; its loot stays with it.
TEST_F(BotTown, TheFallenHandTheWorldsItemsOver) {
    give(2, 617);
    give(2, 8);
    member(2).status = kStatusDead;
    member(2).hitPoints = 0;
    bot::SecureWorldItems(*game, company, kKeeper);
    EXPECT_FALSE(holds(2, 617));
    EXPECT_TRUE(holds(1, 617) || holds(3, 617));
    EXPECT_TRUE(holds(2, 8));
}

// A newcomer far below the others gives the world's items to the seasoned.
TEST_F(BotTown, ANewcomerHandsTheWorldsItemsToTheSeasoned) {
    member(3).level = 1;
    give(3, 617);
    bot::StowWorldItems(*game, kKeeper, 23, log);
    EXPECT_FALSE(holds(3, 617));
    EXPECT_TRUE(holds(1, 617) || holds(2, 617));
}

}  // namespace
}  // namespace dv
