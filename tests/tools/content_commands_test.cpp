// The content command lines of the built data tool: build, dump and check.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace dv {
namespace {

namespace fs = std::filesystem;

const fs::path kContent = fs::path(__FILE__).parent_path() / ".." / ".." / "content";

struct ToolResult {
    int status = -1;
    std::string out;
};

ToolResult tool(const std::string& arguments) {
    ToolResult run;
    const std::string command = std::string(DV_DATA_TOOL) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
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
        const ToolResult r = tool(args);
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
    ToolResult r = tool("check " + src.string());
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

}  // namespace
}  // namespace dv
