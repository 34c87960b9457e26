// Map events: dispatch by cell, facing and moved flag, and the building blocks.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/data/message.h"
#include "core/music.h"
#include "dungeon/map_events.h"
#include "dungeon/party_rules.h"
#include "dungeon_fixture.h"

namespace dv {
namespace {

using test::DungeonFixture;

std::string text(int n) {
    return std::string(Message(n));
}

MapEvent at(int x, int y, EventTrigger trigger, EventAction action, int floor = 1) {
    MapEvent e;
    e.dungeon = 21;
    e.floor = static_cast<std::int16_t>(floor);
    e.x = static_cast<std::int16_t>(x);
    e.y = static_cast<std::int16_t>(y);
    e.trigger = trigger;
    e.action = action;
    return e;
}

MapEvent message(int x, int y, EventTrigger trigger, int textNumber, int facing = kAnyFacing,
                 bool movedOnly = false) {
    MapEvent e = at(x, y, trigger, EventAction::Message);
    e.facing = static_cast<std::int8_t>(facing);
    e.movedOnly = movedOnly;
    e.texts[0] = static_cast<std::int16_t>(textNumber);
    return e;
}

TEST(Events, CellsFireByFacingAndMovedFlag) {
    // (5, 4): only after a step; (5, 4) facing east: any arrival, listed later so the
    // moved-only event wins when both match; (5, 6) ahead of the party facing south only.
    static const std::vector<MapEvent> events = {
        message(5, 4, EventTrigger::Arrival, 10101, kAnyFacing, true),
        message(5, 4, EventTrigger::Arrival, 10102, 1),
        message(5, 5, EventTrigger::PreStep, 10103, 2),
    };
    struct Case {
        int key;
        const char* expected;  // nullptr: no event
    };
    DungeonFixture f;
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(1, 5, 5, 0);
    });
    f.key(keys::Up).expectText(text(10101)).key(keys::Space);    // stepped onto (5, 4)
    f.key(keys::Left).expectNoDialog();                          // turned west: nothing
    f.key(keys::Down).expectText(text(10102)).key(keys::Space);  // turned to face east
    f.key(keys::Right).expectNoDialog();                         // south, turning
    f.key(keys::Up);                                             // back to (5, 5)
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 5); });
    f.key(keys::Up).expectText(text(10103)).key(keys::Space);  // the pre-step check at (5, 5)
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 6) << "a message does not block"; });
    f.run();
}

TEST(Events, ALeverOpensItsWallAtOnceAndAfterAReload) {
    DungeonFixture f;
    MapEvent lever = at(7, 2, EventTrigger::Search, EventAction::Lever, 3);
    lever.variant = static_cast<std::uint8_t>(LeverQuestion::PullLever);
    lever.flag = 2;
    lever.flagValue = 1;
    lever.texts[0] = 10120;
    lever.passTexts[0] = 10106;
    static std::vector<MapEvent> events;
    events = {lever};
    f.walls(3, 7, 2, SideBit(1), 0);
    f.walls(3, 8, 2, SideBit(3), 0);
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(3, 7, 2, 1);
    });
    f.key(keys::Up).expectText("いてっ！").key(keys::Space);
    f.key('F').expectText(text(10120)).key(keys::Space);
    f.expectText("レバーを引きますか？").key('Y');
    f.expectText("ゴゴゴゴ").key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.game().save.eventFlags[2], 1);
        EXPECT_EQ(f.game().dungeon.floorWalls(7, 2) & SideBit(1), 0);
        EXPECT_EQ(f.game().dungeon.floorWalls(8, 2) & SideBit(3), 0);
        // Another floor and back: the patch follows the flag.
        Relocate(f.game(), 2, 7, 2);
        Relocate(f.game(), 3, 7, 2);
        EXPECT_EQ(f.game().dungeon.floorWalls(7, 2) & SideBit(1), 0);
    });
    f.key(keys::Up).expectNoDialog();
    f.call([&] { EXPECT_EQ(f.game().place.partyX, 8); });
    f.call([&] { f.game().place.partyX = 7; });
    f.key('F').expectText(text(10120)).key(keys::Space);
    f.expectText("レバーはすでに作動している").key(keys::Space);
    f.run();
}

