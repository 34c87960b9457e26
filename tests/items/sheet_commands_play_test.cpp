// The sheet's commands through the real windows: the lists each mode offers, giving,
// pooling gold, dropping, using, identifying and appraising.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <algorithm>

#include "characters/equipment_rules.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/window_of.h"
#include "item_fixture.h"
#include "items/item_actions.h"
#include "items/select_box.h"
#include "items/status_sheet.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::GameHarness;
using test::PutCharacter;
using namespace test;  // the test items

StatusSheet& sheetOf(GameHarness& h) {
    return WindowOf<StatusSheet>(h.game());
}

Character& at(GameHarness& h, int slot) {
    return h.game().save.roster[static_cast<size_t>(slot)];
}

// A party of three in town with the test items defined.
void setUp(GameHarness& h) {
    h.startToTown();
    StockItems(h.game());
    FormParty(h.game(), {{"アルテア", kLawful, 1, 1, kMale},
                         {"ベルカ", kNeutral, 2, 2, kFemale},
                         {"カイ", kNeutral, 8, 1, kMale}});
}

TEST(SheetCommands, EachModeOffersItsCommandsChosenByWhatTheyDo) {
    struct Case {
        const char* what;
        int mode;
        std::int32_t status;
        std::vector<int> skills;
        std::vector<std::string> commands;
    };
    const Case cases[] = {
        {"town",
         kSheetTown,
         0,
         {42},
         {"E)装備", "T)渡す", "P)お金を集める", "D)捨てる", "K)スキル", "N)次へ", "B)前へ",
          "R)呪文書を読む", "L)戻る"}},
        {"camp with every craft",
         kSheetCamp,
         0,
         {42, 49, 60},
         {"S)呪文を唱える", "E)装備", "T)渡す", "U)使う", "P)お金を集める", "D)捨てる", "K)スキル",
          "I)識別する", "J)鑑定", "M)錬金術", "N)次へ", "B)前へ", "R)呪文書を読む", "L)戻る"}},
        {"camp, afraid: no crafts",
         kSheetCamp,
         kStatusFear,
         {42, 49, 60},
         {"S)呪文を唱える", "E)装備", "T)渡す", "U)使う", "P)お金を集める", "D)捨てる", "K)スキル",
          "N)次へ", "B)前へ", "R)呪文書を読む", "L)戻る"}},
        {"camp, dead",
         kSheetCamp,
         kStatusDead,
         {42},
         {"T)渡す", "P)お金を集める", "N)次へ", "B)前へ", "R)呪文書を読む", "L)戻る"}},
        {"inspection", 1, 0, {42}, {"R)呪文書を読む", "L)戻る"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        GameHarness h;
        setUp(h);
        at(h, 1).status = k.status;
        for (int s : k.skills)
            at(h, 1).skills[static_cast<size_t>(s)] = -1;
        h.script().check([&] { OpenSheet(h.game(), 1, k.mode); });
        h.script().check([&] {
            StatusSheet& s = sheetOf(h);
            EXPECT_EQ(s.lstCommand.texts(), k.commands);
            // Every line carries what it does, whatever its caption says.
            for (int i = 0; i < s.lstCommand.listCount(); ++i)
                EXPECT_NE(static_cast<int>(s.commandAt(i)), 0);
            EXPECT_EQ(s.commandAt(s.lstCommand.listCount() - 1), SheetCommand::Leave);
        });
        h.script().key('L');
        h.run();
    }
}

TEST(SheetCommands, GivingPotionsToAFullPackMovesWhatFits) {
    GameHarness h;
    setUp(h);
    at(h, 1).items[1] = {kPotion, 0, 5};
    at(h, 1).items[2] = {kLongSword, 0, 1};
    for (int s = 1; s <= kInventorySlots; ++s)
        at(h, 2).items[static_cast<size_t>(s)] = {kHide, 0, 9};
    at(h, 2).items[15] = {kPotion, kItemUnidentified, 7};
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetTown); });
    // The receiver first, with its belongings beside the list.
    h.script().key('T').key(keys::Down).check([&] {
        EXPECT_TRUE(h.showsText("ベルカの\n持ち物"));
    });
    h.script().key(keys::Enter).check([&] {
        StatusSheet& s = sheetOf(h);
        EXPECT_TRUE(s.fraTitle.visible());
        EXPECT_EQ(s.lblTitle.caption(), "アイテムを渡す");
        EXPECT_EQ(s.lblMsg1.caption(), "どれを渡しますか？");
        EXPECT_TRUE(s.lstItem.hasFocus());
        EXPECT_EQ(s.lstItem.listIndex(), 0);
    });
    h.script().key(keys::Enter).check([&] { EXPECT_TRUE(h.showsText("アイテムがいっぱいです")); });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(at(h, 2).items[15].itemCount, 9);
        EXPECT_EQ(at(h, 2).items[15].itemFlags, kItemUnidentified) << "the receiver's stack";
        EXPECT_EQ(at(h, 1).items[1], (ItemSlot{kPotion, 0, 3}));
        EXPECT_EQ(sheetOf(h).lstItem.list(0), "1 :  傷薬 × ３");
        EXPECT_TRUE(sheetOf(h).lstItem.hasFocus());
    });
    // The sword finds no room at all: the panel closes.
    h.script().key(keys::Down).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("アイテムがいっぱいです"));
    });
    h.script().key(keys::Space).check([&] {
        EXPECT_FALSE(sheetOf(h).fraTitle.visible());
        EXPECT_TRUE(sheetOf(h).lstCommand.hasFocus());
        EXPECT_EQ(at(h, 1).items[2].itemId, kLongSword);
    });
    h.script().key('L');
    h.run();
}

