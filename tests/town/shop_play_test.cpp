// The shop through the town's menus: buying by category, selling back, curses and
// identification, pooling gold, and what a full pack or an empty purse do.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "characters/equipment_rules.h"
#include "characters/races_classes.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/window_of.h"
#include "items/item_fixture.h"
#include "items/status_sheet.h"
#include "support/game_harness.h"
#include "town/shop.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::GameHarness;
using namespace test;

MainWindow& mainOf(GameHarness& h) {
    return *h.game().screens->main;
}
Character& at(GameHarness& h, int slot) {
    return h.game().save.roster[static_cast<size_t>(slot)];
}

std::string spaces(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "　";
    return s;
}

void setUp(GameHarness& h) {
    h.startToTown();
    StockItems(h.game());
    FormParty(h.game(), {{"アルテア", kLawful, 1, 1, kMale}, {"ベルカ", kNeutral, 2, 2, kFemale}});
    h.game().save.eventFlags[19] = 4;
    auto& stock = h.game().save.shopStock;
    stock[kLongSword] = 2;
    stock[kShield] = 1;
    stock[kCursedHelm] = 1;
    stock[kPotion] = 5;
    stock[kMageStaff] = 1;
    stock[kKey] = -1;
    at(h, 1).gold = 1000;
}

// From the town menu into the shop as the first member.
void enterShop(GameHarness& h) {
    h.script().key('M').check([&] {
        EXPECT_EQ(h.game().menuState, kShopMenu);
        EXPECT_FALSE(mainOf(h).lstCommandList.enabled());
        EXPECT_TRUE(mainOf(h).fraParty.hasFocus());
        EXPECT_EQ(mainOf(h).lbl.caption(),
                  "ティアマト商店\r誰が入りますか？ 番号を選んで下さい\r\rＥＳＣ or ＢＳで抜ける");
    });
    h.script().key('1').check([&] {
        EXPECT_TRUE(mainOf(h).lstCommandList.hasFocus());
        EXPECT_EQ(mainOf(h).lbl.caption(),
                  "いらっしゃい アルテア　さん   今日はどのようなご用件で？");
    });
}

TEST(ShopPlay, BuyASwordAndAShieldAndWearThem) {
    GameHarness h;
    setUp(h);
    enterShop(h);
    h.script().key('B').key('W').key('W').check([&] {
        EXPECT_EQ(h.game().menuState, kShopWeapons);
        EXPECT_EQ(h.commandEntries(),
                  (std::vector<std::string>{"ロングソード" + spaces(14 + 3 + 5) + "１２０　",
                                            "前に戻る"}));
        EXPECT_EQ(
            mainOf(h).lbl.caption(),
            "何をお買い上げですか？\r所持金 １０００\rＥｎｔｅｒで購入  Ｅｓｃ or ＢＳで抜ける");
    });
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("まいどありっ\r他にも何かいかがですか？"));
    });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(at(h, 1).gold, 880);
        EXPECT_EQ(h.game().save.shopStock[kLongSword], 1);
        EXPECT_EQ(at(h, 1).items[1], (ItemSlot{kLongSword, 0, 1}));
        EXPECT_EQ(
            mainOf(h).lbl.caption(),
            "何をお買い上げですか？\r所持金 ８８０\rＥｎｔｅｒで購入  Ｅｓｃ or ＢＳで抜ける");
    });
    // Back to the categories; the last shield goes from the list at once.
    h.script().key(keys::Esc).key(keys::Esc).check(
        [&] { EXPECT_EQ(h.game().menuState, kShopCategories); });
    h.script().key('S').key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("まいどありっ\rこれが最後の一つですよ"));
    });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(h.commandEntries(), (std::vector<std::string>{"前に戻る"}));
        EXPECT_EQ(h.game().save.shopStock[kShield], 0);
    });
    // A mage's staff is sold to a fighter all the same, marked.
    h.script().key(keys::Esc).key('W').key('F').check(
        [&] { EXPECT_EQ(h.commandEntries()[0], "魔導士の杖" + spaces(15 + 3 + 5) + "１５０＃"); });
    // Out of the shop and to the tavern to look at the sheet.
    h.script().key(keys::Esc).key(keys::Esc).key(keys::Esc).key('L').key(keys::Esc);
    h.script().check([&] { EXPECT_EQ(h.game().menuState, 8); });
    h.script().key('G').key('I').key('1');
    h.script().key('E').key(keys::Enter).key(keys::Enter);
    h.script().key(keys::Down).key(keys::Enter).key(keys::Enter);
    h.script().key(keys::Esc).key(keys::Enter).check([&] {
        const int armor = RaceOf(1)->baseArmorClass - 2;
        EXPECT_EQ(WindowOf<StatusSheet>(h.game()).lblStatu[6].caption(), std::to_string(armor));
        EXPECT_EQ(at(h, 1).items[1].itemFlags, kEquipPrimary);
        EXPECT_EQ(at(h, 1).items[2].itemFlags, kEquipSecondary);
    });
    h.script().key('L');
    h.run();
}