TEST(Events, TheRubbleGapFollowsItsFlagAndIgnoresABadOne) {
    DungeonFixture f;
    auto gapOpen = [&](int c) {
        return (f.game().dungeon.floorWalls(c, 12) & SideBit(2)) == 0 &&
               (f.game().dungeon.floorWalls(c, 13) & SideBit(0)) == 0;
    };
    f.game().place.currentDungeon = 21;
    f.game().place.currentFloor = 5;
    f.game().save.eventFlags[5] = 3;
    LoadFloor(f.game());
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(gapOpen(c), c == 3) << c;
    f.game().save.eventFlags[5] = 250;  // from a damaged save
    LoadFloor(f.game());
    for (int c = 1; c <= 5; ++c)
        EXPECT_FALSE(gapOpen(c)) << c;
}

TEST(Events, TrapFloorsHurtUnlessThePartyFloats) {
    DungeonFixture f;
    MapEvent trap = at(5, 4, EventTrigger::Arrival, EventAction::TrapFloor);
    trap.diceCount = 2;
    trap.movedOnly = true;
    static std::vector<MapEvent> events;
    events = {trap};
    f.call([&] {
        f.game().dungeon.events = events;
        f.member(1).luck = 21;  // never spared
        f.member(2).luck = 1;   // always spared
        f.game().place.partyEffects = 4;
        f.standAt(1, 5, 5, 0);
    });
    f.key(keys::Up).expectText("トラップの上に浮かんでいる").key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.member(1).hitPoints, 50);
        f.game().place.partyEffects = 0;
        f.game().place.partyY = 5;
    });
    f.key(keys::Up).expectText("トラップだ！").key(keys::Space);
    f.expectText("のダメージをうけた").key(keys::Space);
    f.expectText(text(1023)).key(keys::Space);
    f.call([&] {
        EXPECT_LE(f.member(1).hitPoints, 48);
        EXPECT_GE(f.member(1).hitPoints, 30);
        EXPECT_EQ(f.member(2).hitPoints, 50);
    });
    f.run();
}

TEST(Events, TrapFloorStatusesComeFromTheCombatCore) {
    struct Case {
        int status;
        const char* message;
        std::int32_t bits;
        bool dead;
    };
    const Case cases[] = {
        {15, "なかま1は\n眠らされた", kStatusSleep, false},
        {22, "なかま1は\n毒に犯された", kStatusPoison, false},
        {31, "なかま1は\nくびをはねられた！", kStatusDead, true},
        {33, "なかま1は\nロストした！！！", kStatusLost | kStatusDead, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        DungeonFixture f(1);
        MapEvent trap = at(5, 4, EventTrigger::Arrival, EventAction::TrapFloor);
        trap.diceCount = 1;
        trap.status = static_cast<std::int16_t>(c.status);
        static std::vector<MapEvent> events;
        events = {trap};
        f.call([&] {
            f.game().dungeon.events = events;
            f.member(1).luck = 21;  // never spared
            f.standAt(1, 5, 5, 0);
        });
        f.key(keys::Up).expectText("トラップだ！").key(keys::Space);
        f.expectText("のダメージをうけた").key(keys::Space);
        f.expectText(c.message).key(keys::Space);
        f.call([&] {
            EXPECT_EQ(f.member(1).status & c.bits, c.bits);
            if (c.dead) {
                EXPECT_EQ(f.member(1).hitPoints, 0);
            }
        });
        f.run();
    }
}

TEST(Events, AKeyDoorOpensOnlyWithTheKeyInAnyMembersPack) {
    DungeonFixture f;
    MapEvent door = at(4, 11, EventTrigger::PreStep, EventAction::KeyDoor);
    door.facing = 2;
    door.items[0] = 28;
    door.texts = {10110, 10111};
    door.passTexts = {10112, 10113};
    static std::vector<MapEvent> events;
    events = {door};
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(1, 4, 11, 2);
    });
    f.key(keys::Up).expectText(text(10110)).key(keys::Space);
    f.expectText(text(10111)).key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.game().place.partyY, 11);
        f.member(2).items[7].itemId = 28;
    });
    f.key(keys::Up).expectText(text(10112)).key(keys::Space);
    f.expectText(text(10113)).key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.game().place.partyY, 12);
        EXPECT_EQ(f.member(2).items[7].itemId, 28) << "the key is kept";
        // Sold: the door is locked again.
        f.member(2).items[7].itemId = 0;
        f.game().place.partyY = 11;
    });
    f.key(keys::Up).expectText(text(10110)).key(keys::Space).key(keys::Space);
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 11); });
    f.run();
}

