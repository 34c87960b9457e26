#include <gtest/gtest.h>

#include <cstring>

#include "content/content_error.h"
#include "content/event_source.h"
#include "core/data/map_event_data.h"

namespace dv {
namespace {

TEST(EventSources, EveryFieldIsRead) {
    const auto events = parseEventFile(R"(
- {at: [8, 8], facing: east, on: search, do: lever, variant: pullLever, flag: 2, value: 1,
   toggle: true, texts: [10120], pass: [10106]}
- {at: [4, 11], facing: south, on: prestep, do: keyDoor, items: [28, 29], scope: roster,
   texts: [10110, 10111], pass: [10112],
   when: {flag: 3, atLeast: 2, item: 5, held: false, lacksSkill: 3}}
- {at: [1, 2], on: arrival, moved: true, do: teleporter, variant: forced, to: [4, 5, 6],
   turnTo: west}
- {at: [3, 3], on: prestep, do: riddleDoor, answer: ハイエナ, fail: [10124]}
- {at: [2, 2], on: item, item: 29, do: digUp, result: 30}
- {at: [5, 5], on: arrival, do: battle, encounter: 20, music: 14}
- {at: [5, 6], on: arrival, moved: true, do: setFlag, flag: 19, value: 5, texts: [10101]}
)",
                                       "d21f3.yaml", 21, 3);
    ASSERT_EQ(events.size(), 7u);
    const MapEvent& lever = events[0].event;
    EXPECT_EQ(lever.dungeon, 21);
    EXPECT_EQ(lever.floor, 3);
    EXPECT_EQ(lever.x, 8);
    EXPECT_EQ(lever.facing, 1);
    EXPECT_EQ(lever.trigger, EventTrigger::Search);
    EXPECT_EQ(lever.action, EventAction::Lever);
    EXPECT_EQ(lever.variant, static_cast<std::uint8_t>(LeverQuestion::PullLever));
    EXPECT_EQ(lever.flag, 2);
    EXPECT_TRUE(lever.toggle);
    EXPECT_EQ(lever.passTexts[0], 10106);
    EXPECT_EQ(events[0].line, 2);

    const MapEvent& door = events[1].event;
    EXPECT_EQ(door.items[1], 29);
    EXPECT_EQ(door.itemScope, ItemScope::Roster);
    EXPECT_EQ(door.whenFlag, 3);
    EXPECT_EQ(door.whenFlagTest, FlagTest::AtLeast);
    EXPECT_EQ(door.whenFlagValue, 2);
    EXPECT_FALSE(door.whenItemHeld);
    EXPECT_EQ(door.whenSkill, 3);
    EXPECT_FALSE(door.whenSkillHeld);

    const MapEvent& tele = events[2].event;
    EXPECT_TRUE(tele.movedOnly);
    EXPECT_EQ(tele.facing, kAnyFacing);
    EXPECT_EQ(tele.targetFloor, 4);
    EXPECT_EQ(tele.targetY, 6);
    EXPECT_EQ(tele.targetFacing, 3);
    EXPECT_EQ(events[3].answer, "ハイエナ");
    EXPECT_EQ(events[4].event.trigger, EventTrigger::ItemUse);
    EXPECT_EQ(events[4].event.resultItem, 30);
    EXPECT_EQ(events[5].event.battleEvent, 0);  // numbered when all sources are read
    EXPECT_EQ(events[6].event.action, EventAction::SetFlag);
    EXPECT_EQ(events[6].event.flag, 19);
    EXPECT_EQ(events[6].event.flagValue, 5);
}

TEST(EventSources, FaultsNameFileAndLine) {
    struct Case {
        const char* text;
        int line;
    } cases[] = {
        {"- {at: [1, 1], on: search, do: dance}\n", 1},
        {"- {at: [1, 1], on: search, do: lever, flag: 2}\n- {at: [1], on: search, do: spinner}\n",
         2},
        {"- {at: [1, 1], on: search, do: lever,\n   colour: red}\n", 2},
        {"- {at: [1, 1], on: search, do: pool, variant: lava}\n", 1},
    };
    for (const auto& c : cases) {
        try {
            parseEventFile(c.text, "d21f1.yaml", 21, 1);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ContentError& e) {
            EXPECT_EQ(e.line(), c.line) << e.what();
        }
    }
}

// The table the game links is the one the sources describe.
TEST(EventTable, MatchesTheSources) {
    const auto sources = readEventSources(DV_CONTENT_DIR "/events");
    const auto table = mapEvents();
    ASSERT_EQ(table.size(), sources.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const MapEvent& a = table[i];
        const MapEvent& b = sources[i].event;
        EXPECT_EQ(std::tie(a.dungeon, a.floor, a.x, a.y, a.facing, a.movedOnly, a.trigger, a.action,
                           a.variant, a.whenFlag, a.whenSkill, a.flag, a.flagValue, a.encounter,
                           a.targetFloor, a.targetX, a.targetY, a.items, a.texts, a.passTexts,
                           a.battleEvent),
                  std::tie(b.dungeon, b.floor, b.x, b.y, b.facing, b.movedOnly, b.trigger, b.action,
                           b.variant, b.whenFlag, b.whenSkill, b.flag, b.flagValue, b.encounter,
                           b.targetFloor, b.targetX, b.targetY, b.items, b.texts, b.passTexts,
                           b.battleEvent))
            << sources[i].file << ":" << sources[i].line;
        EXPECT_STREQ(a.answer, sources[i].answer.c_str());
    }
    // The first dungeon's lever on floor 3 opens the wall of flag 2.
    bool lever = false;
    for (const MapEvent& e : table)
        lever = lever ||
                (e.dungeon == 21 && e.floor == 3 && e.action == EventAction::Lever && e.flag == 2);
    EXPECT_TRUE(lever);
}

}  // namespace
}  // namespace dv
