// The content command lines of the built data tool: build, dump and check.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
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
