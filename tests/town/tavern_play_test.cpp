// The town menus, the tavern and the party: joining by alignment, the six-member limit,
// the order of the party, the panel rows, member choice, the gold division, the reorder
// panel and the ending on returning to town.

#include <gtest/gtest.h>

#include <string>

#include "characters/member_choice.h"
#include "characters/party.h"
#include "characters/party_controls.h"
#include "characters/roster_fixture.h"
#include "characters/roster_window.h"
#include "core/command_menu.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/window_of.h"
#include "items/status_sheet.h"
#include "support/game_harness.h"
#include "town/ending.h"
#include "town/town_menu.h"
#include "town/town_return.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::GameHarness;
using test::NewCharacter;
using test::PutCharacter;

MainWindow& mainOf(GameHarness& h) {
    return *h.game().screens->main;
}

// Characters in slots 1.. joined to the party in town.
void formParty(Game& game, const std::vector<NewCharacter>& members) {
    int slot = 1;
    for (const auto& m : members) {
        PutCharacter(game, slot, m);
        AddToParty(game, slot);
        ++slot;
    }
    RebuildParty(game);
}

TEST(TownMenus, EscChoosesTheLastEntryEverywhere) {
    struct Case {
        const char* label;
        std::vector<int> keysBefore;
        int menuBefore;
        int menuAfter;
    };
    const Case cases[] = {
        {"town to outskirts", {}, 8, 9},
        {"outskirts to the castle", {'E'}, 9, 8},
        {"tavern to the castle", {'G'}, 1, 8},
        {"fortune house to the castle", {'B'}, 7, 8},
        {"training grounds to the outskirts", {'E', 'T'}, 10, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        GameHarness h;
        h.startToTown();
        for (int k : c.keysBefore)
            h.script().key(k);
        h.script().check([&] { EXPECT_EQ(h.game().menuState, c.menuBefore); });
        h.script().key(keys::Back);
        h.run();
        EXPECT_EQ(h.game().menuState, c.menuAfter);
    }
}

TEST(Party, AlignmentAcceptance) {
    struct Case {
        int mask;
        bool lawful, neutral, chaotic;
    };
    const Case cases[] = {{2, true, true, true},
                          {3, true, true, false},
                          {6, false, true, true},
                          {7, false, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(AlignmentAccepted(c.mask, kLawful), c.lawful);
        EXPECT_EQ(AlignmentAccepted(c.mask, kNeutral), c.neutral);
        EXPECT_EQ(AlignmentAccepted(c.mask, kChaotic), c.chaotic);
    }
}

TEST(TavernPlay, ALawfulAndNeutralPartyOffersLawfulAndNeutralOnly) {
    GameHarness h;
    h.startToTown();
    formParty(h.game(), {{"ロウ", kLawful}, {"ニュー", kNeutral}});
    PutCharacter(h.game(), 3, {"カオ", kChaotic});
    PutCharacter(h.game(), 4, {"ロウ２", kLawful});
    PutCharacter(h.game(), 5, {"ニュー２", kNeutral});
    EXPECT_EQ(PartyAlignmentMask(h.game()), 3);
    test::KeysToTavern(h);
    h.script().key('A').check([&] {
        auto& w = WindowOf<CharacterListWindow>(h.game());
        ASSERT_EQ(w.lstCharacter.listCount(), 3);
        EXPECT_EQ(w.lstCharacter.itemData(0), 4);
        EXPECT_EQ(w.lstCharacter.itemData(1), 5);
    });
    // The first choice joins at once and the list is refilled without it.
    h.script().key(keys::Enter).check([&] {
        auto& w = WindowOf<CharacterListWindow>(h.game());
        EXPECT_TRUE(w.visible());
        ASSERT_EQ(w.lstCharacter.listCount(), 2);
        EXPECT_EQ(w.lstCharacter.itemData(0), 5);
    });
    h.script().key(keys::Esc);
    h.run();
    EXPECT_EQ(h.game().place.partyCount, 3);
    const Character& joined = h.game().save.roster[4];
    EXPECT_EQ(joined.dungeonId, 1);
    EXPECT_EQ(joined.floor, 0);
    EXPECT_EQ(joined.partyPosition, 3);
    EXPECT_EQ(h.game().place.partyMembers[3], 4);
    EXPECT_EQ(mainOf(h).lblName[2].caption(), "３：ロウ２");
}

TEST(TavernPlay, APartyMixingGoodAndEvilTakesNeutralsThenNobody) {
    GameHarness h;
    h.startToTown();
    // A lawful member and a chaotic one (an alignment changed on the way): mask 7.
    formParty(h.game(), {{"ロウ", kLawful}, {"カオ", kChaotic}});
    PutCharacter(h.game(), 3, {"ロウ２", kLawful});
    PutCharacter(h.game(), 4, {"ニュー", kNeutral});
    PutCharacter(h.game(), 5, {"ニュー２", kNeutral});
    test::KeysToTavern(h);
    h.script().key('A').check([&] {
        auto& w = WindowOf<CharacterListWindow>(h.game());
        ASSERT_EQ(w.lstCharacter.listCount(), 3);
        EXPECT_EQ(w.lstCharacter.itemData(0), 4);
    });
    h.script().key(keys::Enter).check([&] {
        auto& w = WindowOf<CharacterListWindow>(h.game());
        EXPECT_EQ(w.lstCharacter.texts(), (std::vector<std::string>{"Ｒ）戻る"}));
    });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_EQ(h.game().place.partyCount, 3);
}

TEST(TownMenus, TheDungeonMenuHidesTheListAndPlaysTheDungeonMusic) {
    GameHarness h;
    h.startToTown();
    h.script().check([&] { BuildMenu(h.game(), 11); });
    h.run();
    EXPECT_EQ(h.game().menuState, 11);
    EXPECT_FALSE(mainOf(h).lstCommandList.visible());
    EXPECT_EQ(h.app().music().scenes.back(), h.game().dungeon.dungeonMusic);
}

TEST(TavernPlay, SixMembersAtMost) {
    GameHarness h;
    h.startToTown();
    for (int s = 1; s <= 8; ++s)
        PutCharacter(h.game(), s, {"人" + std::to_string(s)});
    test::KeysToTavern(h);
    h.script().key('A');
    for (int i = 0; i < 6; ++i)
        h.script().key(keys::Enter);
    h.script().check([&] {
        EXPECT_FALSE(WindowOf<CharacterListWindow>(h.game()).visible());
        EXPECT_EQ(h.game().place.partyCount, 6);
    });
    h.script().key('A').check([&] { EXPECT_TRUE(h.showsText("これ以上メンバーを増やせません")); });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_EQ(h.game().place.partyCount, 6);
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(h.game().place.partyMembers[static_cast<size_t>(i)], i);
}

TEST(TavernPlay, NobodyToJoinIsToldWithoutTheWindow) {
    GameHarness h;
    h.startToTown();
    test::KeysToTavern(h);
    h.script().key('A').check([&] {
        EXPECT_TRUE(h.showsText("パーティーを組めるキャラクターがいません"));
        EXPECT_FALSE(WindowOf<CharacterListWindow>(h.game()).visible());
    });
    h.script().key(keys::Enter);
    // Removing, inspecting and dividing need a party.
    for (int k : {'R', 'I', 'G'}) {
        h.script().key(k).check([&] { EXPECT_TRUE(h.showsText("パーティーを組んでいません")); });
        h.script().key(keys::Enter);
    }
    h.run();
    EXPECT_EQ(h.game().menuState, 1);
}

TEST(Party, MembersWhoCannotActMoveBehind) {
    Game g;
    for (int s = 1; s <= 4; ++s) {
        PutCharacter(g, s, {"人" + std::to_string(s)});
        AddToParty(g, s);
    }
    g.save.roster[1].status = kStatusSleep;
    g.save.roster[3].status = kStatusDead;
    RebuildParty(g);
    EXPECT_EQ(g.place.partyCount, 4);
    const int expected[] = {0, 2, 4, 1, 3};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(g.place.partyMembers[static_cast<size_t>(i)], expected[i]) << i;
        EXPECT_EQ(g.save.roster[static_cast<size_t>(expected[i])].partyPosition, i);
    }
    // Awake again, the order the last rebuild left stays.
    g.save.roster[1].status = 0;
    RebuildParty(g);
    EXPECT_EQ(g.place.partyMembers[3], 1);
    // Someone elsewhere is not a member; a seventh never counts.
    PutCharacter(g, 9, {"外"});
    for (int s = 10; s <= 13; ++s) {
        PutCharacter(g, s, {"多" + std::to_string(s)});
        g.save.roster[static_cast<size_t>(s)].dungeonId = 1;
    }
    RebuildParty(g);
    EXPECT_EQ(g.place.partyCount, 6);
}

TEST(Party, PanelRowsShowNameClassArmourHitPointsAndState) {
    GameHarness h;
    h.startToTown();
    formParty(h.game(), {{"アリス", kLawful, 1}, {"ボブ", kChaotic, 2}, {"クララ"}, {"デン"}});
    Character& bob = h.game().save.roster[2];
    bob.status = kStatusPoison;
    bob.hitPoints = 7;
    Character& clara = h.game().save.roster[3];
    clara.regeneration = 1;
    Character& den = h.game().save.roster[4];
    den.regeneration = 1;
    den.status = kStatusPoison;
    RebuildParty(h.game());
    MainWindow& m = mainOf(h);
    EXPECT_EQ(m.lblName[0].caption(), "１：アリス");
    EXPECT_EQ(m.lblName[0].tag, "1");
    EXPECT_EQ(m.lblClass[0].caption(), "Ｌ－Ｆｉｇ");
    EXPECT_EQ(m.lblAC[0].caption(), "１０");
    EXPECT_EQ(m.lblHP[0].caption(), "　１０");
    EXPECT_EQ(m.lblState[0].caption(), "１０");
    EXPECT_EQ(m.lblHP[1].caption(), "－７");
    EXPECT_FALSE(m.lblState[1].caption().empty());
    EXPECT_NE(m.lblState[1].caption(), "１０");
    EXPECT_EQ(m.lblHP[2].caption(), "＋１０");
    EXPECT_EQ(m.lblHP[3].caption(), "　１０");
    EXPECT_EQ(m.lblName[4].caption(), "");
}

TEST(TavernPlay, DividingGold) {
    GameHarness h;
    h.startToTown();
    formParty(h.game(), {{"ア"}, {"イ"}, {"ウ"}});
    h.game().save.roster[1].gold = 100;
    test::KeysToTavern(h);
    h.script().key('G').check(
        [&] { EXPECT_TRUE(h.showsText("お金を山分けしました\n一人３３です")); });
    h.script().key(keys::Enter);
    h.run();
    for (int s = 1; s <= 3; ++s)
        EXPECT_EQ(h.game().save.roster[static_cast<size_t>(s)].gold, 33);
    h.restart();
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.game().save.roster[2].gold, 33);
}