TEST(SheetCommands, GivingToAnotherOrToOneselfAndWhatStays) {
    GameHarness h;
    setUp(h);
    Character& a = at(h, 1);
    a.items[1] = {kShield, kItemUnidentified, 1};
    a.items[2] = {kLongSword, kEquipPrimary, 1};
    a.items[3] = {kCursedHelm, 6 | kItemCursedWorn, 1};
    a.items[4] = {kPotion, 0, 2};
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetTown); });
    // To oneself: the shield moves to the end and stays unidentified.
    h.script().key('T').key(keys::Enter).key(keys::Enter).check([&] {
        EXPECT_EQ(at(h, 1).items[4], (ItemSlot{kShield, kItemUnidentified, 1}));
        EXPECT_EQ(sheetOf(h).lstItem.listIndex(), 0);
    });
    // The worn sword and the cursed helm stay where they are.
    h.script().key(keys::Enter).check([&] { EXPECT_TRUE(h.showsText("装備しています")); });
    h.script().key(keys::Space).key(keys::Down).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("呪われている！"));
    });
    h.script().key(keys::Space).key(keys::Esc);
    // Both potions to the third member.
    h.script().key('T').key(keys::Down).key(keys::Down).key(keys::Enter);
    h.script().key(keys::Down).key(keys::Down).key(keys::Enter).check([&] {
        EXPECT_EQ(at(h, 3).items[1], (ItemSlot{kPotion, 0, 2}));
        EXPECT_EQ(sheetOf(h).lstItem.listCount(), 3);
        EXPECT_EQ(sheetOf(h).lstItem.listIndex(), 2) << "the same line, the last one left";
    });
    h.script().key(keys::Esc).key('L');
    h.run();
    EXPECT_EQ(at(h, 1).items[1].itemId, kLongSword);
    EXPECT_EQ(at(h, 1).items[2].itemId, kCursedHelm);
}

TEST(SheetCommands, PoolingGoldRoundsEachStepAndLosesNothing) {
    struct Case {
        double a, b, c;
        double total;
        bool pooled;
    };
    const Case cases[] = {
        {10.4, 20.6, 0, 31, true},
        {2000000000, 2000000000, 5, 4000000005, true},
        {999999999999999, 1, 0, 0, false},
    };
    for (const Case& k : cases) {
        GameHarness h;
        setUp(h);
        at(h, 1).gold = k.a;
        at(h, 2).gold = k.b;
        at(h, 3).gold = k.c;
        h.script().check([&] { OpenSheet(h.game(), 2, kSheetTown); });
        h.script().key('P').check([&] {
            EXPECT_TRUE(h.showsText(k.pooled ? "お金を集めました" : "これ以上お金を持てません"));
        });
        h.script().key(keys::Space).key('L');
        h.run();
        if (k.pooled) {
            EXPECT_EQ(at(h, 2).gold, k.total);
            EXPECT_EQ(at(h, 1).gold, 0);
            EXPECT_EQ(at(h, 3).gold, 0);
        } else {
            EXPECT_EQ(at(h, 1).gold, k.a) << "nothing moved";
            EXPECT_EQ(at(h, 2).gold, k.b);
        }
    }
}