TEST(ShopPlay, ACursedHelmSticksUntilTheShopTakesItAway) {
    GameHarness h;
    setUp(h);
    at(h, 1).items[1] = {kPotion, 0, 2};
    at(h, 1).items[2] = {kCursedHelm, kEquipHead | kItemCursedWorn, 1};
    at(h, 1).items[3] = {kHide, 0, 3};
    ResetDerived(at(h, 1));
    ApplyEquipment(at(h, 1), h.game().db, 0);
    const int raceArmor = RaceOf(1)->baseArmorClass;
    ASSERT_EQ(at(h, 1).baseArmorClass, raceArmor + 3);
    enterShop(h);
    // Cursed things are not bought back.
    h.script().key('S').key(keys::Down).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("呪われてますよ"));
    });
    h.script().key(keys::Space).key(keys::Esc);
    h.script().key('D').check([&] {
        EXPECT_EQ(h.game().menuState, kShopCurses);
        EXPECT_EQ(
            h.commandEntries(),
            (std::vector<std::string>{"０２　呪いの兜" + spaces(16 + 2 + 5) + "１００", "戻る"}));
    });
    h.script().key(keys::Enter).check([&] { EXPECT_TRUE(h.showsText("呪いを解きました")); });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(h.game().menuState, kShopMenu) << "nothing else is cursed";
        EXPECT_EQ(at(h, 1).gold, 900);
        EXPECT_EQ(at(h, 1).items[2], ItemSlot{}) << "the curse went with the helm";
        EXPECT_EQ(at(h, 1).baseArmorClass, raceArmor);
    });
    // The row names its slot: after the gap, the hides on the second row are sold.
    h.script().key('S').check([&] {
        EXPECT_EQ(h.commandEntries()[1],
                  "０３　獣の皮" + spaces(13 + 2) + "×　１／３" + spaces(7) + "２");
    });
    h.script().key(keys::Down).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("まいどあり"));
    });
    h.script().key(keys::Space);
    h.run();
    EXPECT_EQ(at(h, 1).gold, 902);
    EXPECT_EQ(at(h, 1).items[1], (ItemSlot{kPotion, 0, 2}));
    EXPECT_EQ(at(h, 1).items[2], (ItemSlot{kHide, 0, 2}));
}

TEST(ShopPlay, SellingBackRestoresTheStock) {
    GameHarness h;
    setUp(h);
    h.game().save.shopStock[kLongSword] = 0;
    at(h, 1).items[1] = {kLongSword, 0, 1};
    at(h, 1).items[2] = {kShield, kItemUnidentified, 1};
    at(h, 1).items[3] = {kKey, 0, 1};
    at(h, 1).items[4] = {kBoneHelm, 0, 1};
    h.game().save.shopStock[kBoneHelm] = -1;
    at(h, 1).gold = 0;
    enterShop(h);
    h.script().key('S').check([&] {
        EXPECT_EQ(h.game().menuState, kShopSell);
        EXPECT_EQ(mainOf(h).lbl.caption(),
                  "何を売ってくれますか？\r\rＥｎｔｅｒで売却  Ｅｓｃ or ＢＳで抜ける");
    });
    h.script().key(keys::Enter).check([&] { EXPECT_TRUE(h.showsText("まいどあり")); });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(at(h, 1).gold, 60);
        EXPECT_EQ(h.game().save.shopStock[kLongSword], 1);
        EXPECT_EQ(mainOf(h).lstCommandList.listIndex(), 0);
    });
    // An unidentified shield pays 1; an event item is refused; a never-stocked item pays
    // and stays unstocked.
    h.script().key(keys::Enter).key(keys::Space).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("それはうちじゃ引き取れないよ"));
    });
    h.script().key(keys::Space).key(keys::Down).key(keys::Enter).key(keys::Space);
    h.script().check([&] {
        EXPECT_EQ(at(h, 1).gold, 60 + 1 + 40);
        EXPECT_EQ(h.game().save.shopStock[kShield], 2);
        EXPECT_EQ(h.game().save.shopStock[kBoneHelm], -1);
    });
    // The sword is on sale again.
    h.script().key(keys::Esc).key('B').key('W').key('W').check([&] {
        EXPECT_EQ(h.commandEntries().size(), 2u);
        EXPECT_EQ(mainOf(h).lstCommandList.itemData(0), kLongSword);
    });
    h.script().key(keys::Esc);
    h.run();
}

