// The shop's selling and identifying rules without the screen (as the bot uses them).

#include <gtest/gtest.h>

#include "characters/equipment_rules.h"
#include "characters/inventory.h"
#include "core/data/data_files.h"
#include "town/shop_rules.h"

namespace dv {
namespace {

constexpr int kSword = 3;  // 旅人の剣, 80 gold
constexpr int kHorn = 29;  // an event item

TEST(ShopRules, SellingTakesHalfThePriceOneGoldUnidentifiedAndRefusesWhatMustStay) {
    Database db;
    SaveData save;
    ASSERT_TRUE(LoadAllData(db, save, DV_TEST_GAME_DIR).ok);
    struct Case {
        const char* what;
        int item;
        std::int32_t flags;
        double gold;
        Sale sale;
        double after;
    };
    const Case cases[] = {
        {"identified", kSword, 0, 10, Sale::kSold, 50},
        {"unidentified", kSword, kItemUnidentified, 10, Sale::kSold, 11},
        {"worn", kSword, kEquipPrimary, 10, Sale::kWorn, 10},
        {"cursed", kSword, kItemCursedWorn, 10, Sale::kCursed, 10},
        {"an event item", kHorn, 0, 10, Sale::kNotTaken, 10},
        {"a full purse", kSword, 0, kGoldLimit, Sale::kPurseFull, kGoldLimit},
    };
    for (const Case& k : cases) {
        Character c;
        c.gold = k.gold;
        c.items[1] = ItemSlot{k.item, k.flags, 1};
        const std::int32_t stock = save.shopStock[static_cast<size_t>(k.item)];
        EXPECT_EQ(SellItem(save, db, c, 1, 0), k.sale) << k.what;
        EXPECT_EQ(c.gold, k.after) << k.what;
        const bool sold = k.sale == Sale::kSold;
        EXPECT_EQ(c.items[1].itemId, sold ? 0 : k.item) << k.what;
        EXPECT_EQ(save.shopStock[static_cast<size_t>(k.item)], stock + (sold ? 1 : 0)) << k.what;
    }
    Character c;
    EXPECT_EQ(SellItem(save, db, c, 1, 0), Sale::kNothing);
    EXPECT_EQ(SellItem(save, db, c, 16, 0), Sale::kNothing);
}

TEST(ShopRules, IdentifyingCostsHalfThePriceWhenTheGoldReaches) {
    Database db;
    SaveData save;
    ASSERT_TRUE(LoadAllData(db, save, DV_TEST_GAME_DIR).ok);
    Character c;
    c.items[1] = ItemSlot{kSword, kItemUnidentified, 1};
    c.gold = 39;
    EXPECT_FALSE(IdentifyForFee(db, c, 1));
    EXPECT_EQ(c.items[1].itemFlags, kItemUnidentified);
    c.gold = 40;
    EXPECT_TRUE(IdentifyForFee(db, c, 1));
    EXPECT_EQ(c.gold, 0);
    EXPECT_EQ(c.items[1].itemFlags, 0);
    EXPECT_FALSE(IdentifyForFee(db, c, 0));
}

}  // namespace
}  // namespace dv
