#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "content/content_check.h"
#include "content/content_set.h"
#include "content/maze_text.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

std::vector<CheckProblem> checkDir(const fs::path& dir) {
    return checkContent(readContentSources(dir), readMessageNumbers(dir / "messages.yaml"));
}

std::string describe(const std::vector<CheckProblem>& problems) {
    std::ostringstream s;
    for (const auto& p : problems)
        s << p.where.file << ":" << p.where.line << ": " << p.message << "\n";
    return s.str();
}

TEST(ContentCheck, OurContentPasses) {
    const auto problems = checkDir(DV_CONTENT_DIR);
    EXPECT_TRUE(problems.empty()) << describe(problems);
}

// Each case copies our content, appends one fault and expects one problem naming the file
// and the line of the entry at fault.
struct FaultCase {
    const char* what;
    const char* file;      // under the content directory
    const char* append;    // text added at the end of the file
    const char* mentions;  // part of the message
    bool lastLine;         // the problem names the appended entry's line
};

class ContentFault : public ::testing::TestWithParam<FaultCase> {};

int lineCount(const fs::path& p) {
    std::ifstream in(p);
    std::string line;
    int n = 0;
    while (std::getline(in, line))
        ++n;
    return n;
}

TEST_P(ContentFault, IsReportedWithFileAndLine) {
    const FaultCase& c = GetParam();
    const fs::path dir = fs::temp_directory_path() / ("dv-check-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy(DV_CONTENT_DIR, dir, fs::copy_options::recursive);
    const fs::path file = dir / c.file;
    const int entryLine = fs::exists(file) ? lineCount(file) + 1 : 1;
    {
        std::ofstream out(file, std::ios::app);
        out << c.append;
    }
    const auto problems = checkDir(dir);
    fs::remove_all(dir);
    ASSERT_EQ(problems.size(), 1u) << c.what << "\n" << describe(problems);
    EXPECT_EQ(problems[0].where.file, file.string());
    if (c.lastLine) {
        EXPECT_EQ(problems[0].where.line, entryLine);
    }
    EXPECT_NE(problems[0].message.find(c.mentions), std::string::npos) << problems[0].message;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ContentFault,
    ::testing::Values(
        FaultCase{"an encounter naming a missing monster", "encounters.yaml",
                  "1998: {dungeon: 21, floor: 2, groups: [1, 1999]}\n", "monster 1999", true},
        FaultCase{"a goods list naming a missing item", "npc.yaml",
                  "13: {npcGoods: [1, 2, 3, 4, 5, 6, 7, 8, 9, 1500]}\n", "names no item", true},
        FaultCase{"an item casting a missing spell", "items.yaml",
                  "658: {name: 試し, altName: 品, kind: 8, spellLink: 199}\n", "spellLink 199",
                  true},
        FaultCase{
            "a monster using an action id without its scripted row", "monsters.yaml",
            "1999: {name: 試しの獣, classBit: 1, level: 1, appearDiceCount: 1, appearDiceSides: 2, "
            "actions: [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 59]}\n",
            "action 59", true},
        FaultCase{"a monster that can come more than nine at once", "monsters.yaml",
                  "1999: {name: 試しの大群, classBit: 1, level: 1, appearDiceCount: 2, "
                  "appearDiceSides: 5, "
                  "hpDiceCount: 1, hpDiceSides: 4, actions: [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, "
                  "1, 1, 1, 1, 1, 1, 1, 1]}\n",
                  "group size roll", true},
        FaultCase{"a talk for a kind nobody can summon", "conversations.yaml",
                  "40: {summonKind: 12, metKind: 2, giftItem: 20, talkLine1: あ, talkLine2: い, "
                  "talkLine3: う}\n",
                  "summonKind names no monster that can be summoned", true},
        FaultCase{"a second talk for the same summoned kind", "conversations.yaml",
                  "40: {summonKind: 2, metKind: 3, giftItem: 20, talkLine1: あ, talkLine2: い, "
                  "talkLine3: う}\n",
                  "this one is never read", true},
        FaultCase{"a talk with a line left out", "conversations.yaml",
                  "40: {summonKind: 3, metKind: 2, giftItem: 20, talkLine1: あ, talkLine2: い}\n",
                  "three lines", true},
        FaultCase{"a hidden item that does not exist", "events/d21f1.yaml",
                  "- {at: [3, 3], on: search, do: hiddenItem, item: 1500}\n", "item 1500", true},
        FaultCase{"stairs into rock", "events/d21f2.yaml",
                  "- {at: [3, 3], on: arrival, do: stairs, to: [3, 0, 19]}\n", "is rock", true},
        FaultCase{"a message that is not in the table", "events/d21f3.yaml",
                  "- {at: [3, 2], on: search, do: message, texts: [13799]}\n", "message 13799",
                  true},
        FaultCase{"stairs to a floor the game never enters", "events/d22f1.yaml",
                  "- {at: [2, 1], on: search, do: stairs, to: [6, 1, 1]}\n",
                  "floor the game never enters", true},
        FaultCase{"a battle against monsters that do not exist", "events/d21f1.yaml",
                  "- {at: [3, 3], on: search, do: battle, encounter: 1999, music: 13}\n",
                  "encounter 1999 has no monsters", true},
        FaultCase{"a reward that does not exist", "events/d21f1.yaml",
                  "- {at: [3, 3], on: afterBattle, do: reward, result: 1500}\n", "item 1500", true},
        FaultCase{"a person the program does not know", "events/d21f1.yaml",
                  "- {at: [3, 3], on: arrival, moved: true, do: person, npc: 13}\n",
                  "people are numbered 1..12", true},
        FaultCase{"a person's room whose narration is not in the table", "events/d21f1.yaml",
                  "- {at: [4, 3], on: arrival, moved: true, do: person, npc: 1, texts: [13798]}\n",
                  "message 13798", true}));

// Values a field can hold but the game cannot use are named at the line of the field.
TEST(ContentCheck, ValuesOutsideTheirFieldsRangeNameTheFieldsLine) {
    struct Case {
        const char* file;
        const char* append;
        int fieldLine;  // counted from the first appended line (0)
        const char* mentions;
    };
    const Case cases[] = {
        {"monsters.yaml",
         "1999:\n  name: 試しの獣\n  classBit: 1\n  appearDiceCount: 1\n  appearDiceSides: 2\n"
         "  hpDiceCount: 1\n  hpDiceSides: 4\n"
         "  actions: [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1]\n"
         "  level: -5\n",
         8, "monster 1999: level -5 is below 1"},
        {"items.yaml", "658:\n  name: 試し\n  altName: 品\n  kind: 8\n  breakChance: 150\n", 4,
         "item 658: breakChance 150 is outside 0..101"},
        {"items.yaml", "658:\n  name: 試し\n  altName: 品\n  kind: 13\n", 3,
         "item 658: kind 13 is outside 1..12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mentions);
        const fs::path dir =
            fs::temp_directory_path() / ("dv-check-limits-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::copy(DV_CONTENT_DIR, dir, fs::copy_options::recursive);
        const fs::path file = dir / c.file;
        const int first = lineCount(file) + 1;
        std::ofstream(file, std::ios::app) << c.append;
        const auto problems = checkDir(dir);
        fs::remove_all(dir);
        ASSERT_EQ(problems.size(), 1u) << describe(problems);
        EXPECT_EQ(problems[0].where.file, file.string());
        EXPECT_EQ(problems[0].where.line, first + c.fieldLine);
        EXPECT_NE(problems[0].message.find(c.mentions), std::string::npos) << problems[0].message;
    }
}

TEST(ContentCheck, AChestRowsLevelOutsideItsRangeIsNamedAtItsLine) {
    const fs::path dir =
        fs::temp_directory_path() / ("dv-check-chest-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy(DV_CONTENT_DIR, dir, fs::copy_options::recursive);
    std::vector<std::string> lines;
    {
        std::ifstream in(dir / "chest_items.yaml");
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    }
    int row = 0;
    for (std::size_t i = 0; i < lines.size() && row == 0; ++i)
        if (lines[i].rfind("50: {level: ", 0) == 0) {
            lines[i] = "50: {level: -5, item: 525}";
            row = static_cast<int>(i) + 1;
        }
    ASSERT_GT(row, 0);
    {
        std::ofstream out(dir / "chest_items.yaml");
        for (const auto& line : lines)
            out << line << "\n";
    }
    const auto problems = checkDir(dir);
    fs::remove_all(dir);
    ASSERT_EQ(problems.size(), 1u) << describe(problems);
    EXPECT_EQ(problems[0].where.line, row);
    EXPECT_NE(problems[0].message.find("chest row 50: level -5 is outside 1..99"),
              std::string::npos)
        << problems[0].message;
}

TEST(ContentCheck, AShopWithNothingToSellAndAMissingMessageTableAreOneProblemEach) {
    const fs::path dir =
        fs::temp_directory_path() / ("dv-check-empty-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy(DV_CONTENT_DIR, dir, fs::copy_options::recursive);
    std::ofstream(dir / "shop.yaml").flush();
    fs::remove(dir / "messages.yaml");
    const auto problems = checkDir(dir);
    fs::remove_all(dir);
    ASSERT_EQ(problems.size(), 2u) << describe(problems);
    EXPECT_NE(describe(problems).find("nothing to sell"), std::string::npos);
    EXPECT_NE(describe(problems).find("message table is missing"), std::string::npos);
}

TEST(ContentCheck, AnUnusedFloorDrawnOpenIsNamedByItsFile) {
    const fs::path dir =
        fs::temp_directory_path() / ("dv-check-floor-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy(DV_CONTENT_DIR, dir, fs::copy_options::recursive);
    FloorGrid open = FloorGrid::solidRock();
    open.walls[5][5] = 0;
    {
        std::ofstream out(dir / "mazes" / "d27f3.txt");
        out << writeFloorText(open, "not used");
    }
    const auto problems = checkDir(dir);
    fs::remove_all(dir);
    ASSERT_EQ(problems.size(), 1u) << describe(problems);
    EXPECT_EQ(problems[0].where.file, (dir / "mazes" / "d27f3.txt").string());
    EXPECT_EQ(problems[0].where.line, 1);
    EXPECT_NE(problems[0].message.find("solid rock"), std::string::npos);
}

TEST(ContentCheck, EventsOutOfReachAndFloorsWithoutStairsAreFound) {
    const fs::path dir =
        fs::temp_directory_path() / ("dv-check-reach-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy(DV_CONTENT_DIR, dir, fs::copy_options::recursive);
    {
        // A walled-in cell below the first floor's south room, with an item to find there.
        std::ofstream maze(dir / "mazes" / "d21f1.txt", std::ios::app);
        maze << "raw 10 17 14 0 0\n";
        std::ofstream events(dir / "events" / "d21f1.yaml", std::ios::app);
        events << "- {at: [10, 17], on: search, do: hiddenItem, item: 20}\n";
    }
    // No stairs lead to the last floor of dungeon 21 any more.
    fs::remove(dir / "events" / "d21f4.yaml");
    const auto problems = checkDir(dir);
    fs::remove_all(dir);
    ASSERT_EQ(problems.size(), 2u) << describe(problems);
    EXPECT_EQ(problems[0].where.file, (dir / "mazes" / "d21f5.txt").string());
    EXPECT_NE(problems[0].message.find("no stairs lead here"), std::string::npos);
    EXPECT_EQ(problems[1].where.file, (dir / "events" / "d21f1.yaml").string());
    EXPECT_NE(problems[1].message.find("never reach"), std::string::npos);
}

TEST(ContentCheck, SourceFaultsNameFileAndLine) {
    const fs::path dir = fs::temp_directory_path() / ("dv-check-src-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
        std::ofstream out(dir / "items.yaml");
        out << "1:\n  name: 剣\n  kind: 1\n  prise: 10\n";
    }
    std::ostringstream log, err;
    EXPECT_EQ(runCheck(dir, log, err), 1);
    EXPECT_NE(err.str().find("items.yaml:4: unknown field 'prise'"), std::string::npos)
        << err.str();
    {
        std::ofstream out(dir / "items.yaml");
        out << "1:\n  name: 剣\n  kind: 1\n  reach: 300\n";
    }
    std::ostringstream err2;
    EXPECT_EQ(runCheck(dir, log, err2), 1);
    EXPECT_NE(err2.str().find("items.yaml:4: 300 does not fit its field"), std::string::npos)
        << err2.str();
    fs::remove_all(dir);
}

}  // namespace
}  // namespace dv
