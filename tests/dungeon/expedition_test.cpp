// Into the dungeon and out again: the dungeon list, entering, the entrance question,
// suspending and resuming, the wipe-out and the return to town.

#include <gtest/gtest.h>

#include "core/data/message.h"
#include "dungeon/expedition.h"
#include "dungeon/party_rules.h"
#include "dungeon_fixture.h"
#include "town/town_menu.h"

namespace dv {
namespace {

using test::DungeonFixture;

// From the town menu through the outskirts to the first dungeon.
void enterFirstDungeon(DungeonFixture& f) {
    f.key('E').key('D');
    f.call([&] { EXPECT_EQ(f.game().menuState, kDungeonListMenu); });
    f.key('1');
}

TEST(Expedition, ANewExpeditionStartsAtTheEntranceFacingSouth) {
    DungeonFixture f;
    f.game().save.roster[1].partyId = 7;  // a town party id left from earlier
    f.game().save.roster[2].partyId = 7;
    f.game().place.partyId = 7;
    enterFirstDungeon(f);
    f.call([&] {
        const Place& p = f.game().place;
        EXPECT_EQ(p.currentDungeon, 21);
        EXPECT_EQ(p.currentFloor, 1);
        EXPECT_EQ(p.partyX, 0);
        EXPECT_EQ(p.partyY, 0);
        EXPECT_EQ(p.previousX, 0);
        EXPECT_EQ(p.previousY, 0);
        EXPECT_EQ(p.facing, 2);
        EXPECT_EQ(p.partyId, 1) << "the smallest id nobody else carries";
        EXPECT_EQ(f.game().menuState, kDungeonMenu);
        EXPECT_TRUE(f.main().picMap.visible());
        EXPECT_FALSE(f.main().lstCommandList.visible());
        EXPECT_TRUE(f.main().picMap.hasFocus());
        EXPECT_EQ(f.main().title(), std::string(Message(1)));
        for (int i = 1; i <= 2; ++i) {
            EXPECT_EQ(f.member(i).dungeonId, 21);
            EXPECT_EQ(f.member(i).floor, 1);
            EXPECT_EQ(f.member(i).partyId, 1);
            EXPECT_EQ(f.member(i).partyPosition, i);
        }
    });
    // Right faces west: the entrance asks.
    f.key(keys::Right).expectText("城へ戻りますか？").key('N');
    f.call([&] { EXPECT_EQ(f.game().place.facing, 3); });
    f.key(keys::Left).expectNoDialog();  // south again
    f.key(keys::Left).expectNoDialog();  // east: no question
    f.key(keys::Left).expectText("城へ戻りますか？").key('Y');
    f.call([&] {
        EXPECT_EQ(f.game().menuState, 8);
        EXPECT_EQ(f.game().place.currentFloor, 0);
        EXPECT_EQ(f.game().place.currentDungeon, 1);
        EXPECT_FALSE(f.main().picMap.visible());
        EXPECT_EQ(f.member(1).dungeonId, 1);
        EXPECT_EQ(f.member(1).floor, 0);
        EXPECT_EQ(f.game().place.partyCount, 2);
    });
    f.run();
}

TEST(Expedition, TheDungeonListOpensAsTheWorldDoes) {
    DungeonFixture f;
    const std::vector<std::string> first = {"1)亜　獣　人　の　谷",
                                            "2)地　下　庭　園　ア　ヴ　ァ　ロ　ン",
                                            "3)ア　ン　ダ　ー　バ　ベ　ル", "L)町 外 れ"};
    f.key('E').key('D');
    f.call([&] { EXPECT_EQ(f.h.commandEntries(), first); });
    f.key(keys::Esc);  // the last entry: back to the outskirts
    f.call([&] {
        EXPECT_EQ(f.game().menuState, 9);
        f.game().save.eventFlags[11] = 1;
        f.game().save.eventFlags[12] = 1;
        f.game().save.roster[1].items[3].itemId = 635;
        f.game().save.roster[9].items[1].itemId = 636;  // anyone in the roster counts
    });
    f.key('D');
    f.call([&] {
        std::vector<std::string> all = {"N)ネ　ガ　パ　ン　デ　モ　ニ　ウ　ム", "E)エ　デ　ン",
                                        "S)レ　メ　ゲ　ト　ン"};
        all.insert(all.end(), first.begin(), first.end());
        EXPECT_EQ(f.h.commandEntries(), all);
    });
    f.run();
}

// The list and the bot read the same entry needs: a dungeon opens exactly when its items are
// in the roster and its flag is set.
TEST(Expedition, ADungeonOpensExactlyByItsEntryNeeds) {
    DungeonFixture f;
    f.call([&] {
        Game& g = f.game();
        for (int id = 20; id <= 27; ++id) {
            SCOPED_TRACE("dungeon " + std::to_string(id));
            const DungeonOpening need = DungeonOpeningNeeds(id);
            g.save.eventFlags = {};
            g.save.roster[9].items = {};
            if (!need.known) {
                EXPECT_FALSE(DungeonOffered(g, id));
                continue;
            }
            const bool free = need.flag < 0 && need.items[0] == 0 && need.items[1] == 0;
            EXPECT_EQ(DungeonOffered(g, id), free);
            int slot = 1;
            for (int item : need.items)
                if (item != 0) g.save.roster[9].items[static_cast<size_t>(slot++)].itemId = item;
            EXPECT_EQ(DungeonOffered(g, id), need.flag < 0);
            if (need.flag >= 0) g.save.eventFlags[static_cast<size_t>(need.flag)] = 1;
            EXPECT_TRUE(DungeonOffered(g, id));
        }
        // Both halves of the little key: one alone keeps the Lemegeton shut.
        g.save.roster[9].items = {};
        g.save.roster[9].items[1].itemId = 635;
        EXPECT_FALSE(DungeonOffered(g, 25));
        EXPECT_EQ(DungeonOpeningNeeds(25).items, (std::array<int, 2>{635, 636}));
    });
    f.run();
}

TEST(Expedition, AFallenPartyIsRefusedAndKeepsItsId) {
    DungeonFixture f;
    f.member(1).status = kStatusDead;
    f.member(2).status = kStatusStone;
    f.game().place.partyId = 3;
    f.member(1).partyId = f.member(2).partyId = 3;
    enterFirstDungeon(f);
    f.expectText("そのパーティーは全滅しています").key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.game().place.currentFloor, 0);
        EXPECT_EQ(f.member(1).partyId, 3);
        EXPECT_EQ(f.game().place.partyId, 3);
    });
    f.run();
}