TEST(Party, DividingLargeSumsKeepsEveryGoldPiece) {
    Game g;
    PutCharacter(g, 1, {"金持ち"}).gold = 16777217;
    PutCharacter(g, 2, {"貧乏"}).gold = 1;
    AddToParty(g, 1);
    AddToParty(g, 2);
    EXPECT_EQ(DivideGold(g), 8388609);
    EXPECT_EQ(g.save.roster[1].gold, 8388609);
    EXPECT_EQ(g.save.roster[2].gold, 8388609);
}

TEST(MemberChoicePlay, SevenTakesTheLastOfFourAndKeysWrap) {
    GameHarness h;
    h.startToTown();
    formParty(h.game(), {{"一"}, {"二"}, {"三"}, {"四"}});
    test::KeysToTavern(h);
    h.script().key('R').check([&] {
        EXPECT_TRUE(mainOf(h).fraParty.hasFocus());
        EXPECT_FALSE(mainOf(h).lstCommandList.enabled());
        EXPECT_TRUE(mainOf(h).shpPartyBar.visible());
        EXPECT_EQ(h.game().selectedMember, 1);
    });
    h.script().key(keys::Up).check([&] {
        EXPECT_EQ(h.game().selectedMember, 4);
        EXPECT_EQ(mainOf(h).shpPartyBar.top(), 64);
    });
    h.script().key(keys::Right).check([&] { EXPECT_EQ(h.game().selectedMember, 1); });
    h.script().key('7');
    h.script().check([&] {
        EXPECT_EQ(h.game().place.partyCount, 3);
        EXPECT_EQ(h.game().save.roster[4].partyId, 0);
        EXPECT_EQ(h.game().save.roster[4].dungeonId, 0);
        EXPECT_EQ(h.game().menuState, 1);
        EXPECT_EQ(mainOf(h).lstCommandList.listIndex(), 1);
        EXPECT_TRUE(mainOf(h).lstCommandList.hasFocus());
        EXPECT_FALSE(mainOf(h).shpPartyBar.visible());
    });
    // Esc leaves member choice with the list back.
    h.script().key('R').key(keys::Esc);
    h.run();
    EXPECT_EQ(h.game().place.partyCount, 3);
    EXPECT_TRUE(mainOf(h).lstCommandList.hasFocus());
    EXPECT_EQ(h.game().menuState, 1);
}