TEST(SheetCommands, DroppingOneUnitButNeverAnEventItem) {
    GameHarness h;
    setUp(h);
    at(h, 1).items[1] = {kPotion, 0, 4};
    at(h, 1).items[2] = {kKey, 0, 1};
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetTown); });
    h.script().key('D').key(keys::Enter).check([&] {
        EXPECT_EQ(sheetOf(h).lblMsg1.caption(), "  傷薬 × ４を\n捨てました");
        EXPECT_EQ(at(h, 1).items[1].itemCount, 3);
    });
    h.script().key(keys::Down).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("捨てられない"));
    });
    h.script().key(keys::Space).key(keys::Esc).key('L');
    h.run();
    EXPECT_EQ(at(h, 1).items[2].itemId, kKey);
}

TEST(SheetCommands, AnEmptyPackIsToldForEveryItemCommand) {
    GameHarness h;
    setUp(h);
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetTown); });
    for (int key : {'T', 'D'}) {
        h.script().key(key).check([&] {
            EXPECT_TRUE(h.showsText("アイテムを持ってません"));
            EXPECT_FALSE(sheetOf(h).fraTitle.visible());
        });
        h.script().key(keys::Space);
    }
    h.script().key('L');
    h.run();
}

TEST(SheetCommands, TheEncyclopediaIsUsedUpAndShowsAnItemEverObtained) {
    GameHarness h;
    setUp(h);
    at(h, 1).items[1] = {kEncyclopedia, 0, 2};
    h.game().save.itemFoundCounts[kLongSword] = 1;
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetCamp); });
    h.script().key('U').key(keys::Enter).check([&] {
        StatusSheet& s = sheetOf(h);
        EXPECT_TRUE(s.fraInspect.visible());
        EXPECT_EQ(s.lbl[67].caption(), "ロングソード");
        EXPECT_EQ(s.lbl[56].caption(), "武器");
        EXPECT_EQ(s.lbl[53].caption(), "１２０");
        EXPECT_EQ(s.lbl[36].caption(), "１Ｄ８＋１");
        EXPECT_TRUE(s.fraEquip2.visible()) << "the encyclopedia shows every panel";
        EXPECT_FALSE(s.lstCommand.enabled());
        EXPECT_EQ(at(h, 1).items[1].itemCount, 1);
    });
    h.script().key(keys::Enter).check([&] {
        EXPECT_FALSE(sheetOf(h).fraInspect.visible());
        EXPECT_TRUE(sheetOf(h).lstCommand.hasFocus());
    });
    // With nothing ever defeated the dictionary is blank, and still used up.
    h.script().check([&] {
        at(h, 1).items[1] = {kDictionary, 0, 1};
        sheetOf(h).BuildItemList();
    });
    h.script().key('U').key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("辞典には何も載っていなかった・・・"));
    });
    h.script().key(keys::Space).key('L');
    h.run();
    EXPECT_EQ(at(h, 1).items[1].itemId, 0);
}

TEST(SheetCommands, AnItemWithoutASpellDoesNothing) {
    GameHarness h;
    setUp(h);
    at(h, 1).items[1] = {kPotion, 0, 1};
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetCamp); });
    h.script().key('U').key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("しかし何もおこらなかった"));
    });
    h.script().key(keys::Space).check([&] { EXPECT_TRUE(sheetOf(h).lstItem.hasFocus()); });
    h.script().key(keys::Esc).key('L');
    h.run();
    EXPECT_EQ(at(h, 1).items[1].itemCount, 1);
}