TEST(Expedition, EntryFindsAnIdWhenEveryOtherIdIsTaken) {
    DungeonFixture f(1);
    for (int slot = 2; slot <= 50; ++slot) {
        Character& c = f.game().save.roster[static_cast<size_t>(slot)];
        c.rosterId = slot;
        c.partyId = static_cast<std::uint8_t>(slot - 1);
        c.dungeonId = 22;
        c.floor = 1;
    }
    f.member(1).partyId = 50;
    f.game().place.partyId = 50;
    enterFirstDungeon(f);
    f.call([&] {
        EXPECT_EQ(f.game().place.currentFloor, 1);
        EXPECT_EQ(f.game().place.partyId, 50);
    });
    f.run();
}

TEST(Expedition, SuspendAndResumeFindTheParty) {
    DungeonFixture f;
    enterFirstDungeon(f);
    f.call([&] { f.quiet(); });
    f.key(keys::Up);  // south to (0, 1)
    f.call([&] {
        f.member(1).armorClass = 2;
        f.member(1).baseArmorClass = 9;
    });
    f.key('Q');
    f.call([&] {
        EXPECT_EQ(f.game().menuState, 8);
        EXPECT_EQ(f.game().place.partyCount, 0);
        EXPECT_EQ(f.game().place.partyId, 0);
        const Character& c = f.game().save.roster[1];
        EXPECT_EQ(c.dungeonId, 21);
        EXPECT_EQ(c.floor, 1);
        EXPECT_EQ(c.posY, 1);
        EXPECT_EQ(c.partyId, 1);
        EXPECT_EQ(c.armorClass, 9);
    });
    // The roster window lists both members; the second is picked.
    f.key('E').key('O').key(keys::Down).key(keys::Enter);
    f.call([&] {
        const Place& p = f.game().place;
        EXPECT_EQ(p.partyCount, 2);
        EXPECT_EQ(p.currentDungeon, 21);
        EXPECT_EQ(p.currentFloor, 1);
        EXPECT_EQ(p.partyX, 0);
        EXPECT_EQ(p.partyY, 1);
        EXPECT_EQ(p.previousY, 1);
        EXPECT_EQ(p.facing, 0);
        EXPECT_EQ(p.partyId, 1);
        EXPECT_EQ(f.game().menuState, kDungeonMenu);
    });
    f.run();
}