TEST(MemberChoicePlay, InspectOpensTheTownSheetAndPagesThroughTheParty) {
    GameHarness h;
    h.startToTown();
    formParty(h.game(), {{"一"}, {"二"}, {"三"}});
    test::KeysToTavern(h);
    h.script().key('I').key('2').check([&] {
        auto& sheet = static_cast<StatusSheet&>(*h.game().screens->sheet);
        EXPECT_TRUE(sheet.visible());
        EXPECT_EQ(h.game().sheetMode, kSheetTown);
        EXPECT_EQ(sheet.lbl[7].caption(), "二");
        EXPECT_EQ(
            sheet.lstCommand.texts(),
            (std::vector<std::string>{"E)装備", "T)渡す", "P)お金を集める", "D)捨てる", "K)スキル",
                                      "N)次へ", "B)前へ", "R)呪文書を読む", "L)戻る"}));
    });
    h.script().key('N').check([&] {
        EXPECT_EQ(static_cast<StatusSheet&>(*h.game().screens->sheet).lbl[7].caption(), "三");
    });
    h.script().key('N').check([&] {
        EXPECT_EQ(static_cast<StatusSheet&>(*h.game().screens->sheet).lbl[7].caption(), "一");
    });
    h.script().key('B').check([&] {
        EXPECT_EQ(static_cast<StatusSheet&>(*h.game().screens->sheet).lbl[7].caption(), "三");
    });
    h.script().key('L');
    h.run();
    EXPECT_FALSE(h.game().screens->sheet->visible());
    EXPECT_EQ(h.game().menuState, 1);
    EXPECT_EQ(mainOf(h).lstCommandList.listIndex(), 2);
}

