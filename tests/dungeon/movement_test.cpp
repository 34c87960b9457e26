// Walking the maze: steps, walls and doors, the clock, poison and regeneration, random
// battles, the landing check and the relative teleport.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/data/message.h"
#include "core/screens.h"
#include "dungeon/dungeon_controls.h"
#include "dungeon/map_events.h"
#include "dungeon/party_rules.h"
#include "dungeon/wandering_chests.h"
#include "dungeon_fixture.h"

namespace dv {
namespace {

using test::DungeonFixture;

TEST(Movement, FloorsWrapAtEveryEdge) {
    struct Case {
        int x, y, facing, toX, toY;
    };
    const Case cases[] = {{19, 5, 1, 0, 5}, {0, 5, 3, 19, 5}, {7, 0, 0, 7, 19}, {7, 19, 2, 7, 0}};
    DungeonFixture f;
    for (const Case& c : cases) {
        f.call([&] {
            f.standAt(1, c.x, c.y, c.facing);
            Step(f.game(), 0);
            EXPECT_EQ(f.game().place.partyX, c.toX);
            EXPECT_EQ(f.game().place.partyY, c.toY);
            EXPECT_EQ(f.game().place.previousX, c.x);
        });
    }
    f.run();
}

TEST(Movement, UpStopsAtAHiddenDoorWhichSpaceOpens) {
    DungeonFixture f;
    f.walls(1, 5, 5, 0, SideBit(0));  // a hidden door on the north side
    f.call([&] { f.standAt(1, 5, 5, 0); });
    f.key(keys::Up).expectText("いてっ！").key(keys::Space);
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 5); });
    f.key(keys::Space);
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 4); });
    f.run();
}

TEST(Movement, SpaceAndEnterStopAtAWallUpStopsAtAVisibleDoor) {
    DungeonFixture f;
    f.walls(1, 5, 5, SideBit(0) | SideBit(1), SideBit(1));  // wall north, visible door east
    f.call([&] { f.standAt(1, 5, 5, 0); });
    f.key(keys::Enter).expectText("いてっ！").key(keys::Enter);
    f.call([&] { f.game().place.facing = 1; });
    f.key(keys::Up).expectText("いてっ！").key(keys::Esc);
    f.key(keys::Enter);
    f.call([&] {
        EXPECT_EQ(f.game().place.partyX, 6);
        EXPECT_EQ(f.game().place.partyY, 5);
    });
    f.run();
}

TEST(Movement, AWallOnlyOnTheNeighboursSideDoesNotStop) {
    DungeonFixture f;
    f.walls(1, 5, 4, SideBit(2));  // the cell to the north has a south wall
    f.call([&] { f.standAt(1, 5, 5, 0); });
    f.key(keys::Up).expectNoDialog();
    f.call([&] {
        EXPECT_EQ(f.game().place.partyY, 4);
        // And that wall does stop the way back.
        f.game().place.facing = 2;
    });
    f.key(keys::Up).expectText("いてっ！").key(keys::Space);
    f.run();
}

TEST(Movement, TurningMovesTheFacingButNotTheClock) {
    DungeonFixture f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        f.game().save.lunaPhase = 10;
        f.game().save.artemisPhase = 20;
    });
    f.key(keys::Right);
    f.call([&] { EXPECT_EQ(f.game().place.facing, 1); });
    f.key(keys::Down);
    f.call([&] { EXPECT_EQ(f.game().place.facing, 3); });
    f.key(keys::Left);
    f.call([&] {
        EXPECT_EQ(f.game().place.facing, 2);
        EXPECT_EQ(f.game().save.lunaPhase, 10);
        EXPECT_EQ(f.game().save.artemisPhase, 20);
        EXPECT_TRUE(f.game().screens->part<DungeonControls>().lblMove.visible());
    });
    f.h.script().advance(350);
    f.call([&] { EXPECT_FALSE(f.game().screens->part<DungeonControls>().lblMove.visible()); });
    f.key(keys::Up);
    f.call([&] {
        EXPECT_EQ(f.game().save.lunaPhase, 11);
        EXPECT_EQ(f.game().save.artemisPhase, 21);
    });
    f.run();
}

TEST(Movement, BothClocksMeetAgainEvery1920Steps) {
    DungeonFixture f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        f.game().save.lunaPhase = 479;
        f.game().save.artemisPhase = 639;
        Step(f.game(), 0);
        EXPECT_EQ(f.game().save.lunaPhase, 0);
        EXPECT_EQ(f.game().save.artemisPhase, 0);
        EXPECT_EQ(f.member(1).cycleCount, 1.0);
        EXPECT_EQ(f.game().save.chestSpots(1, 5), 1) << "the wandering chests are placed again";
        Step(f.game(), 0);
        EXPECT_EQ(f.member(1).cycleCount, 1.0);
    });
    f.run();
}

