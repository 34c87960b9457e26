// The training grounds' roster commands through the roster window: rows, preview, inspect,
// delete, rename, reorder and class change.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "characters/creation_screen.h"
#include "characters/roster_fixture.h"
#include "characters/roster_rules.h"
#include "characters/roster_window.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/window_of.h"
#include "support/game_harness.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::GameHarness;
using test::PutCharacter;

CharacterListWindow& roster(GameHarness& h) {
    return WindowOf<CharacterListWindow>(h.game());
}

TEST(RosterLine, FieldsStatusAndPlace) {
    Game g;
    Character c;
    c.name = "アリス";
    c.level = 12;
    c.alignment = 1;
    c.classBit = 1;
    c.race = 1;
    // Position in 2, name in 13 and a space, level in 5, class label in 5, race in 3.
    const std::string base =
        "１　）アリス　　　　　　　　　　　ＬＶ　　　１２　Ｌ－Ｆｉｇ　Ｈｕｍ　";
    EXPECT_EQ(RosterLine(c, 1), base);
    c.status = kStatusDead;
    EXPECT_EQ(RosterLine(c, 1), base + "Ｄｅａｄ．");
    c.status = kStatusDead | kStatusAshes;
    c.floor = 3;
    EXPECT_EQ(RosterLine(c, 1), base + "Ａｓｈｅｓ．Ｏｕｔ");

    // A name longer than its column is cut there; the level, class and race keep theirs.
    c.status = 0;
    c.floor = 0;
    c.name = "";
    for (int i = 0; i < 50; ++i)
        c.name += "ナ";
    EXPECT_EQ(RosterLine(c, 1),
              "１　）ナナナナナナナナナナナナナ　ＬＶ　　　１２　Ｌ－Ｆｉｇ　Ｈｕｍ　");
}

TEST(RosterWindow, InspectListsEveryCharacterWithPreviewAndBack) {
    GameHarness h;
    h.startToTown();
    Character& a = PutCharacter(h.game(), 2, {"アリス", kLawful, 1, 1, kMale});
    a.gold = 150;
    a.experience = 1234;
    PutCharacter(h.game(), 5, {"ボブ", kChaotic, 2, 2, kFemale, kStatusDead});
    test::KeysToTrainingGrounds(h);
    h.script().key('I').check([&] {
        CharacterListWindow& w = roster(h);
        EXPECT_TRUE(w.visible());
        ASSERT_EQ(w.lstCharacter.listCount(), 3);
        EXPECT_EQ(w.lstCharacter.list(0), RosterLine(h.game().save.roster[2], 1));
        EXPECT_EQ(w.lstCharacter.list(1), RosterLine(h.game().save.roster[5], 2));
        EXPECT_EQ(w.lstCharacter.list(2), "Ｒ）戻る");
        EXPECT_EQ(w.lstCharacter.itemData(1), 5);
        EXPECT_EQ(w.lblLevel.caption(), "LV        1");
        EXPECT_EQ(w.lblClassLabel.caption(), "Ｌ－Ｆｉｇ");
        EXPECT_EQ(w.lblSex.caption(), "男");
        EXPECT_NE(w.lblNumbers.caption().find("Gold                150"), std::string::npos);
        EXPECT_NE(w.lblAttributes.caption().find("力　　　　 18"), std::string::npos);
    });
    h.script().key(keys::Down).check([&] { EXPECT_EQ(roster(h).lblSex.caption(), "女"); });
    // R leaves from any row.
    h.script().key('R');
    h.run();
    EXPECT_FALSE(roster(h).visible());
    EXPECT_EQ(h.game().menuState, 10);
}

TEST(RosterWindow, InspectAndReorderNeedCharacters) {
    GameHarness h;
    h.startToTown();
    test::KeysToTrainingGrounds(h);
    h.script().key('I').check([&] { EXPECT_TRUE(h.showsText("キャラクターはいません")); });
    h.script().key(keys::Enter);
    h.script().check([&] { PutCharacter(h.game(), 1, {"ひとり"}); });
    h.script().key('R').check(
        [&] { EXPECT_TRUE(h.showsText("並び替えるキャラクターがいません")); });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_EQ(h.game().menuState, 10);
}