TEST(ReorderPanelPlay, OkWritesPositionsInListOrder) {
    GameHarness h;
    h.startToTown();
    formParty(h.game(), {{"一"}, {"二"}, {"三"}});
    h.script().check([&] {
        OpenReorderPanel(h.game());
        EXPECT_TRUE(h.game().screens->part<PartyControls>().fraReorder.visible());
        EXPECT_EQ(h.game().screens->part<PartyControls>().lstReorder.texts(),
                  (std::vector<std::string>{"一", "二", "三"}));
    });
    // The first member down one, then the (now) first up past the top to the bottom.
    h.script().key('B').check([&] {
        EXPECT_EQ(h.game().screens->part<PartyControls>().lstReorder.texts(),
                  (std::vector<std::string>{"二", "一", "三"}));
        EXPECT_EQ(h.game().screens->part<PartyControls>().lstReorder.listIndex(), 1);
    });
    h.script().key(keys::Up).key('F').check([&] {
        EXPECT_EQ(h.game().screens->part<PartyControls>().lstReorder.texts(),
                  (std::vector<std::string>{"一", "三", "二"}));
    });
    h.script().key('O');
    h.run();
    EXPECT_FALSE(h.game().screens->part<PartyControls>().fraReorder.visible());
    const auto& p = h.game().place;
    EXPECT_EQ(p.partyMembers[1], 1);
    EXPECT_EQ(p.partyMembers[2], 3);
    EXPECT_EQ(p.partyMembers[3], 2);
    EXPECT_EQ(h.game().save.roster[3].partyPosition, 2);
    EXPECT_EQ(h.game().save.roster[2].partyPosition, 3);
    EXPECT_EQ(mainOf(h).lblName[1].caption(), "２：三");
}

