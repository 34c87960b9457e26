// The character sheet's display, its spell book and closing, and the three pick-lists.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

TEST(SheetPlay, EscAndBackspaceLeaveLikeTheLastEntry) {
    // From the roster (inspection) and in town: the last entry is "L)戻る" either way.
    for (int mode : {0, kSheetTown}) {
        for (int key : {keys::Esc, keys::Back}) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " key " + std::to_string(key));
            GameHarness h;
            h.startToTown();
            PutCharacter(h.game(), 1, {"もどる"});
            AddToParty(h.game(), 1);
            RebuildParty(h.game());
            std::filesystem::remove(h.gameDir() / "QTR1.DAT");
            h.script().check([&] { OpenSheet(h.game(), 1, mode); });
            h.script().check([&] { EXPECT_EQ(sheetOf(h).lstCommand.texts().back(), "L)戻る"); });
            h.script().key(key);
            h.run();
            EXPECT_FALSE(sheetOf(h).visible());
            EXPECT_TRUE(std::filesystem::exists(h.gameDir() / "QTR1.DAT")) << "L) saves";
        }
    }
}

TEST(SheetPlay, ItemLinesCountInFullWidthAndMarkOnlyWornSlots) {
    GameHarness h;
    h.startToTown();
    auto& items = h.game().db.itemTable;
    items[10].name = "やくそう";
    items[10].kind = 8;
    items[11].name = "てつ";
    items[11].kind = 10;
    items[12].name = "たて";
    items[12].kind = 2;
    for (int id : {10, 11, 12}) {  // usable by everyone, so only the worn mark shows
        items[id].sexMask = 0xFF;
        items[id].classMask = -1;
        items[id].alignmentMask = 0xFF;
        items[id].raceMask = -1;
    }
    Character& c = PutCharacter(h.game(), 1, {"もちもの"});
    c.items[1] = {10, 0, 12};
    c.items[2] = {11, 0, 3};
    c.items[3] = {12, 8, 1};  // worn in the eighth position
    c.items[4] = {12, 9, 1};  // flags outside 1..8: no mark
    h.script().check([&] { OpenSheet(h.game(), 1, 0); });
    h.script().check([&] {
        EXPECT_EQ(sheetOf(h).lstItem.texts(),
                  (std::vector<std::string>{"1 :  やくそう × １２", "2 :  てつ × ３", "3 :* たて",
                                            "4 :  たて"}));
    });
    h.script().key('L');
    h.run();
}

// The pixels of a screen area.
std::vector<Color> areaPixels(Ui& ui, const Rect& r) {
    ui.render();
    std::vector<Color> out;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
            out.push_back(ui.canvas().pixel(x, y));
    return out;
}

// A name of fifty characters stays in its column: the party panel's next column and the
// sheet's command list look the same as with a short name.
TEST(SheetPlay, ALongNameStaysInItsColumn) {
    std::string longName;
    for (int i = 0; i < 50; ++i)
        longName += "ナ";
    std::vector<Color> panel[2], nameEnd[2], sheet[2];
    for (int k = 0; k < 2; ++k) {
        GameHarness h;
        h.copyPictures();
        h.startToTown();
        PutCharacter(h.game(), 1, {k == 0 ? std::string("ナ") : longName});
        AddToParty(h.game(), 1);
        RebuildParty(h.game());
        h.script().check([&] {
            MainWindow& m = *h.game().screens->main;
            panel[k] = areaPixels(h.ui(), m.lblClass[0].screenRect());
            // The end of the name's column narrower than a character stays empty: no half
            // glyph is drawn there.
            const Rect r = m.lblName[0].screenRect();
            const int glyph = 2 * m.lblName[0].font()->cellWidth();
            ASSERT_GT(r.w % glyph, 0) << "the column ends on a whole character anyway";
            nameEnd[k] = areaPixels(h.ui(), {r.right() - r.w % glyph, r.y, r.w % glyph, r.h});
            if (k == 1 && std::getenv("DV_SCREENSHOT_DIR"))
                h.savePng(std::string(std::getenv("DV_SCREENSHOT_DIR")) + "/long-name-panel.png");
        });
        h.script().check([&] { OpenSheet(h.game(), 1, 0); });
        h.script().check([&] {
            sheet[k] = areaPixels(h.ui(), sheetOf(h).lstCommand.screenRect());
            if (k == 1 && std::getenv("DV_SCREENSHOT_DIR"))
                h.savePng(std::string(std::getenv("DV_SCREENSHOT_DIR")) + "/long-name-sheet.png");
        });
        h.script().key('L');
        h.run();
    }
    EXPECT_TRUE(panel[0] == panel[1]) << "the name runs into the class column";
    EXPECT_TRUE(nameEnd[0] == nameEnd[1]) << "half a character at the end of the column";
    EXPECT_TRUE(sheet[0] == sheet[1]) << "the name runs into the command list";
}

TEST(PickLists, EveryEntryHasItsRowUpToFifteen) {
    GameHarness h;
    h.startToTown();
    for (int count : {1, 6, 15}) {
        SCOPED_TRACE(count);
        std::vector<std::string> texts;
        std::vector<int> values;
        for (int i = 1; i <= count; ++i) {
            texts.push_back("こうもく" + std::to_string(i));
            values.push_back(i);
        }
        // The script runs after this loop: each step keeps its own copies.
        h.script().check(
            [&h, texts, values] { PickFromList(h.game(), texts, values, "えらんでください"); });
        h.script().check([&h, count] {
            const SelectBox& b = WindowOf<SelectBox>(h.game());
            EXPECT_EQ(b.lst.rowsPerPage(), count);
            EXPECT_EQ(b.lst.visibleRows().size(), static_cast<size_t>(count));
        });
        h.script().key(keys::Esc);
    }
    // Six members with their belongings beside them.
    for (int s = 1; s <= 6; ++s) {
        PutCharacter(h.game(), s, {"なかま" + std::to_string(s)});
        AddToParty(h.game(), s);
    }
    RebuildParty(h.game());
    h.script().check([&] { PickPartyMember(h.game(), true, "キャラクターを選んでください"); });
    h.script().check([&] {
        const SelectBox& b = WindowOf<SelectBox>(h.game());
        EXPECT_EQ(b.lst.visibleRows().size(), 6u);
    });
    h.script().key(keys::Esc);
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