TEST(Expedition, ResumingIntoAPlaceOutsideTheMazeIsLostInTheRock) {
    // A damaged save may name any dungeon and floor; only those the maze file holds exist.
    struct Place {
        int dungeon, floor;
    };
    for (const Place& where : {Place{5, 1}, Place{40, 3}, Place{21, 30}}) {
        SCOPED_TRACE("dungeon " + std::to_string(where.dungeon) + " floor " +
                     std::to_string(where.floor));
        DungeonFixture f(0);
        for (int slot : {1, 2}) {
            Character& c = f.addMember(slot, "まよいご" + std::to_string(slot));
            c.dungeonId = static_cast<std::uint8_t>(where.dungeon);
            c.floor = static_cast<std::uint8_t>(where.floor);
            c.partyId = 3;
            c.posX = c.posY = 1;
        }
        f.game().place.partyCount = 0;
        f.game().place.partyMembers.fill(0);
        f.game().place.partyId = 0;
        f.key('E').key('O').key(keys::Enter);
        f.expectText("石の中にいる").key(keys::Space);
        f.expectText(std::string(Message(1060))).key(keys::Space);
        f.call([&] {
            EXPECT_EQ(f.game().menuState, 8);
            EXPECT_EQ(f.game().save.roster[1].rosterId, 0) << "lost in the rock";
            EXPECT_EQ(f.game().save.roster[2].rosterId, 0);
        });
        f.run();
    }
}

TEST(Expedition, ResumingWithNobodyBelowSaysSo) {
    DungeonFixture f;
    f.key('E').key('O').expectText("ダンジョンの中には誰もいません").key(keys::Space);
    f.run();
}

TEST(Expedition, AfterAWipeOutTheBodiesStayAndCanBeFound) {
    DungeonFixture f(3);
    // Member 3 stays in town for the rescue.
    f.game().place.partyCount = 2;
    f.game().save.roster[3].partyId = 0;
    f.game().save.roster[3].dungeonId = 0;
    f.call([&] {
        f.game().place.partyId = 1;
        f.standAt(1, 4, 6, 0);
        f.member(1).status = kStatusDead;
        f.member(2).status = kStatusDead | kStatusLost;
        EXPECT_TRUE(WipeOutTest(f.game()));
        WipeOut(f.game());
    });
    f.expectText(std::string(Message(1060))).key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.game().menuState, 8);
        const Character& body = f.game().save.roster[1];
        EXPECT_EQ(body.dungeonId, 21);
        EXPECT_EQ(body.posX, 4);
        EXPECT_EQ(body.posY, 6);
        EXPECT_EQ(f.game().save.roster[2].rosterId, 0) << "a lost member is gone";
        // The rescuers come down to the same cell.
        Place& p = f.game().place;
        p.partyCount = 1;
        p.partyMembers = {0, 3};
        p.partyId = 2;
        f.game().save.roster[3].partyId = 2;
        f.standAt(1, 4, 6, 0);
    });
    f.key('S').expectText("見つかりました").expectText("なかま1").key(keys::Enter);
    f.call([&] {
        EXPECT_EQ(f.game().place.partyCount, 2);
        EXPECT_EQ(f.game().save.roster[1].partyId, 2);
        EXPECT_EQ(f.game().save.roster[1].partyPosition, 2);
    });
    f.key('S').expectText("誰もいない").key(keys::Space);
    f.run();
}

TEST(Expedition, ReturningToTownCuresAndClears) {
    DungeonFixture f;
    f.call([&] {
        f.standAt(1, 3, 3, 0);
        f.game().place.partyEffects = 4 | 256;
        f.game().place.partyBlessings = 4;
        f.game().save.eventFlags[43] = 1;
        f.member(1).status = kStatusPoison | kStatusBlind;
        f.member(2).status = kStatusParalysis | kStatusPoison;
        ReturnToTown(f.game());
        EXPECT_EQ(f.game().place.partyEffects, 0);
        EXPECT_EQ(f.game().place.partyBlessings, 0);
        EXPECT_EQ(f.game().save.eventFlags[43], 0);
        EXPECT_EQ(f.game().save.roster[1].status, 0);
        EXPECT_EQ(f.game().save.roster[1].dungeonId, 1);
        EXPECT_EQ(f.game().save.roster[2].status, kStatusParalysis);
        EXPECT_EQ(f.game().save.roster[2].dungeonId, 0) << "cannot walk home with the party";
    });
    f.run();
}

}  // namespace
}  // namespace dv