TEST(Movement, TurningCanStartARandomBattle) {
    DungeonFixture f;
    f.meleeRow();
    f.monster(1, "ネズミ", 1);
    f.encounter(1, {1}, 1);
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        f.game().dungeon.encounterBase = 3000;  // every check fires
        f.main().busy = true;
        Step(f.game(), 1);
        EXPECT_EQ(f.game().battle.battlePhase, kNoBattle) << "a locked keyboard starts none";
        f.main().busy = false;
        Step(f.game(), 1);
    });
    f.expectText("モンスターが現れた");
    f.fightToTheEnd([&] {
        const auto& scenes = f.h.app().music().scenes;
        // The encounter's fanfare, then the random battles' music.
        auto fanfare = std::find(scenes.begin(), scenes.end(), 19);
        ASSERT_NE(fanfare, scenes.end());
        EXPECT_NE(std::find(fanfare, scenes.end(), 12), scenes.end());
        EXPECT_EQ(f.game().battle.lastEnd, BattleEnd::Victory);
        EXPECT_EQ(f.game().battle.mapEvent, 0);
        EXPECT_FALSE(f.main().busy) << "the map keys are free again";
        EXPECT_TRUE(f.main().picMap.hasFocus());
    });
    f.run();
}

TEST(Movement, EncounterCheckCountsStepsAndSkill14StartsFromZero) {
    DungeonFixture f;
    f.call([&] {
        f.member(1).skills[14] = 1;
        f.standAt(1, 5, 5, 0);
        DungeonState& d = f.game().dungeon;
        LoadFloor(f.game());
        EXPECT_EQ(d.encounterStep, 1);
        EXPECT_EQ(d.encounterBase, 0);
        d.stepsSinceEncounter = 0;
        // The roll is at least 1: below 0 and below 1 never fire.
        EXPECT_FALSE(CheckEncounter(f.game()));
        EXPECT_FALSE(CheckEncounter(f.game()));
        EXPECT_EQ(d.stepsSinceEncounter, 2);
        d.stepsSinceEncounter = 5000;
        EXPECT_TRUE(CheckEncounter(f.game()));
        EXPECT_EQ(d.stepsSinceEncounter, 0);
    });
    f.run();
}

TEST(Movement, EncounterParametersByFloorAndSkills) {
    struct Case {
        int floor, skill, step, base;
    };
    const Case cases[] = {{1, 0, 3, 50},   {2, 0, 2, 80},   {16, 0, 2, 80},  {8, 0, 1, 30},
                          {13, 0, 4, 50},  {18, 0, 5, 0},   {21, 0, 2, 100}, {4, 0, 2, 50},
                          {1, 59, 3, 100}, {1, 43, 3, 150}, {2, 14, 1, 0}};
    DungeonFixture f;
    for (const Case& c : cases) {
        SCOPED_TRACE("floor " + std::to_string(c.floor) + " skill " + std::to_string(c.skill));
        f.member(1).skills = {};
        if (c.skill) f.member(1).skills[static_cast<size_t>(c.skill)] = 1;
        f.game().place.currentDungeon = 21;
        f.game().place.currentFloor = static_cast<std::int16_t>(c.floor);
        LoadFloor(f.game());
        EXPECT_EQ(f.game().dungeon.encounterStep, c.step);
        EXPECT_EQ(f.game().dungeon.encounterBase, c.base);
        EXPECT_EQ(f.game().dungeon.dungeonMusic, c.floor == 21 ? 11 : 10);
    }
}

TEST(Movement, LoadFloorGathersTheFloorsEncounters) {
    DungeonFixture f;
    auto& t = f.game().db.encounterTable;
    t(3, kEncounterId) = 3;
    t(3, kEncounterDungeon) = 1;
    t(3, kEncounterFloor) = 2;
    t(9, kEncounterId) = 9;
    t(9, kEncounterDungeon) = 1;
    t(9, kEncounterFloor) = 2;
    t(10, kEncounterId) = 10;
    t(10, kEncounterDungeon) = 2;
    t(10, kEncounterFloor) = 2;
    f.game().place.currentDungeon = 21;
    f.game().place.currentFloor = 2;
    LoadFloor(f.game());
    EXPECT_EQ(f.game().dungeon.floorEncounters, (std::vector<int>{3, 9}));
}