TEST(ShopPlay, AFullPackOrAnEmptyPurseBuysNothing) {
    GameHarness h;
    setUp(h);
    for (int s = 1; s <= kInventorySlots; ++s)
        at(h, 1).items[static_cast<size_t>(s)] = {kHide, 0, 9};
    at(h, 2).gold = 5;
    enterShop(h);
    h.script().key('B').key('I').check([&] { EXPECT_EQ(h.game().menuState, kShopItems); });
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("アイテムが一杯ですよ\r何か売って下さい"));
    });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(at(h, 1).gold, 1000);
        EXPECT_EQ(h.game().save.shopStock[kPotion], 5);
    });
    // A category without stock.
    h.script().key(keys::Esc).key('M').check(
        [&] { EXPECT_TRUE(h.showsText("その種類は在庫がありません")); });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(h.commandEntries(), (std::vector<std::string>{"前に戻る"}));
    });
    h.script().key(keys::Enter).check([&] { EXPECT_EQ(h.game().menuState, kShopCategories); });
    // The second member has 5 gold: too little for a 20-gold potion.
    h.script().key(keys::Esc).key('L').key('2').key('B').key('I').key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("お金が足りませんよ"));
    });
    h.script().key(keys::Space);
    h.run();
    EXPECT_EQ(at(h, 2).gold, 5);
    EXPECT_EQ(at(h, 2).items[1].itemId, 0);
}

TEST(ShopPlay, IdentifyingPoolingAndNothingToDo) {
    GameHarness h;
    setUp(h);
    at(h, 1).items[1] = {kShield, kItemUnidentified, 1};
    at(h, 1).gold = 40;
    at(h, 2).gold = 10.5;
    enterShop(h);
    h.script().key('I').check([&] {
        EXPECT_EQ(h.commandEntries()[0], "０１　カイトシールド？" + spaces(12 + 2 + 6) + "３０");
        EXPECT_EQ(mainOf(h).lbl.caption(),
                  "どれを識別しますか？\nＥｎｔｅｒで決定  Ｅｓｃ or ＢＳで抜ける");
    });
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("識別できました\r\rカイトシールド"));
    });
    h.script().key(keys::Space).check([&] { EXPECT_EQ(h.game().menuState, kShopMenu); });
    h.script().key('I').check([&] { EXPECT_TRUE(h.showsText("すべて識別されてます")); });
    h.script().key(keys::Space).key('D').check([&] {
        EXPECT_TRUE(h.showsText("呪われてませんよ"));
    });
    h.script().key(keys::Space).key('P').check([&] {
        EXPECT_TRUE(h.showsText("お金を一人占めしました\r２０Ｇ持っています"));
    });
    h.script().key(keys::Space);
    h.run();
    EXPECT_EQ(at(h, 1).gold, 20);
    EXPECT_EQ(at(h, 2).gold, 0);
    EXPECT_EQ(at(h, 1).items[1].itemFlags, 0);
}

TEST(ShopPlay, NotEnoughForTheFee) {
    GameHarness h;
    setUp(h);
    at(h, 1).items[1] = {kCursedHelm, kEquipHead | kItemCursedWorn, 1};
    at(h, 1).gold = 99;
    enterShop(h);
    h.script().key('D').key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("お金が足りませんよ\rもっと稼いできて下さい"));
    });
    h.script().key(keys::Space);
    h.run();
    EXPECT_EQ(at(h, 1).gold, 99);
    EXPECT_EQ(at(h, 1).items[1].itemId, kCursedHelm);
}

}  // namespace
}  // namespace dv
