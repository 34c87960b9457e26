// The roster's delete and rename rules, the usable bit and the inventory lines of every
// list that shows a character's belongings.

#include <gtest/gtest.h>

#include <string>

#include "characters/inventory.h"
#include "characters/roster_rules.h"
#include "core/data/database.h"
#include "core/data/save_data.h"

namespace dv {
namespace {

Database itemsFixture() {
    Database db;
    db.itemTable.resize(4);
    ItemRecord& sword = db.itemTable[1];
    sword.itemNumber = 1;
    sword.name = "長剣";
    sword.altName = "剣";
    sword.kind = 1;
    sword.sexMask = 3;
    sword.alignmentMask = 7;
    sword.raceMask = 2047;
    sword.classMask = 1;  // fighters only
    ItemRecord& herb = db.itemTable[2];
    herb.itemNumber = 2;
    herb.name = "薬草";
    herb.altName = "草";
    herb.kind = 8;
    herb.sexMask = 3;
    herb.alignmentMask = 7;
    herb.raceMask = 2047;
    herb.classMask = 262143;
    return db;
}

TEST(RosterRules, DeleteEmptiesTheSlotAndRenameRefusesATakenName) {
    SaveData save;
    save.roster[1].rosterId = 1;
    save.roster[1].name = "アラン";
    save.roster[2].rosterId = 2;
    save.roster[2].name = "ベル";

    EXPECT_FALSE(RenameCharacter(save, 1, "ベル"));
    EXPECT_EQ(save.roster[1].name, "アラン");
    EXPECT_TRUE(RenameCharacter(save, 1, "カイ"));
    EXPECT_EQ(save.roster[1].name, "カイ");
    EXPECT_FALSE(RenameCharacter(save, 3, "ダン")) << "an empty slot has nobody to rename";
    EXPECT_FALSE(RenameCharacter(save, 0, "ダン"));
    EXPECT_FALSE(RenameCharacter(save, kRosterSlots, "ダン"));

    DeleteCharacter(save, 2);
    EXPECT_EQ(save.roster[2].rosterId, 0);
    EXPECT_EQ(save.roster[2].name, "");
    DeleteCharacter(save, kRosterSlots);  // out of range: nothing happens
    EXPECT_EQ(save.roster[1].name, "カイ");
}

TEST(InventoryRules, TheUsableBitFollowsTheOwnersClass) {
    Database db = itemsFixture();
    Character c;
    c.sex = 1;
    c.alignment = 2;
    c.race = 1;
    c.classBit = 2;  // not a fighter
    c.items[1] = {1, 0, 1};
    c.items[2] = {2, kItemUnusable, 3};
    RefreshAllUsable(c, db);
    EXPECT_NE(c.items[1].itemFlags & kItemUnusable, 0);
    EXPECT_EQ(c.items[2].itemFlags & kItemUnusable, 0);
    c.classBit = 1;
    RefreshUsable(c, db, 1);
    EXPECT_EQ(c.items[1].itemFlags & kItemUnusable, 0);
    c.items[3] = {999, 0, 1};  // an item number outside the table is never usable
    RefreshUsable(c, db, 3);
    EXPECT_NE(c.items[3].itemFlags & kItemUnusable, 0);
}

TEST(InventoryRules, EachListWritesItsOwnLines) {
    Database db = itemsFixture();
    Character c;
    c.items[2] = {1, 1, 1};                   // worn in the first position
    c.items[5] = {2, kItemUnidentified, 12};  // an unidentified herb, twelve of them
    struct Case {
        InventoryLineStyle style;
        std::string first, second;
    };
    const Case cases[] = {
        {kSheetLines, "1 :* 長剣", "2 :? 草 × １２"},
        {kPreviewLines, "1:* 長剣", "2:? 草 × 12"},
        {kMarkedLines, "1:* 長剣", "2:? 草"},
        {kPlainLines, "1:長剣", "2:草"},
    };
    for (const Case& k : cases) {
        auto rows = InventoryLines(db, c, k.style);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].text, k.first);
        EXPECT_EQ(rows[0].slot, 2);
        EXPECT_EQ(rows[1].text, k.second);
        EXPECT_EQ(rows[1].slot, 5);
    }
}

TEST(InventoryRules, TheWornMarkNeedsFlagsOneToEight) {
    struct Case {
        std::int32_t flags;
        const char* mark;
    };
    const Case cases[] = {{0, "  "},
                          {1, "* "},
                          {8, "* "},
                          {9, "  "},
                          {15, "  "},
                          {kItemCursedWorn | 1, "- "},
                          {kItemUnusable, "# "},
                          {kItemUnidentified | kItemUnusable, "? "}};
    for (const Case& k : cases) {
        ItemSlot s{1, k.flags, 1};
        EXPECT_EQ(ItemMark(s), k.mark) << "flags " << k.flags;
    }
}

}  // namespace
}  // namespace dv