TEST(Movement, PoisonBelow128MaxHitPointsCostsExactlyOne) {
    DungeonFixture f;
    f.call([&] {
        f.member(1).status = kStatusPoison;
        f.member(1).maxHitPoints = 127;
        f.member(1).hitPoints = 100;
        f.member(2).regeneration = 3;
        f.member(2).hitPoints = 40;
        f.standAt(1, 5, 5, 0);
        for (int i = 0; i < 5; ++i)
            Step(f.game(), 0);
        EXPECT_EQ(f.member(1).hitPoints, 95);
        EXPECT_EQ(f.member(2).hitPoints, 50) << "regeneration stops at the maximum";
        EXPECT_EQ(f.main().lblHP[0].caption(), "－９５");
        EXPECT_EQ(f.member(1).stepsWalked, 5.0);
    });
    f.run();
}

TEST(Movement, APoisonDeathKillsOnceAndCanWipeOutTheParty) {
    DungeonFixture f(1);
    f.call([&] {
        f.member(1).status = kStatusPoison;
        f.member(1).hitPoints = 1;
        f.standAt(1, 5, 5, 0);
    });
    f.key(keys::Up)
        .expectText(std::string("なかま1") + std::string(Message(1066)))
        .key(keys::Space);
    // The party has nobody left who can act.
    f.expectText(std::string(Message(1060))).key(keys::Space);
    f.call([&] {
        Character& c = f.game().save.roster[1];
        EXPECT_TRUE(c.status & kStatusDead);
        EXPECT_EQ(c.hitPoints, 0);
        EXPECT_EQ(c.posY, 4) << "the body stays where it fell";
        EXPECT_EQ(f.game().place.currentFloor, 0);
        EXPECT_EQ(f.game().menuState, 8);
    });
    f.run();
}

TEST(Movement, LandingInRockOrOffTheFloorLosesTheParty) {
    DungeonFixture f;
    f.call([&] {
        f.rockFloor(3);
        f.standAt(1, 5, 5, 0);
        EXPECT_FALSE(CheckLanding(f.game()));
    });
    f.call([&] {
        // The relative teleport with a typed offset far past the edge.
        EXPECT_TRUE(RelativeTeleport(f.game(), 0, 45, 0));
        EXPECT_EQ(f.game().place.partyX, 30);
        EXPECT_TRUE(CheckLanding(f.game()));
    });
    f.expectText("石の中にいる").key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.game().place.partyCount, 0);
        EXPECT_EQ(f.game().save.roster[1].rosterId, 0) << "the characters are gone";
    });
    f.run();
}

TEST(Movement, LandingInTheTownKillsButKeepsTheBodiesFindable) {
    DungeonFixture f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        EXPECT_TRUE(RelativeTeleport(f.game(), -1, 0, 0));
        EXPECT_TRUE(CheckLanding(f.game()));
    });
    f.expectText(std::string(Message(3016))).key(keys::Space);
    f.call([&] {
        const Character& c = f.game().save.roster[1];
        EXPECT_TRUE(c.status & kStatusDead);
        EXPECT_EQ(c.floor, 0);
        EXPECT_EQ(c.dungeonId, 0) << "the temple and the tavern can list the body";
        EXPECT_EQ(c.partyId, 0);
    });
    f.run();
}

TEST(Movement, TeleportIntoAShieldedCellSendsThePartyBack) {
    DungeonFixture f;
    f.call([&] {
        f.game().db.mazeAttributes.set(21, 2, 7, 5, 2);
        f.standAt(1, 5, 5, 0);
        EXPECT_FALSE(RelativeTeleport(f.game(), 1, 2, 0));
    });
    f.expectText("パーティーは元の位置に戻された").key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.game().place.partyX, 5);
        EXPECT_EQ(f.game().place.currentFloor, 1);
        // A deep floor reloads its layout like any other.
        f.walls(17, 5, 5, 6);
        EXPECT_TRUE(RelativeTeleport(f.game(), 16, 0, 0));
        EXPECT_EQ(f.game().place.currentFloor, 17);
        EXPECT_EQ(f.game().dungeon.floorWalls(5, 5), 6);
    });
    f.run();
}

TEST(Movement, LookingForCharacters) {
    DungeonFixture f(6);
    f.call([&] { f.standAt(1, 5, 5, 0); });
    f.key('S').expectText("これ以上パーティーを増やせません").key(keys::Space);
    f.run();
}

TEST(WanderingChests, PlacementGivesUpOnAnAllRockMaze) {
    Game g;
    for (auto& v : g.db.mazeWalls.cells())
        v = 15;
    PlaceWanderingChests(g, true);  // returns: the spots simply stay inactive
    for (int spot = 1; spot <= kWanderingChests; ++spot)
        EXPECT_EQ(g.save.chestSpots(spot, 5), 0);
}

}  // namespace
}  // namespace dv