TEST(SheetCommands, AppraisalShowsThePanelsTheLevelAllows) {
    struct Case {
        int level;
        bool opens, sexes, classes, equip1, equip2;
    };
    const Case cases[] = {
        {5, false, false, false, false, false},  // below the item's appraisal level 10
        {10, true, true, false, false, false},  {24, true, true, true, false, false},
        {25, true, true, true, true, false},    {70, true, true, true, true, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.level);
        GameHarness h;
        setUp(h);
        at(h, 1).level = k.level;
        at(h, 1).skills[49] = -1;
        at(h, 1).items[1] = {kLongSword, 0, 1};
        h.script().check([&] { OpenSheet(h.game(), 1, kSheetCamp); });
        h.script().key('J').key(keys::Enter).check([&] {
            StatusSheet& s = sheetOf(h);
            EXPECT_EQ(s.fraInspect.visible(), k.opens);
            if (!k.opens) {
                EXPECT_TRUE(h.showsText("鑑定できなかった・・・"));
                return;
            }
            EXPECT_EQ(s.fraSexAttribute.visible(), k.sexes);
            EXPECT_EQ(s.fraClass.visible(), k.classes);
            EXPECT_EQ(s.fraEquip1.visible(), k.equip1);
            EXPECT_EQ(s.fraEquip2.visible(), k.equip2);
            EXPECT_TRUE(s.lbl[41].visible()) << "戦士";
            EXPECT_FALSE(s.lbl[16].visible()) << "魔導士";
            EXPECT_FALSE(s.lbl[52].visible()) << "not cursed";
        });
        h.script().key(keys::Esc).key('L');
        h.run();
    }
}

TEST(IdentifyAttempt, ByRollAgainstDifficulty) {
    // Difficulty 0: every attempt; 255 with level 10: only the 1 in 50, every failure a
    // fright.
    GameHarness h;
    setUp(h);
    Character& c = at(h, 1);
    c.level = 10;
    int identified = 0, frightened = 0;
    for (int i = 0; i < 200; ++i) {
        h.game().db.itemTable[kShield].identifyDifficulty = 0;
        c.items[1] = {kShield, kItemUnidentified, 1};
        ASSERT_EQ(IdentifyAttempt(h.game(), 1, 1), IdentifyOutcome::Identified);
        EXPECT_EQ(c.items[1].itemFlags, 0);
        h.game().db.itemTable[kShield].identifyDifficulty = 255;
        c.items[1] = {kShield, kItemUnidentified, 1};
        c.status = 0;
        switch (IdentifyAttempt(h.game(), 1, 1)) {
            case IdentifyOutcome::Identified:
                ++identified;
                break;
            case IdentifyOutcome::Frightened:
                ++frightened;
                EXPECT_EQ(c.status, kStatusFear);
                break;
            case IdentifyOutcome::Failed:
                ADD_FAILURE() << "every failure frightens";
                break;
        }
    }
    EXPECT_GT(frightened, 150);
    EXPECT_LT(identified, 20);
}

TEST(SheetCommands, AFrightenedIdentifierLosesItsCrafts) {
    GameHarness h;
    setUp(h);
    Character& c = at(h, 1);
    c.skills[42] = -1;
    c.level = 1;
    c.items[1] = {kPotion, 0, 1};
    c.items[2] = {kShield, kItemUnidentified, 1};
    h.game().db.itemTable[kShield].identifyDifficulty = 255;
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetCamp); });
    // The list opens on the first unidentified item.
    h.script().key('I').check([&] { EXPECT_EQ(sheetOf(h).lstItem.listIndex(), 1); });
    h.script().key(keys::Up).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("既に識別されています"));
    });
    h.script().key(keys::Space).key(keys::Down).key(keys::Enter);
    // f is 1 or 2, far below 255 \ 2: with this seed the 1 in 50 does not come.
    h.script().check([&] { EXPECT_TRUE(h.showsText("恐怖に犯された")); });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(at(h, 1).items[2].itemFlags, kItemUnidentified);
        EXPECT_EQ(at(h, 1).status, kStatusFear);
        EXPECT_FALSE(sheetOf(h).fraTitle.visible());
        const auto texts = sheetOf(h).lstCommand.texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "I)識別する"), 0);
    });
    h.script().key('L');
    h.run();
}

}  // namespace
}  // namespace dv
