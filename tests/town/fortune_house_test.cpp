// The fortune house: the rankings and catalogues (rules and the report window), and item
// fusion through the command list.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "characters/equipment_rules.h"
#include "characters/party.h"
#include "characters/roster_fixture.h"
#include "core/data/message.h"
#include "core/data/save_file.h"
#include "core/data/text.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/window_of.h"
#include "support/game_harness.h"
#include "town/fortune_house.h"
#include "town/fortune_rules.h"
#include "town/report_window.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::GameHarness;
using test::NewCharacter;
using test::PutCharacter;

std::string wideSpaces(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "　";
    return s;
}

void nameItem(Database& db, int n, const std::string& name, int kind = 1) {
    ItemRecord& r = db.itemTable[static_cast<size_t>(n)];
    r.itemNumber = static_cast<std::int16_t>(n);
    r.name = name;
    r.altName = "？" + name;
    r.kind = static_cast<std::int16_t>(kind);
    r.sexMask = 3;
    r.alignmentMask = 7;
    r.raceMask = 2047;
    r.classMask = 262143;
}

void nameMonster(Database& db, int n, const std::string& name) {
    Character& m = db.monsterTable[static_cast<size_t>(n)];
    m.rosterId = n;
    m.name = name;
    m.altName = "影";
}

