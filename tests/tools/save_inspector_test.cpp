#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/data/data_files.h"
#include "core/data/names.h"
#include "core/data/save_file.h"
#include "run_tool.h"

namespace dv {
namespace {

using test::runTool;
using test::ToolRun;

class SaveInspectorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "dv-tool-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string savePath() const { return (dir / "QTR1.DAT").string(); }

    std::filesystem::path dir;
};

TEST_F(SaveInspectorTest, PrintsTheWholeSave) {
    auto save = std::make_unique<SaveData>();
    save->eventFlags[19] = 4;
    save->eventFlags[41] = 1;
    save->lunaPhase = 123;
    save->artemisPhase = 456;
    save->defeatedCounts[12] = 7;
    save->shopStock[657] = -1;
    save->chestSpots(3, 0) = 21;
    save->chestSpots(3, 4) = 5;
    Character& c = save->roster[2];
    c.rosterId = 2;
    c.name = "アリサ";
    c.level = 12;
    c.gold = 1234.5;
    c.race = 1;
    c.items[1] = {5, 1 | kItemUnidentified, 1};
    c.spellsKnown(0, 1, 2) = 1;
    c.reserved174 = {9, 0, 0, 0};
    ASSERT_TRUE(WriteSaveFile(*save, dir).ok);

    auto db = std::make_unique<Database>();
    db->itemTable[5].itemNumber = 5;
    ASSERT_TRUE(EncodeNameCodes("銀の剣", db->itemTable[5].nameCodes));
    const auto q3 = writeQtr3(*db);
    std::ofstream(dir / "QTR3.DAT", std::ios::binary)
        .write(reinterpret_cast<const char*>(q3.data()), static_cast<std::streamsize>(q3.size()));

    const ToolRun run = runTool("save " + savePath());
    EXPECT_EQ(run.status, 0) << run.out;
    for (const char* expected : {
             "128154 bytes (complete)",
             " 10: 0 0 0 0 0 0 0 0 0 4",
             " 40: 0 1 0",
             "lunaPhase 123 (0..479)  artemisPhase 456 (0..639)",
             "12:7",
             "657:-1",
             "spot 3: 21 0 0 0 5 0",
             "slot 2: アリサ",
             "    level = 12\n",
             "    race = 1 (人間)\n",
             "    gold = 1234.5\n",
             "items[1]: item 5 銀の剣  count 1  flags 65 worn:1 unidentified",
             "spellsKnown: (0,1,2)=1",
             "reserved174 (kept as read) = 9 0 0 0",
         }) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    }
    EXPECT_EQ(run.out.find("slot 1:"), std::string::npos);  // empty slots are left out
}

TEST_F(SaveInspectorTest, TellsADamagedSaveAndShowsWhatItHolds) {
    auto save = std::make_unique<SaveData>();
    save->roster[1].rosterId = 1;
    save->roster[1].name = "X";
    auto bytes = BuildSaveImage(*save);
    bytes.resize(30000);
    std::ofstream(savePath(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const ToolRun run = runTool("save " + savePath());
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("30000 bytes (DAMAGED"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("slot 1: X"), std::string::npos) << run.out;
}

TEST_F(SaveInspectorTest, WrongUsageAndMissingFiles) {
    EXPECT_EQ(runTool("save").status, 2);
    EXPECT_EQ(runTool("").status, 2);
    EXPECT_EQ(runTool("nonsense").status, 2);
    const ToolRun missing = runTool("save " + (dir / "none.dat").string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("cannot read"), std::string::npos);
    const ToolRun help = runTool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("save FILE"), std::string::npos);
}

}  // namespace
}  // namespace dv
