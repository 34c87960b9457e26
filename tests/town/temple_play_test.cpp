// The temple through the real screens: who is listed, a raise paid by another member, a
// raise that fails twice over, a payer without the gold, and nobody to help.

#include <gtest/gtest.h>

#include <string>

#include "characters/roster_fixture.h"
#include "core/data/text.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "support/game_harness.h"
#include "town/temple_rules.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::FormParty;
using test::GameHarness;
using test::NewCharacter;
using test::PutCharacter;
using test::SeedWithFirstRoll;

MainWindow& mainOf(GameHarness& h) {
    return *h.game().screens->main;
}

TEST(TemplePlay, NobodyToHelp) {
    GameHarness h;
    h.startToTown();
    // Without a party the temple stays shut.
    h.script().key('A').check([&] { EXPECT_TRUE(h.showsText("パーティーを組んでいません")); });
    h.script().key(keys::Enter);
    h.script().check([&] {
        FormParty(h.game(), {{"元気"}});
        // Someone in the dungeon is not the temple's to help.
        PutCharacter(h.game(), 4, {"迷宮", kNeutral, 1, 1, kMale, kStatusDead}).floor = 2;
    });
    h.script().key('A').check([&] { EXPECT_TRUE(h.showsText("寺院の中にはだれもいません")); });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_EQ(h.game().menuState, 8);
    EXPECT_EQ(h.commandCaption(), "バビロニア　帝都");
}

TEST(TemplePlay, ADeadMemberRaisedWithAnotherMembersGold) {
    GameHarness h;
    h.startToTown();
    FormParty(h.game(), {{"サイフ"}, {"シニン", kNeutral, 1, 1, kMale, kStatusDead}});
    h.game().save.roster[1].gold = 3000;
    Character& dead = h.game().save.roster[2];
    dead.level = 10;
    dead.hitPoints = 0;
    dead.maxHitPoints = 40;
    // Not in the party, but in town: listed too.
    PutCharacter(h.game(), 5, {"イシ", kNeutral, 1, 1, kMale, kStatusStone});
    RebuildParty(h.game());
    h.script().key('A').check([&] {
        EXPECT_EQ(h.game().menuState, 2);
        EXPECT_EQ(h.commandCaption(), "アプスー寺院　誰を助けますか？ 選んで下さい");
        const auto rows = h.commandEntries();
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0], TempleRowText(h.game().save.roster[2], 2500));
        EXPECT_NE(rows[0].find("２５００"), std::string::npos);
        EXPECT_EQ(rows[2], "戻る");
        EXPECT_TRUE(mainOf(h).lstCommandList.hasFocus());
    });
    h.script().key(keys::Enter).check([&] {
        EXPECT_EQ(h.commandCaption(), "誰が助けますか？　　選んでください");
        EXPECT_FALSE(mainOf(h).lstCommandList.enabled());
        EXPECT_TRUE(mainOf(h).fraParty.hasFocus());
        EXPECT_EQ(h.game().selectedMember, 1);
        // The raise is a d18 (the patient's vitality) above 1.
        h.game().rng.seed(SeedWithFirstRoll(18, false));
    });
    h.script().key('1').check([&] { EXPECT_TRUE(h.showsText("回復した")); });
    h.script().key(keys::Enter).check([&] {
        // The list again, with the one still waiting.
        const auto rows = h.commandEntries();
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0], TempleRowText(h.game().save.roster[5], 500));
        EXPECT_TRUE(mainOf(h).lstCommandList.hasFocus());
        EXPECT_FALSE(mainOf(h).fraParty.enabled());
        // The panel shows the living member at once.
        EXPECT_EQ(mainOf(h).lblState[1].caption(), "４０");
    });
    h.script().key(keys::Esc);
    h.run();
    EXPECT_EQ(h.game().menuState, 8);
    auto expectRaised = [](const SaveData& save) {
        const Character& c = save.roster[2];
        EXPECT_EQ(c.status, 0);
        EXPECT_EQ(c.hitPoints, 40);
        EXPECT_EQ(c.ripCount, 1);
        EXPECT_EQ(c.vitality, 17);
        EXPECT_EQ(save.roster[1].gold, 500);
    };
    expectRaised(h.game().save);
    h.restart();
    ASSERT_TRUE(h.start());
    expectRaised(h.game().save);
}

TEST(TemplePlay, AFailedRaiseTurnsTheDeadToAshesAndTheAshesToNothing) {
    GameHarness h;
    h.startToTown();
    // With a vitality of 1 every raise fails.
    FormParty(h.game(), {{"サイフ"}, {"ヨワイ", kNeutral, 1, 1, kMale, kStatusDead}});
    h.game().save.roster[1].gold = 100000;
    Character& weak = h.game().save.roster[2];
    weak.level = 2;
    weak.vitality = 1;
    h.script().key('A').key(keys::Enter).key('1').check([&] {
        EXPECT_TRUE(h.showsText("ヨワイは\n灰燼と化した！！"));
    });
    h.script().key(keys::Enter).check([&] {
        EXPECT_EQ(h.game().save.roster[2].status, kStatusAshes);
        const auto rows = h.commandEntries();
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_NE(rows[0].find("灰燼"), std::string::npos);
        EXPECT_NE(rows[0].find("２０００"), std::string::npos);
    });
    h.script().key(keys::Enter).key('1').check([&] {
        EXPECT_TRUE(h.showsText("ヨワイは\n消滅した！！"));
    });
    h.script().key(keys::Enter).check([&] {
        // Nobody left: the list is empty and any choice leads out.
        EXPECT_EQ(h.commandEntries().size(), 0u);
        EXPECT_EQ(h.game().menuState, 2);
        EXPECT_EQ(mainOf(h).lbl.caption(), "");
        EXPECT_EQ(h.game().place.partyCount, 1);
        EXPECT_EQ(mainOf(h).lblName[1].caption(), "");
    });
    h.script().key(keys::Esc);
    h.run();
    EXPECT_EQ(h.game().menuState, 8);
    EXPECT_TRUE(h.game().save.roster[2] == h.game().save.roster[0]);
    EXPECT_EQ(h.game().save.roster[1].gold, 100000 - 500 - 2000);
}

TEST(TemplePlay, APoorPayerIsScornedAndEscReturnsToTheList) {
    GameHarness h;
    h.startToTown();
    FormParty(h.game(), {{"ビンボウ"}, {"マヒ", kNeutral, 1, 1, kMale, kStatusParalysis}});
    const SaveData before = h.game().save;
    h.script().key('A').key(keys::Enter).key('1').check([&] {
        EXPECT_TRUE(h.showsText("貧乏人め！！"));
    });
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(mainOf(h).fraParty.hasFocus());
        EXPECT_EQ(h.commandCaption(), "誰が助けますか？　　選んでください");
    });
    h.script().key(keys::Esc).check([&] {
        EXPECT_EQ(h.commandCaption(), "アプスー寺院　誰を助けますか？ 選んで下さい");
        EXPECT_TRUE(mainOf(h).lstCommandList.hasFocus());
        EXPECT_EQ(h.game().menuState, 2);
    });
    // Enter on "戻る" leaves.
    h.script().key(keys::Down).key(keys::Enter);
    h.run();
    EXPECT_EQ(h.game().menuState, 8);
    EXPECT_TRUE(h.game().save.roster == before.roster);
}

}  // namespace
}  // namespace dv