TEST(RosterWindow, DeleteEmptiesTheSlotAndKeepsTheOthers) {
    GameHarness h;
    h.startToTown();
    for (int s = 1; s <= 4; ++s)
        PutCharacter(h.game(), s, {"人" + std::to_string(s)});
    test::KeysToTrainingGrounds(h);
    // "No" keeps the window open; "yes" deletes and closes it.
    h.script().key('D').key(keys::Down).key(keys::Down).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("人3を削除します　よいですか？"));
    });
    h.script().key('N').check([&] { EXPECT_TRUE(roster(h).visible()); });
    h.script().key(keys::Enter).key('Y');
    h.run();
    EXPECT_FALSE(roster(h).visible());
    const auto& r = h.game().save.roster;
    EXPECT_EQ(r[3].rosterId, 0);
    EXPECT_EQ(r[3].name, "");
    EXPECT_EQ(r[2].name, "人2");
    EXPECT_EQ(r[4].name, "人4");
    EXPECT_EQ(r[4].rosterId, 4);
    h.restart();
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.game().save.roster[3].rosterId, 0);
}

TEST(RosterWindow, RenameRefusesDuplicatesAndBadNamesThenRenames) {
    GameHarness h;
    h.startToTown();
    PutCharacter(h.game(), 1, {"アリス"});
    PutCharacter(h.game(), 2, {"ボブ"});
    test::KeysToTrainingGrounds(h);
    h.script().key('N').key(keys::Enter).text("ボブ").key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("同じ名前のキャラクターがいますよ"));
    });
    // Its own name counts as a duplicate too.
    h.script().key(keys::Enter).key(keys::Enter).text("アリス").key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("同じ名前のキャラクターがいますよ"));
    });
    std::string sixty;
    for (int i = 0; i < 60; ++i)
        sixty += "ア";
    h.script().key(keys::Enter).key(keys::Enter).text(sixty).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("名前は５０文字までです"));
    });
    // The refused name comes back as typed, to be corrected: it is rubbed out here.
    h.script().key(keys::Enter);
    for (int i = 0; i < 60; ++i)
        h.script().key(keys::Back);
    h.script().text("クララ\r\n").key(keys::Enter);
    h.run();
    EXPECT_EQ(h.game().save.roster[1].name, "クララ");
    EXPECT_FALSE(roster(h).visible());
    h.restart();
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.game().save.roster[1].name, "クララ");
}

TEST(RosterWindow, ReorderMovesSlotFiveToTwo) {
    GameHarness h;
    h.startToTown();
    for (int s = 1; s <= 6; ++s)
        PutCharacter(h.game(), s, {"人" + std::to_string(s)});
    test::KeysToTrainingGrounds(h);
    h.script().key('R');
    for (int i = 0; i < 4; ++i)
        h.script().key(keys::Down);
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("人5を\nどこに移動させますか？"));
    });
    h.script().key(keys::Enter);
    for (int i = 0; i < 3; ++i)
        h.script().key(keys::Up);
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(roster(h).visible());
        EXPECT_FALSE(roster(h).reorderPending);
        EXPECT_EQ(roster(h).lstCharacter.listIndex(), 0);
    });
    h.script().key(keys::Esc);
    h.run();
    const auto& r = h.game().save.roster;
    const char* expected[] = {"", "人1", "人5", "人2", "人3", "人4", "人6"};
    for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(r[static_cast<size_t>(s)].name, expected[s]);
        EXPECT_EQ(r[static_cast<size_t>(s)].rosterId, s);
    }
}

TEST(RosterWindow, MoveRosterSlotBothWays) {
    SaveData save;
    for (int s = 1; s <= 5; ++s) {
        save.roster[static_cast<size_t>(s)].rosterId = s;
        save.roster[static_cast<size_t>(s)].name = std::to_string(s);
    }
    MoveRosterSlot(save, 2, 4);
    std::string order;
    for (int s = 1; s <= 5; ++s)
        order += save.roster[static_cast<size_t>(s)].name;
    EXPECT_EQ(order, "13425");
    for (int s = 1; s <= 5; ++s)
        EXPECT_EQ(save.roster[static_cast<size_t>(s)].rosterId, s);
}