TEST(FortuneRules, RosterRankingsDescendWithTheirRows) {
    auto save = std::make_unique<SaveData>();
    const struct {
        int slot;
        const char* name;
        int level, maxHp, rip, critical;
        double marks;
    } people[] = {
        {1, "アルテア", 9, 30, 2, 7, 12},
        {2, "ベルカ", 4, 55, 0, 1, 40},
        {4, "カイ", 12, 41, 5, 0, 3},  // slot 3 stays empty
    };
    for (const auto& p : people) {
        Character& c = save->roster[static_cast<size_t>(p.slot)];
        c.rosterId = p.slot;
        c.name = p.name;
        c.level = p.level;
        c.maxHitPoints = p.maxHp;
        c.ripCount = p.rip;
        c.criticalKills = p.critical;
        c.marks = p.marks;
        c.alignment = static_cast<std::uint8_t>(kLawful);
        c.classBit = 1;
    }
    Database db;
    struct Case {
        ReportKind kind;
        std::vector<int> order;
    };
    const Case cases[] = {
        {ReportKind::Level, {4, 1, 2}},        {ReportKind::MaxHitPoints, {2, 4, 1}},
        {ReportKind::Marks, {2, 1, 4}},        {ReportKind::Rip, {4, 1, 2}},
        {ReportKind::CriticalHits, {1, 2, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        const Report r = BuildReport(db, *save, c.kind);
        EXPECT_EQ(r.numbers, c.order);
        EXPECT_EQ(r.summary, "");
    }
    // Level right 4, ":", the name in 16, two blanks, the class label right 9, a blank,
    // the value right 6; the level ranking shows no value.
    const std::string head = wideSpaces(3) + "９：アルテア" + wideSpaces(12) + wideSpaces(2) +
                             wideSpaces(4) + "Ｌ－Ｆｉｇ";
    EXPECT_EQ(BuildReport(db, *save, ReportKind::MaxHitPoints).rows[2],
              head + wideSpaces(1) + wideSpaces(4) + "３０");
    EXPECT_EQ(BuildReport(db, *save, ReportKind::Level).rows[1], head);
}

TEST(FortuneRules, FractionalMarksSortWithinTheirRange) {
    auto save = std::make_unique<SaveData>();
    for (int slot = 1; slot <= 3; ++slot) {
        save->roster[static_cast<size_t>(slot)].rosterId = slot;
        save->roster[static_cast<size_t>(slot)].marks = 2.4;
    }
    save->roster[50].rosterId = 50;
    save->roster[50].marks = 2.6;
    Database db;
    const Report r = BuildReport(db, *save, ReportKind::Marks);
    ASSERT_EQ(r.numbers.size(), 4u);
    EXPECT_EQ(r.numbers[0], 50);
    EXPECT_EQ(std::set<int>(r.numbers.begin() + 1, r.numbers.end()), (std::set<int>{1, 2, 3}));
}

TEST(FortuneRules, ItemsAndMonstersRankedByTheirCounters) {
    auto db = std::make_unique<Database>();
    auto save = std::make_unique<SaveData>();
    nameItem(*db, 1, "短剣");
    nameItem(*db, 2, "傷薬", 8);
    nameItem(*db, 3, "鉄の盾", 2);
    nameItem(*db, 5, "しるし", 11);
    save->itemFoundCounts[2] = 5;
    save->itemFoundCounts[3] = 2;
    save->itemFoundCounts[4] = -7;  // a damaged save: counts as none
    Report r = BuildReport(*db, *save, ReportKind::ItemsObtained);
    EXPECT_EQ(r.numbers, (std::vector<int>{2, 3}));
    EXPECT_EQ(r.rows[0], ToWide("傷薬" + std::string(16, ' ') + " " + FieldLeft("その他", 10) +
                                " " + "     5"));
    // Types: every record but the event items, empty ones included.
    EXPECT_EQ(r.summary, "獲得アイテム総数　７　　取得アイテム種数　２/１９９９");

    nameMonster(*db, 7, "スライム");
    nameMonster(*db, 9, "ゴブリン");
    nameMonster(*db, 12, "オーク");
    save->defeatedCounts[9] = 12;
    save->defeatedCounts[7] = 3;
    r = BuildReport(*db, *save, ReportKind::MonstersDefeated);
    EXPECT_EQ(r.numbers, (std::vector<int>{9, 7}));
    EXPECT_EQ(r.rows[1], ToWide(FieldLeft("スライム", 18) + " " + "     3"));
    EXPECT_EQ(r.summary, "倒打モンスター総数　１５　　倒打モンスター種数　２/３");

    // An empty count table: empty lists, totals 0.
    save = std::make_unique<SaveData>();
    r = BuildReport(*db, *save, ReportKind::MonstersDefeated);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.summary, "倒打モンスター総数　０　　倒打モンスター種数　０/３");
}

TEST(FortuneRules, CataloguesNumberWhatIsListedAndHideWhatIsNotFound) {
    auto db = std::make_unique<Database>();
    auto save = std::make_unique<SaveData>();
    nameItem(*db, 1, "短剣");
    nameItem(*db, 2, "傷薬", 8);
    nameItem(*db, 3, "しるし", 11);  // event items get no number
    nameItem(*db, 4, "鉄の盾", 2);
    nameItem(*db, 6, "迷子");  // after the end of the table (item 5 has no number)
    save->itemFoundCounts[4] = 3;
    const std::string unknown = std::string(Message(3024)) + std::string(Message(3024));
    Report r = BuildReport(*db, *save, ReportKind::ItemCatalogue);
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.numbers, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(r.rows[0], ToWide("   1 ") + unknown);
    EXPECT_EQ(r.rows[2],
              ToWide("   3 " + FieldLeft("鉄の盾", 18) + " " + FieldLeft("？鉄の盾", 18) + " " +
                     FieldLeft("盾", 7) + " " + "     3"));
    EXPECT_EQ(r.summary, "全3種中  1種ＧＥＴ   　　　残り2");

    // A table using every number stops after item 2000.
    for (int n = 1; n <= 2000; ++n)
        db->itemTable[static_cast<size_t>(n)].itemNumber = static_cast<std::int16_t>(n);
    db->itemTable[3].kind = 0;
    EXPECT_EQ(BuildReport(*db, *save, ReportKind::ItemCatalogue).rows.size(), 2000u);

    nameMonster(*db, 7, "スライム");
    nameMonster(*db, 9, "ゴブリン");
    save->defeatedCounts[9] = 4;
    r = BuildReport(*db, *save, ReportKind::MonsterCatalogue);
    EXPECT_EQ(r.numbers, (std::vector<int>{7, 9}));
    EXPECT_EQ(r.rows[0], ToWide("   7 ") + unknown + ToWide("     0"));
    EXPECT_EQ(r.rows[1], ToWide("   9 " + FieldLeft("ゴブリン", 18) + " " + FieldLeft("影", 18) +
                                " " + "     4"));
    EXPECT_EQ(r.summary, "全2種中1種倒打 　　　  残り1");
}

TEST(FortuneRules, RecipesShowAsMonstersAreDefeated) {
    auto db = std::make_unique<Database>();
    auto save = std::make_unique<SaveData>();
    nameItem(*db, 8, "獣骨の鎌");
    nameItem(*db, 9, "月影の打刀");
    db->fusionTable(1, 1) = 8;
    db->fusionTable(10, 1) = 9;
    db->fusionTable(11, 1) = 2500;  // a result outside the table never shows
    struct Case {
        int kills;
        int recipe;
        bool shown;
    };
    const Case cases[] = {{30, 1, false},   {31, 1, true},        {3000, 10, false},
                          {3001, 10, true}, {1000000, 11, false}, {1000000, 61, false}};
    for (const Case& c : cases) {
        save->defeatedCounts[5] = c.kills;
        EXPECT_EQ(RecipeRevealed(*db, *save, c.recipe), c.shown) << c.kills << " " << c.recipe;
    }
    save->defeatedCounts[5] = 31;
    save->defeatedCounts[6] = -40;  // damaged: counts as none
    EXPECT_EQ(FusionRow(*db, *save, 1), "01:獣骨の鎌");
    EXPECT_EQ(FusionRow(*db, *save, 10), std::string("10:") + kHiddenRecipe);
}

// The town with a party of two in slots 1 and 2 and the fortune house's menu on display.
struct House {
    House() {
        h.startToTown();
        Game& g = h.game();
        PutCharacter(g, 1, {"アルテア", kLawful});
        PutCharacter(g, 2, {"ベルカ", kNeutral});
        AddToParty(g, 1);
        AddToParty(g, 2);
        RebuildParty(g);
        h.script().key('B');
    }
    Game& game() { return h.game(); }
    Character& member(int slot) { return game().save.roster[static_cast<size_t>(slot)]; }
    ReportWindow& report() { return WindowOf<ReportWindow>(game()); }
    void expect(const std::string& text) {
        h.script().check([this, text] {
            bool found = false;
            for (const std::string& t : h.texts())
                found = found || t.find(text) != std::string::npos;
            EXPECT_TRUE(found) << text;
        });
    }
    // Expects a dialog with this text and closes it.
    void reply(const std::string& text) {
        expect(text);
        h.script().key(keys::Space);
    }
    GameHarness h;
};

void shoot(GameHarness& h, const char* name) {
    h.ui().render();
    if (const char* dir = std::getenv("DV_SCREENSHOT_DIR"))
        h.savePng(std::string(dir) + "/" + name);
}

TEST(FortuneHousePlay, ARankingAndACataloguePageInTheReportWindow) {
    struct Shown {
        GameHarness h;
        ReportWindow& report() { return WindowOf<ReportWindow>(h.game()); }
    } f;
    f.h.copyPictures();
    f.h.startToTown();
    Game& g = f.h.game();
    PutCharacter(g, 1, {"アルテア", kLawful}).level = 5;
    PutCharacter(g, 2, {"ベルカ", kNeutral}).level = 8;
    for (int n = 1; n <= 60; ++n)
        nameItem(g.db, n, "品" + std::to_string(n), 1 + n % 10);
    for (int n = 1; n <= 60; n += 3)
        g.save.itemFoundCounts[static_cast<size_t>(n)] = n;
    nameMonster(g.db, 3, "スライム");
    nameMonster(g.db, 4, "ゴブリン");
    g.save.defeatedCounts[4] = 2;
    f.h.script().key('B').check([&] { EXPECT_EQ(g.menuState, kFortuneMenu); });
    f.h.script().key('L').check([&] {
        ReportWindow& w = f.report();
        EXPECT_TRUE(w.visible());
        EXPECT_TRUE(w.lstRanking.hasFocus());
        EXPECT_EQ(w.fraBack.caption, "ＬＶランキング");
        ASSERT_EQ(w.lstRanking.listCount(), 2);
        EXPECT_EQ(w.lstRanking.itemData(0), 2);
        EXPECT_EQ(w.lstRanking.itemData(1), 1);
    });
    f.h.script().key(keys::Enter).check([&] {
        EXPECT_FALSE(f.report().visible());
        EXPECT_EQ(g.menuState, kFortuneMenu);
        EXPECT_TRUE(f.h.app().mainWindow().lstCommandList.hasFocus());
    });
    // The second of the two G entries, by the arrows and Enter.
    for (int i = 0; i < 8; ++i)
        f.h.script().key(keys::Down);
    f.h.script().key(keys::Enter).check([&] {
        ReportWindow& w = f.report();
        EXPECT_EQ(w.fraBack.caption, "倒打モンスターリスト");
        EXPECT_EQ(w.lblSummary.caption(), "全2種中1種倒打 　　　  残り1");
    });
    f.h.script().key(keys::Esc);
    // G opens the first: the item catalogue, sixty rows in pages.
    f.h.script().key('G').check([&] {
        ReportWindow& w = f.report();
        EXPECT_EQ(w.fraBack.caption, "獲得アイテムリスト");
        EXPECT_EQ(w.lstRanking.listCount(), 60);
        EXPECT_EQ(w.lblSummary.caption(), "全60種中  20種ＧＥＴ   　　　残り40");
        EXPECT_GT(w.pages(), 2);
        EXPECT_EQ(w.page(), 1);
        // Every row fits the window.
        const Rect r = w.lstRanking.screenRect();
        EXPECT_LE(r.x + r.w, 640);
        EXPECT_LE(r.y + r.h, 480);
        const ListEx& l = w.lstRanking;
        const int room = skinLayout(l, l.width(), l.height(), l.indent).innerWidth - l.indent;
        for (int i = 0; i < l.listCount(); ++i)
            EXPECT_LE(l.font()->textWidth(l.list(i)), room) << l.list(i);
    });
    f.h.script().key(keys::PageDown).check([&] {
        EXPECT_EQ(f.report().page(), 2);
        const int per = f.report().lstRanking.rowsPerPage();
        EXPECT_EQ(f.report().lstRanking.topIndex(), per);
        EXPECT_EQ(f.report().lblPage.caption(),
                  ToWide("2/" + std::to_string(f.report().pages())) + "ページ");
        shoot(f.h, "screenshot-fortune.png");
    });
    f.h.script().key(keys::Right).check([&] { EXPECT_EQ(f.report().page(), 3); });
    f.h.script().key(keys::Left).key(keys::Left).check([&] { EXPECT_EQ(f.report().page(), 1); });
    f.h.script().key(keys::Back).check([&] { EXPECT_FALSE(f.report().visible()); });
    // Leaving the house: the town again.
    f.h.script().key('C');
    f.h.run();
    EXPECT_EQ(g.menuState, 8);
}

// Recipe 1 of the fusion tests: a sword and a fang make a scythe; a failure may leave a
// bone.
struct Fusion : House {
    static constexpr int kAxe = 7, kFang = 24, kBone = 86, kScythe = 8;
    Fusion() {
        Database& db = game().db;
        nameItem(db, kAxe, "木こりの手斧");
        nameItem(db, kFang, "獣の牙", 3);
        nameItem(db, kBone, "硬い骨", 10);
        nameItem(db, kScythe, "獣骨の鎌");
        db.fusionTable(1, 1) = kScythe;
        db.fusionTable(1, 2) = kBone;
        db.fusionTable(1, 3) = kAxe;
        db.fusionTable(1, 4) = kFang;
        db.fusionTable(2, 1) = kScythe;
        game().save.defeatedCounts[1] = 31;
        member(1).items[1] = {kAxe, 0, 1};
        member(2).items[1] = {kFang, 0, 1};
    }
    // A seed whose first fusion draw gives the outcome.
    static std::uint64_t seedFor(FusionOutcome wanted) {
        for (std::uint64_t s = 1;; ++s) {
            Rng rng(s);
            if (DrawFusionOutcome(rng) == wanted) return s;
        }
    }
    // Chooses recipe row `row` of the fusion list and agrees.
    void fuseRow(int row, std::uint64_t seed) {
        h.script().key('U').check([this] { EXPECT_EQ(game().menuState, kFusionMenu); });
        for (int i = 0; i < row; ++i)
            h.script().key(keys::Down);
        h.script().check([this, seed] { game().rng.seed(seed); });
        h.script().key(keys::Enter);
        expect("合体させて良いですか？");
        h.script().key('Y');
    }
    SaveData saved() {
        SaveData s;
        LoadSave(s, h.gameDir());
        return s;
    }
};

TEST(FortuneHousePlay, FusionSucceedsOrFailsAndUsesUpTheIngredients) {
    struct Case {
        FusionOutcome outcome;
        std::vector<std::string> messages;
        int product;
        bool unidentified;
    };
    const Case cases[] = {
        {FusionOutcome::Success,
         {"合体できました", "獣骨の鎌を手に入れた"},
         Fusion::kScythe,
         false},
        {FusionOutcome::WrongItem,
         {"失敗！", "予定と違うものが出来ました", "？硬い骨を手に入れた"},
         Fusion::kBone,
         true},
        {FusionOutcome::Destroyed, {"失敗！", "全部壊れてしまいました"}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.outcome));
        Fusion f;
        f.fuseRow(0, Fusion::seedFor(c.outcome));
        for (const char* t : {"それでは合体させます", "・・・・", "・・・・・", "・・・・・・・"})
            f.reply(t);
        for (const std::string& t : c.messages)
            f.reply(t);
        f.h.script().check([&] {
            EXPECT_EQ(f.member(1).items[1].itemId, c.product);
            EXPECT_EQ(f.member(2).items[1].itemId, 0);
            if (c.product != 0) {
                EXPECT_EQ((f.member(1).items[1].itemFlags & kItemUnidentified) != 0,
                          c.unidentified);
                EXPECT_EQ(f.game().save.itemFoundCounts[static_cast<size_t>(c.product)], 1);
            }
            SaveData s = f.saved();
            EXPECT_EQ(s.roster[1].items[1].itemId, c.product);
            EXPECT_EQ(s.roster[2].items[1].itemId, 0);
            EXPECT_EQ(f.game().menuState, kFusionMenu) << "the recipe list stays";
        });
        f.h.run();
    }
}

