// The content command lines of the built data tool: build, dump and check.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "run_tool.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

const fs::path kContent = fs::path(__FILE__).parent_path() / ".." / ".." / "content";

using test::ToolRun;

ToolRun tool(const std::string& arguments) {
    return test::runTool(arguments);
}

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ContentCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dv-content-tool-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(ContentCommands, WrongArgumentsShowTheUsage) {
    for (const char* args : {"build", "build one", "dump one", "check", "check a b"}) {
        const ToolRun r = tool(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.out.find("usage: dalvenor-data"), std::string::npos) << args;
    }
}

TEST_F(ContentCommands, BuildDumpBuildGivesTheSameFiles) {
    const fs::path first = dir_ / "first", sources = dir_ / "sources", second = dir_ / "second";
    ASSERT_EQ(tool("check " + kContent.string()).status, 0);
    ASSERT_EQ(tool("build " + kContent.string() + " " + first.string()).status, 0);
    ASSERT_EQ(tool("dump " + first.string() + " " + sources.string()).status, 0);
    EXPECT_TRUE(fs::exists(sources / "items.yaml"));
    EXPECT_TRUE(fs::exists(sources / "mazes" / "d21f1.txt"));
    // The data files hold neither the message table nor the map events.
    fs::copy_file(kContent / "messages.yaml", sources / "messages.yaml");
    fs::copy(kContent / "events", sources / "events");
    ASSERT_EQ(tool("build " + sources.string() + " " + second.string()).status, 0);
    for (const char* name : {"QTR1.DAT", "QTR3.DAT", "QTR4.DAT", "QTR5.DAT", "QTR6.DAT"})
        EXPECT_EQ(bytesOf(first / name), bytesOf(second / name)) << name;
}

TEST_F(ContentCommands, CheckAndBuildNameTheFaultyLine) {
    const fs::path src = dir_ / "src";
    fs::create_directories(src);
    std::ofstream(src / "encounters.yaml")
        << "# one row\n1: {dungeon: 21, floor: 1, groups: [7]}\n";
    ToolRun r = tool("check " + src.string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("encounters.yaml:2: encounter 1 group 1 names monster 7"),
              std::string::npos)
        << r.out;
    std::ofstream(src / "items.yaml") << "1: {name: 剣, kind: one}\n";
    r = tool("build " + src.string() + " " + (dir_ / "out").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("items.yaml:1: 'one' is not a whole number"), std::string::npos) << r.out;
    r = tool("dump " + (dir_ / "nothing").string() + " " + (dir_ / "x").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("QTR3.DAT: missing"), std::string::npos) << r.out;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(ContentCommands, BuildNeverReplacesASave) {
    const fs::path out = dir_ / "game";
    ToolRun r = tool("build " + kContent.string() + " " + out.string());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(fs::file_size(out / "QTR1.DAT"), 128154u);
    // The player's save, as the game wrote it.
    const std::string played(128154, '\x07');
    std::ofstream(out / "QTR1.DAT", std::ios::binary) << played;
    r = tool("build " + kContent.string() + " " + out.string());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(bytesOf(out / "QTR1.DAT"), played);
    EXPECT_NE(r.out.find("kept"), std::string::npos) << r.out;
    for (const auto& entry : fs::directory_iterator(out))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}

TEST_F(ContentCommands, AFileThatCannotBeWrittenLeavesTheOldOneWhole) {
    const fs::path out = dir_ / "game";
    ASSERT_EQ(tool("build " + kContent.string() + " " + out.string()).status, 0);
    const std::string before = bytesOf(out / "QTR4.DAT");
    // A folder where the new file would be written first: the write fails half-way.
    fs::create_directories(out / "QTR4.DAT.tmp" / "in-the-way");
    const ToolRun r = tool("build " + kContent.string() + " " + out.string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("QTR4.DAT: cannot write"), std::string::npos) << r.out;
    EXPECT_EQ(bytesOf(out / "QTR4.DAT"), before);
}

TEST_F(ContentCommands, BuildRefusesWhatCheckRefuses) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> spoil;
        const char* mentions;
    };
    const Case cases[] = {
        {"an emptied shop.yaml", [](const fs::path& src) { std::ofstream(src / "shop.yaml"); },
         "nothing to sell"},
        {"a missing maze file",
         [](const fs::path& src) { fs::remove(src / "mazes" / "d21f2.txt"); }, "d21f2.txt"},
        {"a negative level",
         [](const fs::path& src) {
             std::ofstream(src / "monsters.yaml", std::ios::app)
                 << "1999:\n  name: 試しの獣\n  classBit: 1\n  appearDiceCount: 1\n"
                    "  appearDiceSides: 2\n  hpDiceCount: 1\n  hpDiceSides: 4\n  level: -5\n"
                    "  actions: [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1]\n";
         },
         "level -5 is below 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path src = dir_ / "src", out = dir_ / "out";
        fs::remove_all(src);
        fs::remove_all(out);
        fs::copy(kContent, src, fs::copy_options::recursive);
        c.spoil(src);
        ToolRun r = tool("check " + src.string());
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.out.find(c.mentions), std::string::npos) << r.out;
        r = tool("build " + src.string() + " " + out.string());
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.out.find(c.mentions), std::string::npos) << r.out;
        EXPECT_FALSE(fs::exists(out / "QTR3.DAT")) << "nothing is built";
    }
}

