// The character sheet's display, its spell book and closing, and the three pick-lists.

#include <gtest/gtest.h>

#include <string>

#include "characters/party.h"
#include "characters/roster_fixture.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/window_of.h"
#include "items/select_box.h"
#include "items/status_sheet.h"
#include "support/game_harness.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::GameHarness;
using test::PutCharacter;

StatusSheet& sheetOf(GameHarness& h) {
    return WindowOf<StatusSheet>(h.game());
}

TEST(SheetPlay, EveryValueInItsLabel) {
    GameHarness h;
    h.startToTown();
    Character& c = PutCharacter(h.game(), 3, {"ゆうしゃ", kLawful, 1, 1, kMale});
    c.completionMark = 1;
    c.level = 7;
    c.experience = 12345;
    c.gold = 0;
    c.marks = 3;
    c.age = 20;
    c.ripCount = 2;
    c.baseArmorClass = 4;
    c.hitPoints = 5;
    c.maxHitPoints = 120;
    c.strength = 11;
    c.wisdom = 12;
    c.piety = 13;
    c.vitality = 14;
    c.dexterity = 15;
    c.agility = 16;
    c.luck = 17;
    c.charm = 18;
    c.spellPoints(0, 1) = 3;
    c.spellPoints(0, 9) = 1;
    c.spellPoints(3, 2) = 4;
    c.stepsWalked = 999;
    c.escapes = 1;
    c.victories = 42;
    c.cycleCount = 0;
    c.status = kStatusPoison;
    h.game().place.partyEffects = 64 | 128;
    h.script().check([&] { OpenSheet(h.game(), 3, 0); });
    h.script().check([&] {
        StatusSheet& s = sheetOf(h);
        EXPECT_EQ(s.lbl[7].caption(), "  ｜Ω｜ゆうしゃ");
        EXPECT_EQ(s.lbl[1].caption(), "Ｌ－Ｆｉｇ");
        EXPECT_EQ(s.lbl[2].caption(), "Ｈｕｍ");
        EXPECT_EQ(s.lbl[3].caption(), "男");
        EXPECT_EQ(s.lblStatu[0].caption(), "LEVEL- 7");
        EXPECT_EQ(s.lblStatu[1].caption(), "12345");
        EXPECT_EQ(s.lblStatu[2].caption(), "0");
        EXPECT_EQ(s.lblStatu[3].caption(), "3");
        EXPECT_EQ(s.lblStatu[4].caption(), "20");
        EXPECT_EQ(s.lblStatu[5].caption(), "2");
        EXPECT_EQ(s.lblStatu[6].caption(), "4");
        // Both protection bits lower the armour class by 5, not 8.
        EXPECT_EQ(h.game().save.roster[3].armorClass, -1);
        const std::pair<size_t, const char*> attrs[] = {{17, "11"}, {8, "12"},  {9, "13"},
                                                        {10, "14"}, {11, "15"}, {19, "16"},
                                                        {12, "17"}, {7, "18"}};
        for (auto [i, v] : attrs)
            EXPECT_EQ(s.lblStatu[i].caption(), v) << i;
        EXPECT_EQ(s.lblStatu[13].caption(), "3/0/0/0/0/0/0/0/1");
        EXPECT_EQ(s.lblStatu[14].caption(), "0/0/0/0/0/0/0/0/0");
        EXPECT_EQ(s.lblStatu[21].caption(), "0/4/0/0/0/0/0/0/0");
        EXPECT_EQ(s.lblStatu[15].caption(), "       5／     120");
        EXPECT_FALSE(s.lblStatu[16].caption().empty());
        EXPECT_EQ(s.lblStatu[18].caption(), "999");
        EXPECT_EQ(s.lblStatu[22].caption(), "1");
        EXPECT_EQ(s.lblStatu[23].caption(), "42");
        EXPECT_EQ(s.lblStatu[24].caption(), "0");
        // From the roster or battle: only the book and leaving.
        EXPECT_EQ(s.lstCommand.texts(), (std::vector<std::string>{"R)呪文書を読む", "L)戻る"}));
    });
    h.script().key('L');
    h.run();
    EXPECT_FALSE(sheetOf(h).visible());
}