TEST(FortuneHousePlay, FusionRefusals) {
    Fusion f;
    // The fusion list: revealed and hidden recipes, then the way back.
    f.h.script().key('U').check([&] {
        auto rows = f.h.commandEntries();
        ASSERT_EQ(rows.size(), 61u);
        EXPECT_EQ(rows[0], "01:獣骨の鎌");
        EXPECT_EQ(rows[1], std::string("02:") + kHiddenRecipe);
        EXPECT_EQ(rows[60], "前に戻る");
        EXPECT_TRUE(f.h.app().mainWindow().lbl.caption().find("どのアイテムを製作しますか？") == 0);
    });
    f.h.script().key(keys::Down).key(keys::Enter);
    f.reply("それはまだ合体できないですよ");
    // Saying no changes nothing.
    f.h.script().key(keys::Up).key(keys::Enter);
    f.expect("合体させて良いですか？");
    f.h.script().key('N').check([&] {
        EXPECT_EQ(f.member(1).items[1].itemId, Fusion::kAxe);
        EXPECT_EQ(f.h.ui().modalDepth(), 0u);
    });
    // Without the fang the party cannot fuse, and nothing is taken.
    f.h.script().check([&] { f.member(2).items[1] = {}; });
    f.h.script().key(keys::Enter).key('Y');
    f.reply("アイテムが足りないですよ");
    f.h.script().check([&] { EXPECT_EQ(f.member(1).items[1].itemId, Fusion::kAxe); });
    // Esc goes back to the house's menu.
    f.h.script().key(keys::Esc).check([&] {
        EXPECT_EQ(f.game().menuState, kFortuneMenu);
        EXPECT_EQ(f.h.app().mainWindow().lbl.caption(), "");
    });
    f.h.run();

    // Without a party there is no fusion.
    GameHarness alone;
    alone.startToTown();
    alone.script().key('B').key('U');
    alone.script().check([&] { EXPECT_TRUE(alone.showsText(std::string(Message(1063)))); });
    alone.script().key(keys::Space);
    alone.run();
    EXPECT_EQ(alone.game().menuState, kFortuneMenu);
}

TEST(FortuneHousePlay, AWornIngredientTakesItsArmourWithIt) {
    Fusion f;
    f.h.script().check([&] {
        Database& db = f.game().db;
        db.itemTable[Fusion::kFang].armorBonus = -3;
        Character& wearer = f.member(2);
        wearer.items[1].itemFlags = 3;
        ResetDerived(wearer);
        ApplyEquipment(wearer, db, 0);
        EXPECT_EQ(wearer.baseArmorClass, 7);
    });
    f.fuseRow(0, Fusion::seedFor(FusionOutcome::Destroyed));
    for (int i = 0; i < 6; ++i)
        f.h.script().key(keys::Space);
    f.h.run();
    EXPECT_EQ(f.member(2).items[1].itemId, 0);
    EXPECT_EQ(f.member(2).baseArmorClass, 10);
    EXPECT_EQ(f.member(2).armorClass, 10);
}

}  // namespace
}  // namespace dv