TEST_F(ContentCommands, AFolderThatHoldsNoContentIsSaidInOneLine) {
    fs::create_directories(dir_ / "game");
    std::ofstream(dir_ / "game" / "QTR1.DAT") << "not sources";
    struct Case {
        fs::path folder;
        const char* says;
    };
    for (const Case& c :
         {Case{dir_ / "missing", "no such folder"}, Case{dir_ / "game", "not a content folder"},
          Case{dir_ / "game" / "QTR1.DAT", "not a folder"}}) {
        for (const std::string& command :
             {"check " + c.folder.string(),
              "build " + c.folder.string() + " " + (dir_ / "out").string()}) {
            SCOPED_TRACE(command);
            const ToolRun r = tool(command);
            EXPECT_EQ(r.status, 1);
            ASSERT_EQ(linesOf(r.out).size(), 1u) << r.out;
            EXPECT_NE(r.out.find(c.says), std::string::npos) << r.out;
        }
    }
    EXPECT_FALSE(fs::exists(dir_ / "out" / "QTR3.DAT"));
}

TEST_F(ContentCommands, SuccessIsOneLineWithTheCounts) {
    const std::regex counts(
        "\\d+ items, \\d+ monsters, \\d+ spells, \\d+ traps, \\d+ actions, \\d+ skills, "
        "\\d+ encounters, \\d+ shop items, \\d+ floors, \\d+ map events, \\d+ messages");
    ToolRun r = tool("check " + kContent.string());
    ASSERT_EQ(r.status, 0) << r.out;
    ASSERT_EQ(linesOf(r.out).size(), 1u) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("^content OK: "))) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, counts)) << r.out;
    EXPECT_EQ(r.out.find(" 0 items"), std::string::npos) << r.out;
    r = tool("build " + kContent.string() + " " + (dir_ / "out").string());
    ASSERT_EQ(r.status, 0) << r.out;
    ASSERT_EQ(linesOf(r.out).size(), 1u) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, counts)) << r.out;
}

TEST_F(ContentCommands, CheckNamesTheLineOfAnEngineItemOfTheWrongKind) {
    const fs::path src = dir_ / "src";
    fs::copy(kContent, src, fs::copy_options::recursive);
    std::vector<std::string> lines;
    {
        std::ifstream in(src / "items.yaml");
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    }
    std::size_t entry = 0;
    while (entry < lines.size() && lines[entry] != "657:")
        ++entry;
    ASSERT_LT(entry, lines.size());
    std::size_t kind = entry;
    while (kind < lines.size() && lines[kind] != "  kind: 11")
        ++kind;
    ASSERT_LT(kind, lines.size());
    lines[kind] = "  kind: 8";
    {
        std::ofstream out(src / "items.yaml");
        for (const auto& line : lines)
            out << line << "\n";
    }
    const ToolRun r = tool("check " + src.string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("items.yaml:" + std::to_string(entry + 1) +
                         ": item 657 must be an event item (kind 11)"),
              std::string::npos)
        << r.out;
}

}  // namespace
}  // namespace dv
