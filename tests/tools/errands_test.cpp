// The bot's errands on the game's own data: the next link of the chain that still stands
// between a party and the ending, read back from the ending through the map events, the
// people's trades and the dungeons' opening needs.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "campaign.h"
#include "characters/inventory.h"
#include "characters/party.h"
#include "core/game.h"
#include "errands.h"
#include "support/game_harness.h"

namespace dv {
namespace {

using bot::Errand;
using bot::NextErrand;

class Errands : public ::testing::Test {
  protected:
    void SetUp() override {
        game = test::LoadShippedWorld();
        ASSERT_TRUE(game);
        for (int i = 1; i <= 6; ++i) {
            Character& c = game->save.roster[static_cast<size_t>(i)];
            c.rosterId = i;
            c.name = "なかま" + std::to_string(i);
            c.level = 100;
            c.hitPoints = c.maxHitPoints = 500;
            AddToParty(*game, i);
        }
    }
    // The world as a party deep in Pandemonium knows it (the flags of a whole run that got
    // there): the valley's, Avalon's and Babel's ways open, Pandemonium's levers pulled, the
    // keys and orbs held and the sun half of the little key.
    void deepInPandemonium() {
        for (int flag :
             {0, 1, 2, 3, 6, 8, 9, 11, 13, 15, 16, 17, 18, 20, 23, 24, 25, 27, 28, 30, 31, 42})
            set(flag);
        game->save.eventFlags[5] = 3;
        game->save.eventFlags[10] = 4;
        hold({28,  602, 606, 608, 609, 610, 611, 612, 613, 614, 618,
              619, 620, 621, 622, 623, 624, 625, 626, 629, 635, 637});
    }
    void set(int flag) { game->save.eventFlags[static_cast<size_t>(flag)] = 1; }
    void hold(std::initializer_list<int> items) {
        int member = 1;
        for (int item : items) {
            Character& c = game->save.roster[static_cast<size_t>(member)];
            ASSERT_EQ(StoreItem(c, game->db, item, false, 1), 0) << item;
            member = member % 6 + 1;
        }
    }
    std::string where(const Errand& e) const {
        return std::to_string(e.dungeon) + "/" + std::to_string(e.cell.floor) + " (" +
               std::to_string(e.cell.x) + "," + std::to_string(e.cell.y) + ")";
    }

    std::unique_ptr<Game> game;
};

// Each step of the chain to the moon half of the little key, from the state the step before
// leaves: the wine's treasury, the drunkard, the vault his seal kept shut.
TEST_F(Errands, TheMoonHalfIsFetchedLinkByLink) {
    deepInPandemonium();
    struct Step {
        std::initializer_list<int> items;
        std::initializer_list<int> flags;
        Errand::Kind kind;
        const char* cell;
        const char* chainEnd;
    };
    const Step steps[] = {
        {{}, {}, Errand::kSearch, "22/3 (18,2)", "item 615 -> flag 4 -> item 636"},
        {{615}, {}, Errand::kStepOn, "23/3 (15,2)", "flag 4 -> item 636"},
        {{}, {4}, Errand::kSearch, "24/4 (17,15)", "item 636"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.cell);
        hold(s.items);
        for (int f : s.flags)
            set(f);
        if (s.flags.size() > 0) {
            // The wine went to the drunkard.
            for (int i = 1; i <= 6; ++i)
                RemoveItemById(game->save.roster[static_cast<size_t>(i)], game->db, 615,
                               game->place.partyEffects);
        }
        const std::optional<Errand> e = NextErrand(*game, 100);
        ASSERT_TRUE(e.has_value());
        EXPECT_EQ(e->kind, s.kind);
        EXPECT_EQ(where(*e), s.cell);
        EXPECT_NE(e->chain.find(s.chainEnd), std::string::npos) << e->chain;
        EXPECT_EQ(e->chain.substr(e->chain.size() - 7), "flag 41") << e->chain;
    }
}

// A gate on the way is a need of its own: without the stone gatekeeper beaten (flag 25,
// called up with the bell 603) the treasury below cannot be reached.
TEST_F(Errands, AShutGateOnTheWayComesFirst) {
    deepInPandemonium();
    game->save.eventFlags[25] = 0;
    hold({603});
    const std::optional<Errand> e = NextErrand(*game, 100);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->kind, Errand::kUseItem);
    EXPECT_EQ(e->item, 603);
    EXPECT_EQ(where(*e), "22/2 (19,12)");
    EXPECT_NE(e->chain.find("flag 25 -> item 615"), std::string::npos) << e->chain;
}

// The party's level bounds the errand: the drunkard's floor wants more than a party of 20
// has, so that trip waits; whatever else it is sent to lies within its level.
TEST_F(Errands, AFloorAboveThePartysLevelWaits) {
    deepInPandemonium();
    hold({615});
    for (int level : {20, 100}) {
        SCOPED_TRACE(level);
        const std::optional<Errand> e = NextErrand(*game, level);
        ASSERT_EQ(e.has_value() && where(*e) == "23/3 (15,2)", level == 100);
        EXPECT_TRUE(!e || bot::LevelNeeded(e->dungeon, e->cell.floor) <= level) << e->chain;
    }
}

// The queen's room lies beyond the rubble row the floor settles on a first visit: the
// puzzle's cell comes before the queen.
TEST_F(Errands, AnUnsettledPuzzleFloorIsVisitedFirst) {
    deepInPandemonium();
    hold({605, 636});
    set(4);
    // Everything of the Lemegeton but the queen's seal (638).
    for (int flag : {21, 34, 35, 36, 37, 38, 39, 40})
        set(flag);
    hold({632, 633, 639, 640, 641, 642, 643, 644, 645, 646});
    game->save.eventFlags[5] = 0;
    std::optional<Errand> e = NextErrand(*game, 150);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(where(*e), "21/5 (3,6)") << e->chain;
    EXPECT_NE(e->chain.find("flag 5 -> item 638"), std::string::npos) << e->chain;
    game->save.eventFlags[5] = 3;
    e = NextErrand(*game, 150);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(where(*e), "21/5 (6,15)") << e->chain;
    EXPECT_EQ(e->kind, Errand::kStepOn);
}

TEST_F(Errands, NoneOnceTheEndingIsReached) {
    set(41);
    EXPECT_FALSE(NextErrand(*game, 300).has_value());
}

}  // namespace
}  // namespace dv