TEST(TownPlay, TrainingGroundsDissolveThePartyOnDisplay) {
    GameHarness h;
    h.startToTown();
    formParty(h.game(), {{"一"}, {"二"}});
    // Someone left in a dungeon keeps their place.
    Character& away = PutCharacter(h.game(), 5, {"迷子"});
    away.dungeonId = 21;
    away.floor = 3;
    away.partyId = 4;
    test::KeysToTrainingGrounds(h);
    h.run();
    EXPECT_EQ(h.game().place.partyCount, 0);
    EXPECT_EQ(h.game().save.roster[1].dungeonId, 0);
    EXPECT_EQ(h.game().save.roster[2].partyPosition, 0);
    EXPECT_EQ(away.floor, 3);
    EXPECT_EQ(away.partyId, 4);
    EXPECT_EQ(mainOf(h).lblName[0].caption(), "");
}

TEST(EndingPlay, FlagAndItemShowTheEndingOnce) {
    for (bool carried : {false, true}) {
        SCOPED_TRACE(carried);
        GameHarness h;
        h.startToTown();
        formParty(h.game(), {{"一"}, {"二"}});
        h.game().save.eventFlags[41] = 1;
        h.game().save.eventFlags[11] = 1;
        h.game().save.eventFlags[33] = 1;
        if (carried) h.game().save.roster[2].items[7].itemId = 657;
        int shown = 0;
        h.script().check([&] { ShowTownAfterReturn(h.game()); });
        if (carried) {
            for (int i = 0; i < 6; ++i) {
                h.script().check([&] {
                    EXPECT_FALSE(mainOf(h).fraParty.visible());
                    ++shown;
                });
                h.script().key(keys::Enter);
            }
        }
        h.run();
        EXPECT_EQ(shown, carried ? 6 : 0);
        EXPECT_TRUE(mainOf(h).fraParty.visible());
        EXPECT_FALSE(mainOf(h).fraParty.enabled());
        EXPECT_EQ(h.game().menuState, 8);
        EXPECT_EQ(h.game().save.eventFlags[41], carried ? 0 : 1);
        EXPECT_EQ(h.game().save.eventFlags[11], carried ? 0 : 1);
        EXPECT_EQ(h.game().save.eventFlags[33], 1);  // not one of the reset flags
        EXPECT_EQ(h.game().save.roster[1].completionMark, carried ? 1 : 0);
        // The next return shows nothing more.
        EXPECT_FALSE(EndingEarned(h.game()));
    }
}

}  // namespace
}  // namespace dv