TEST(Events, ThePasswordGhostRefusesAYesToItsFirstThreeQuestions) {
    MapEvent ghost = at(5, 5, EventTrigger::PreStep, EventAction::PasswordGhost);
    ghost.words = {"ほね", "かげ", "つき", "やみ", "きり", "はい", "すな", "いし", "つの", "どく"};
    static std::vector<MapEvent> events;
    events = {ghost};
    for (int yesAt = 1; yesAt <= 3; ++yesAt) {
        for (std::uint64_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE("yes to question " + std::to_string(yesAt));
            DungeonFixture f;
            f.h.restart(seed);
            f.h.startToTown();
            f.call([&] {
                f.game().dungeon.events = events;
                f.standAt(1, 5, 5, 0);
            });
            f.key(keys::Up).expectText("合言葉は・・・").key(keys::Space);
            for (int q = 1; q < yesAt; ++q)
                f.expectText("かい？").key('N');
            f.expectText("かい？").key('Y');
            f.expectText("出直してきな！").key(keys::Space);
            f.call([&] { EXPECT_EQ(f.game().place.partyY, 5); });
            f.run();
        }
    }
}

TEST(Events, RiddlesIgnoreWidthAndKanaForm) {
    EXPECT_EQ(RiddleForm("はいえな"), RiddleForm("ハイエナ"));
    EXPECT_EQ(RiddleForm("ﾊｲｴﾅ"), RiddleForm("ハイエナ"));
    EXPECT_EQ(RiddleForm("abc"), RiddleForm("ａｂｃ"));
    EXPECT_NE(RiddleForm("はいえ"), RiddleForm("ハイエナ"));

    DungeonFixture f;
    MapEvent riddle = at(10, 2, EventTrigger::PreStep, EventAction::RiddleDoor, 3);
    riddle.texts = {10121};
    riddle.answer = "ハイエナ";
    riddle.passTexts = {10123};
    riddle.failTexts = {10124};
    static std::vector<MapEvent> events;
    events = {riddle};
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(3, 10, 2, 1);
    });
    f.key(keys::Up).expectText(text(10121)).key(keys::Space);
    f.expectText("名は何？");
    f.h.script().text("はいえな").key(keys::Enter);
    f.expectText(text(10123)).key(keys::Space);
    f.call([&] { EXPECT_EQ(f.game().place.partyX, 11); });
    f.run();
}

TEST(Events, StairsAskAndMoveToTheOtherFloor) {
    DungeonFixture f;
    MapEvent stairs = at(6, 5, EventTrigger::Arrival, EventAction::Stairs);
    stairs.targetFloor = 2;
    stairs.targetX = 3;
    stairs.targetY = 9;
    static std::vector<MapEvent> events;
    events = {stairs};
    f.walls(2, 3, 9, SideBit(0));
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(1, 5, 5, 1);
    });
    f.key(keys::Up).expectText("下る階段がある").expectText("下がりますか？").key('Y');
    f.call([&] {
        const Place& p = f.game().place;
        EXPECT_EQ(p.currentFloor, 2);
        EXPECT_EQ(p.partyX, 3);
        EXPECT_EQ(p.partyY, 9);
        EXPECT_EQ(f.game().dungeon.floorWalls(3, 9), SideBit(0));
        EXPECT_EQ(f.member(2).floor, 2);
        EXPECT_EQ(f.member(2).posY, 9);
    });
    f.run();
}