TEST(ClassChangePlay, SameClassRefusedLawfulNeverOfferedEvilClassesThenChange) {
    GameHarness h;
    h.startToTown();
    PutCharacter(h.game(), 1, {"ロウ", kLawful, 1, 1, kMale});
    test::KeysToTrainingGrounds(h);
    std::vector<std::string> offered;
    h.script().key('G').key(keys::Enter).check([&] {
        ListEx& l = h.game().screens->part<CreationScreen>().lstClassChange;
        EXPECT_TRUE(l.visible());
        EXPECT_EQ(l.caption(), "どの職業に就きますか？");
        for (int i = 0; i < l.listCount(); ++i)
            offered.push_back(l.list(i));
    });
    // The fighter is the first class offered: choosing it is refused.
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("同じ職業にはなれませんよ"));
    });
    h.script().key(keys::Enter);
    h.run();
    for (const char* evil : {"盗賊", "忍者", "魔剣士", "陰陽師", "ワルキュリア"})
        EXPECT_EQ(std::count(offered.begin(), offered.end(), evil), 0) << evil;
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(offered.front(), "戦士");
    EXPECT_EQ(offered.back(), "止める");
    EXPECT_EQ(h.game().save.roster[1].classBit, 1);
    EXPECT_FALSE(h.game().screens->part<CreationScreen>().lstClassChange.visible());
    EXPECT_TRUE(h.game().screens->main->lstCommandList.visible());

    // Now to the wizard (second offered).
    h.game().save.roster[1].level = 5;
    h.script().key('G').key(keys::Enter).key(keys::Down).key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("ロウは\n魔導士に転職しますか？"));
    });
    h.script().key('Y').check([&] { EXPECT_TRUE(h.showsText("魔導士に転職しました")); });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_EQ(h.game().save.roster[1].classBit, 2);
    EXPECT_EQ(h.game().save.roster[1].level, 1);
}

TEST(ClassChangePlay, NobodyAtRestMeansNoClassChange) {
    GameHarness h;
    h.startToTown();
    PutCharacter(h.game(), 1, {"しんだ", kNeutral, 1, 1, kMale, kStatusDead});
    test::KeysToTrainingGrounds(h);
    h.script().key('G').check([&] { EXPECT_TRUE(h.showsText("キャラクターはいません")); });
    h.script().key(keys::Enter);
    h.run();
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

TEST(ResumePicker, ListsThoseLeftInADungeonAndRefusesAWipedOutParty) {
    GameHarness h;
    h.startToTown();
    PutCharacter(h.game(), 1, {"まち"});
    // Party 3: everyone dead. Party 4: one still standing.
    for (int s : {2, 3}) {
        Character& c = PutCharacter(
            h.game(), s, {"全滅" + std::to_string(s), kNeutral, 1, 1, kMale, kStatusDead});
        c.dungeonId = 21;
        c.floor = 2;
        c.partyId = 3;
    }
    for (int s : {4, 5}) {
        Character& c = PutCharacter(h.game(), s, {"生存" + std::to_string(s)});
        c.dungeonId = 22;
        c.floor = 1;
        c.partyId = 4;
    }
    h.game().save.roster[5].status = kStatusDead;
    int picked = -1;
    h.script().check([&] { picked = PickCharacter(h.game(), kPickResume); });
    h.script().check([&] {
        auto& w = roster(h);
        ASSERT_EQ(w.lstCharacter.listCount(), 5);
        EXPECT_NE(w.lstCharacter.list(0).find("Ｏｕｔ"), std::string::npos);
        EXPECT_EQ(w.lstCharacter.itemData(0), 2);
    });
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("そのパーティーは全滅しています"));
    });
    h.script().key(keys::Enter).check([&] { EXPECT_TRUE(roster(h).visible()); });
    h.script().key(keys::Down).key(keys::Down).key(keys::Down).key(keys::Enter);
    h.run();
    EXPECT_EQ(picked, 5);
    EXPECT_EQ(h.game().currentCharacter, 5);

    // Nobody away: told, and the window does not open.
    for (int s = 2; s <= 5; ++s)
        h.game().save.roster[static_cast<size_t>(s)].floor = 0;
    h.script().check([&] { picked = PickCharacter(h.game(), kPickResume); });
    h.script().check([&] {
        EXPECT_TRUE(h.showsText("ダンジョンの中には誰もいません"));
        EXPECT_FALSE(roster(h).visible());
    });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_EQ(picked, 0);
}

}  // namespace
}  // namespace dv