TEST(SheetPlay, SpellBookShowsKnownSpellsAndClosesWithEsc) {
    GameHarness h;
    h.startToTown();
    auto& spells = h.game().db.spellTable;
    spells[1].kind = 0;
    spells[1].level = 1;
    spells[1].number = 1;
    spells[1].name = "ヒノタマ";
    spells[2].kind = 0;
    spells[2].level = 1;
    spells[2].number = 2;
    spells[2].name = "カゼ";
    spells[3].kind = 1;
    spells[3].level = 12;  // beyond the book: no label, no crash
    spells[3].number = 1;
    spells[3].name = "キンダン";
    Character& c = PutCharacter(h.game(), 1, {"まほう", kNeutral, 2});
    c.spellsKnown(0, 1, 1) = 1;
    h.script().check([&] { OpenSheet(h.game(), 1, 0); });
    h.script().key('R').check([&] {
        StatusSheet& s = sheetOf(h);
        EXPECT_TRUE(s.picSpell.visible());
        EXPECT_FALSE(s.lstCommand.enabled());
        EXPECT_TRUE(s.spellLabels[0][11].visible());
        EXPECT_EQ(s.spellLabels[0][11].caption(), "ヒノタマ");
        EXPECT_FALSE(s.spellLabels[0][12].visible());
        EXPECT_EQ(s.spellLabels[0][12].caption(), "カゼ");
    });
    h.script().key(keys::Esc).check([&] {
        StatusSheet& s = sheetOf(h);
        EXPECT_FALSE(s.picSpell.visible());
        EXPECT_TRUE(s.lstCommand.hasFocus());
        EXPECT_TRUE(s.visible());
    });
    h.script().key('L');
    h.run();
}

TEST(PickLists, MemberItemAndListReturnValuesOrMinusOne) {
    GameHarness h;
    h.startToTown();
    auto& items = h.game().db.itemTable;
    items[10].name = "ながいけん";
    items[10].altName = "けん？";
    items[11].name = "やくそう";
    for (int s = 1; s <= 3; ++s) {
        PutCharacter(h.game(), s, {"人" + std::to_string(s)});
        AddToParty(h.game(), s);
    }
    RebuildParty(h.game());
    Character& two = h.game().save.roster[2];
    two.items[2] = {10, kItemUnidentified, 1};
    two.items[5] = {11, 1, 3};

    int member = 0, item = 0, listed = 0, cancelled = 0;
    h.script().check(
        [&] { member = PickPartyMember(h.game(), true, "キャラクターを選んでください"); });
    h.script().key(keys::Down).check([&] {
        SelectBox& b = WindowOf<SelectBox>(h.game());
        EXPECT_EQ(b.lblMsg.caption(), "キャラクターを選んでください");
        EXPECT_EQ(b.width(), 600);
        EXPECT_EQ(b.lblmsgItem.caption(), "人2の\n持ち物");
        EXPECT_EQ(b.lstItem.texts(), (std::vector<std::string>{"1:? けん？", "2:* やくそう"}));
    });
    h.script().key(keys::Enter);
    h.script().check([&] { item = PickItem(h.game(), 2); });
    h.script().check([&] {
        SelectBox& b = WindowOf<SelectBox>(h.game());
        EXPECT_EQ(b.width(), 304);
        EXPECT_EQ(b.lst.texts(), (std::vector<std::string>{"1:けん？", "2:やくそう"}));
    });
    h.script().key(keys::Down).key(keys::Enter);
    h.script().check([&] {
        listed = PickFromList(h.game(), {"いち", "", "さん"}, {7, 8, 9}, "見つかりました");
    });
    h.script().check([&] {
        EXPECT_EQ(WindowOf<SelectBox>(h.game()).lst.texts(),
                  (std::vector<std::string>{"いち", "さん"}));
    });
    h.script().key(keys::Down).key(keys::Enter);
    h.script().check([&] { cancelled = PickFromList(h.game(), {"いち"}, {7}, "見つかりました"); });
    h.script().key(keys::Back);
    h.run();
    EXPECT_EQ(member, 2);
    EXPECT_EQ(item, 5);
    EXPECT_EQ(listed, 9);
    EXPECT_EQ(cancelled, -1);
}

TEST(PickLists, AnEmptyPackIsToldNotListed) {
    GameHarness h;
    h.startToTown();
    PutCharacter(h.game(), 1, {"からっぽ"});
    int item = 0;
    h.script().check([&] { item = PickItem(h.game(), 1); });
    h.script().check([&] { EXPECT_TRUE(h.showsText("アイテムを持っていません")); });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_EQ(item, -1);
}

}  // namespace
}  // namespace dv