TEST(Events, AGuardianFightsOnceAndRewardsAfterTheBattle) {
    DungeonFixture f;
    MapEvent guardian = at(5, 4, EventTrigger::Arrival, EventAction::FixedBattle);
    guardian.whenFlag = 7;
    guardian.whenFlagTest = FlagTest::Equal;
    guardian.whenFlagValue = 0;
    guardian.encounter = 21;
    guardian.music = 15;
    guardian.battleEvent = 4;
    MapEvent reward = at(5, 4, EventTrigger::PostBattle, EventAction::Reward);
    reward.resultItem = 29;
    reward.flag = 7;
    reward.flagValue = 1;
    static std::vector<MapEvent> events;
    events = {guardian, reward};
    f.meleeRow();
    f.monster(5, "門番", 1);
    f.encounter(21, {5});
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(1, 5, 5, 0);
        Step(f.game(), 0);
    });
    f.fightToTheEnd([&] {
        EXPECT_EQ(f.game().battle.lastEnd, BattleEnd::Victory);
        const auto& scenes = f.h.app().music().scenes;
        EXPECT_NE(std::find(scenes.begin(), scenes.end(), 15), scenes.end()) << "the event's music";
        // The victory's check, on the same cell.
        EXPECT_EQ(f.game().save.eventFlags[7], 1);
        EXPECT_TRUE(PartyHasItem(f.game(), 29));
        EXPECT_EQ(f.game().battle.mapEvent, 0) << "cleared after the check";
        // Beaten: the cell is quiet now.
        Step(f.game(), 2);
        Step(f.game(), 2);
        EXPECT_EQ(f.game().battle.battlePhase, kNoBattle);
    });
    f.run();
}

TEST(Events, SearchingFindsAWanderingChestOnTheCell) {
    DungeonFixture f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        auto& s = f.game().save.chestSpots;
        s(4, 1) = 21;
        s(4, 2) = 1;
        s(4, 3) = 5;
        s(4, 4) = 5;
        s(4, 5) = 1;
    });
    f.key('F').expectText("宝箱を発見した！").key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.game().dungeon.pendingChest, 1);
        EXPECT_EQ(f.game().save.chestSpots(4, 5), 0);
        f.game().dungeon.pendingChest = 0;
        f.game().dungeon.showEmptySearch = true;
    });
    f.key('F').expectText(text(302)).key(keys::Space);
    f.run();
}

TEST(Events, UsingTheRightItemOnTheRightCell) {
    DungeonFixture f;
    MapEvent dig = at(1, 17, EventTrigger::ItemUse, EventAction::DigUp, 5);
    dig.items[0] = 29;
    dig.resultItem = 30;
    dig.texts[0] = 10144;
    static std::vector<MapEvent> events;
    events = {dig};
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(5, 1, 17, 0);
        EXPECT_EQ(ItemUseCheck(f.game(), 28).encounter, 0);
        EXPECT_FALSE(PartyHasItem(f.game(), 30));
        EXPECT_EQ(ItemUseCheck(f.game(), 29).encounter, 0);
    });
    f.expectText(text(10144)).key(keys::Space);
    f.call([&] { EXPECT_TRUE(PartyHasItem(f.game(), 30)); });
    f.run();
}

