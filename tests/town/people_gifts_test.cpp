// The people's gift rules without the conversation's screen (as the bot uses them): each
// trade takes the gift and gives the reward, a worn or empty slot is refused, and the
// words that earn a gift give it once.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "characters/inventory.h"
#include "characters/party.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "support/game_harness.h"
#include "town/people_gifts.h"

namespace dv {
namespace {

std::string noText(int) {
    return "";
}

class PeopleGifts : public ::testing::Test {
  protected:
    void SetUp() override {
        game = test::LoadShippedWorld();
        ASSERT_TRUE(game);
        game->answerPrompt = [](const std::string&, int mode) {
            return mode == kPromptQuestion ? std::string("-1") : std::string("0");
        };
        Character& c = game->save.roster[1];
        c.rosterId = 1;
        c.name = "なかま";
        c.hitPoints = c.maxHitPoints = 10;
        AddToParty(*game, 1);
    }
    Character& member() { return game->save.roster[1]; }
    int slotOf(int item) {
        for (int s = 1; s <= kInventorySlots; ++s)
            if (member().items[static_cast<size_t>(s)].itemId == item) return s;
        return 0;
    }
    int give(int item) {
        EXPECT_EQ(StoreItem(member(), game->db, item, false, 1), 0);
        return slotOf(item);
    }

    std::unique_ptr<Game> game;
};

TEST_F(PeopleGifts, EachTradeTakesTheGiftAndGivesItsReward) {
    struct Case {
        int person, gift, reward;
    };
    for (const Case& t : {Case{3, 630, 613}, Case{4, 614, 634}, Case{8, 617, 637},
                          Case{9, 637, 638}, Case{1, 630, 0}}) {
        SCOPED_TRACE("person " + std::to_string(t.person) + " item " + std::to_string(t.gift));
        member().items = {};
        ASSERT_TRUE(GiveToPerson(*game, t.person, 1, give(t.gift), noText));
        EXPECT_EQ(slotOf(t.gift), 0);
        if (t.reward != 0) {
            EXPECT_NE(slotOf(t.reward), 0);
        }
    }
}

// The table the bot plans its errands by is what the people do.
TEST_F(PeopleGifts, TheTradeTableIsWhatThePeopleDo) {
    ASSERT_FALSE(GiftTrades().empty());
    for (const GiftTrade& t : GiftTrades()) {
        SCOPED_TRACE("person " + std::to_string(t.person) + " item " + std::to_string(t.item));
        member().items = {};
        game->save.eventFlags = {};
        ASSERT_TRUE(GiveToPerson(*game, t.person, 1, give(t.item), noText));
        EXPECT_EQ(slotOf(t.item), 0);
        if (t.reward != 0) {
            EXPECT_NE(slotOf(t.reward), 0);
        }
        for (int f = 0; f < kEventFlagCount; ++f)
            EXPECT_EQ(game->save.eventFlags[static_cast<size_t>(f)], f == t.flag ? 1 : 0) << f;
    }
    // The thief's word is in the word table with what it gives.
    bool thief = false;
    for (const WordGiftRule& w : WordGifts())
        thief = thief || (w.person == 6 && std::string(w.word) == "卑しい盗賊" && w.reward == 609);
    EXPECT_TRUE(thief);
}

TEST_F(PeopleGifts, TheWineLiftsTheDrunkardsSeal) {
    ASSERT_TRUE(GiveToPerson(*game, 5, 1, give(615), noText));
    EXPECT_EQ(game->save.eventFlags[4], 1);
}

TEST_F(PeopleGifts, AWornOrEmptySlotIsRefusedAndNothingChanges) {
    const int slot = give(630);
    member().items[static_cast<size_t>(slot)].itemFlags |= 3;
    EXPECT_FALSE(GiveToPerson(*game, 3, 1, slot, noText));
    EXPECT_NE(slotOf(630), 0);
    EXPECT_EQ(slotOf(613), 0);
    EXPECT_FALSE(GiveToPerson(*game, 3, 1, kInventorySlots, noText));
    EXPECT_FALSE(GiveToPerson(*game, 3, 1, kInventorySlots + 1, noText));
    EXPECT_FALSE(GiveToPerson(*game, 3, 0, slot, noText));
}

TEST_F(PeopleGifts, TheThiefsWordGivesTheTallyOnce) {
    EXPECT_FALSE(WordGift(*game, 6, "こんにちは", noText));
    EXPECT_TRUE(WordGift(*game, 6, "卑しい盗賊", noText));
    EXPECT_NE(slotOf(609), 0);
    EXPECT_TRUE(WordGift(*game, 6, "卑しい盗賊", noText));
    int tallies = 0;
    for (const ItemSlot& s : member().items)
        tallies += s.itemId == 609 ? 1 : 0;
    EXPECT_EQ(tallies, 1);
}

}  // namespace
}  // namespace dv
