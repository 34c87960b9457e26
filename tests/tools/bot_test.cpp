// The bot on the built game's data: the short route from a new roster to the third floor
// of the first dungeon and home again, its seed, its refusal of bad arguments, and no
// success claimed for a goal it did not reach.

#include <gtest/gtest.h>

#include <string>

#include "run_tool.h"

namespace dv {
namespace {

using test::runTool;

test::ToolRun bot(const std::string& arguments) {
    return runTool(arguments, DV_BOT_TOOL);
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Bot, ShortRouteReachesTheThirdFloorAndComesHome) {
    const test::ToolRun run = bot("--goal 21:3 --seed 1 --quiet");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(has(run.out, "created 戦士Ａ")) << run.out;
    for (const char* floor : {"dungeon 21 floor 1", "dungeon 21 floor 2", "dungeon 21 floor 3"})
        EXPECT_TRUE(has(run.out, std::string("first reached ") + floor)) << floor;
    EXPECT_TRUE(has(run.out, "\nreached dungeon 21 floor 3\n")) << run.out;
    // The skills a player would check: the breath after victory and the sword for the
    // fighters, first aid and the mace for the priest, once their levels offer them.
    EXPECT_TRUE(has(run.out, "戦士Ａ checks skills 51 134\n")) << run.out;
    EXPECT_TRUE(has(run.out, "僧侶 checks skills 155 143\n")) << run.out;
    EXPECT_FALSE(has(run.out, "wipe-outs 1")) << run.out;
}

TEST(Bot, TheSameSeedPlaysTheSameRun) {
    const test::ToolRun first = bot("--goal 21:2 --seed 5 --quiet");
    const test::ToolRun again = bot("--goal 21:2 --seed 5 --quiet");
    EXPECT_EQ(first.status, 0) << first.out;
    EXPECT_EQ(first.out, again.out);
    EXPECT_NE(first.out, bot("--goal 21:2 --seed 6 --quiet").out);
}

TEST(Bot, AGoalNotReachedWithinTheLimitsFails) {
    // One expedition of new adventurers never gets down to the third floor.
    const test::ToolRun run = bot("--goal 21:3 --seed 1 --expeditions 1 --quiet");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_TRUE(has(run.out, "did not reach dungeon 21 floor 3")) << run.out;
    EXPECT_FALSE(has(run.out, "first reached dungeon 21 floor 3")) << run.out;
}

TEST(Bot, RefusesBadArguments) {
    for (const char* arguments :
         {"--goal 21", "--goal 27:1", "--goal 21:6", "--goal 21:0", "--flee 101", "--seed x",
          "--expeditions 0", "--unknown 1", "--seed"}) {
        const test::ToolRun run = bot(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(has(run.out, "usage: dalvenor-bot")) << arguments;
    }
}

TEST(Bot, TellsAMissingDataFolder) {
    const test::ToolRun run = bot("--data /nonexistent-dalvenor-folder --goal 21:1");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run.out, "dalvenor-bot: ")) << run.out;
}

}  // namespace
}  // namespace dv