TEST(Events, ALockedDoorOpensForALockPickerOnly) {
    DungeonFixture f;
    MapEvent door = at(5, 5, EventTrigger::PreStep, EventAction::LockedDoor);
    door.lockLevel = 3;
    static std::vector<MapEvent> events;
    events = {door};
    f.call([&] {
        f.game().dungeon.events = events;
        f.member(1).skills[3] = 1;
        f.member(1).level = 5;  // 1..dexterity + 5 always beats 3
        f.member(2).status = kStatusSleep;
        f.standAt(1, 5, 5, 0);
    });
    // Member 2 is picked first.
    f.key(keys::Up).expectText("鍵がかかっている").key(keys::Space);
    f.expectText("だれが開けますか？").key(keys::Down).key(keys::Enter);
    f.expectText(text(1003)).key(keys::Space);  // asleep: no use
    f.call([&] {
        EXPECT_EQ(f.game().place.partyY, 5);
        f.member(2).status = 0;
    });
    f.key(keys::Up).expectText("鍵がかかっている").key(keys::Space);
    f.expectText("だれが開けますか？").key(keys::Down).key(keys::Enter);
    f.expectText("鍵は開かなかった").key(keys::Space);
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 5); });
    // Then member 1, the lock picker.
    f.key(keys::Up).expectText("鍵がかかっている").key(keys::Space);
    f.expectText("だれが開けますか？").key(keys::Enter);
    f.expectText("鍵を開けた").key(keys::Space);
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 4); });
    f.run();
}

TEST(Events, AThiefNoticesAWanderingChestUnderfoot) {
    DungeonFixture f;
    f.call([&] {
        auto& s = f.game().save.chestSpots;
        s(9, 1) = 21;
        s(9, 2) = 1;
        s(9, 3) = 5;
        s(9, 4) = 4;
        s(9, 5) = 1;
        f.standAt(1, 5, 5, 0);
    });
    f.key(keys::Up).expectNoDialog();  // nobody with the eye for it
    f.call([&] {
        f.member(2).skills[232] = 1;
        f.game().place.partyY = 5;
    });
    f.key(keys::Up).expectText("何かが落ちている").key(keys::Space);
    f.run();
}

TEST(Events, TheRiftOpensOnceAfterEightHundredSeconds) {
    DungeonFixture f;
    double now = 100;
    f.game().dungeon.secondsSinceStart = [&] { return now; };
    // Finds a seed whose rift draws say "open" (d10 = 3) or not, and stands the party
    // where the draws will look.
    auto standWhereTheRiftLooks = [&](bool opens) {
        for (std::uint64_t seed = 1;; ++seed) {
            Rng probe(seed);
            int y = static_cast<int>(probe.uniform(0, 19));
            int x = static_cast<int>(probe.uniform(0, 19));
            int facing = static_cast<int>(probe.uniform(0, 3));
            if ((probe.uniform(1, 10) == 3) != opens) continue;
            f.standAt(7, x, y, facing, 24);
            f.game().rng.seed(seed);
            return;
        }
    };
    f.call([&] {
        standWhereTheRiftLooks(false);
        EXPECT_EQ(ArrivalCheck(f.game(), false).battle.encounter, 0);
        EXPECT_FALSE(f.game().dungeon.riftUsed) << "too early in the run";
        now = 900;
        EXPECT_EQ(ArrivalCheck(f.game(), false).battle.encounter, 0);
        EXPECT_TRUE(f.game().dungeon.riftUsed) << "used up even when it stays shut";
        f.game().dungeon.riftUsed = false;
        standWhereTheRiftLooks(true);
        EncounterCall battle = ArrivalCheck(f.game(), false).battle;
        EXPECT_GE(battle.encounter, 1800);
        EXPECT_LE(battle.encounter, 1810);
        EXPECT_EQ(battle.music, 13);
        EXPECT_NE(battle.mapEvent, 0) << "an event battle: its victory runs the post-battle check";
        EXPECT_EQ(ArrivalCheck(f.game(), false).battle.encounter, 0) << "once per run";
    });
    for (int m : {995, 996, 997})
        f.expectText(text(m)).key(keys::Space);
    f.expectText(text(998)).key('Y');
    f.expectText(text(999)).key(keys::Space);
    f.run();
}

}  // namespace
}  // namespace dv
