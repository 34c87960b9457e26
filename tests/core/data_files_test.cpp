#include "core/data/data_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "core/data/atomic_file.h"
#include "core/data/names.h"
#include "test_support.h"

namespace dv {
namespace {

using test::ScratchDir;

std::unique_ptr<Database> variedDatabase(std::uint64_t seed) {
    auto db = std::make_unique<Database>();
    Rng rng(seed);
    for (auto& r : db->itemTable)
        test::fillVaried(r, rng);
    test::fillVaried(db->chestItemTable, rng);
    for (auto& r : db->spellTable)
        test::fillVaried(r, rng);
    for (auto& r : db->trapTable)
        test::fillVaried(r, rng);
    test::fillVaried(db->alchemyTable, rng);
    test::fillVaried(db->fusionTable, rng);
    for (auto& r : db->npcTable)
        test::fillVaried(r, rng);
    for (auto& r : db->skillTable)
        test::fillVaried(r, rng);
    test::fillVaried(db->spareTable, rng);
    test::fillVaried(db->callTable, rng);
    for (auto& r : db->monsterTable)
        test::fillVaried(r, rng);
    test::fillVaried(db->encounterTable, rng);
    for (auto& r : db->monsterActions)
        test::fillVaried(r, rng);
    for (auto& r : db->conversationTable)
        test::fillVaried(r, rng);
    for (MazeLayer* layer : {&db->mazeWalls, &db->mazeDoors, &db->mazeAttributes}) {
        for (auto& cell : layer->cells())
            cell = static_cast<std::int16_t>(rng.uniform(-5, 300));
    }
    // The files hold coded names with empty texts.
    for (auto& r : db->itemTable)
        r.name.clear(), r.altName.clear();
    for (auto& r : db->monsterTable)
        r.name.clear(), r.altName.clear();
    for (auto& r : db->skillTable)
        r.description.clear();
    return db;
}

void writeDataFiles(const std::filesystem::path& dir, const Database& db) {
    test::writeBytes(dir / "QTR3.DAT", writeQtr3(db));
    test::writeBytes(dir / "QTR4.DAT", writeQtr4(db));
    test::writeBytes(dir / "QTR5.DAT", writeQtr5(db));
    test::writeBytes(dir / "QTR6.DAT", writeQtr6(db));
}

TEST(DataFiles, FixedSizes) {
    const auto db = std::make_unique<Database>();
    EXPECT_EQ(writeQtr3(*db).size(), 2001u * 281 + 204);
    EXPECT_EQ(writeQtr6(*db).size(), 422400u);
    // Empty texts: 2001 spells of 17, 51 traps of 7, 484 + 549 Integers, 21 people of 28,
    // 301 skills of 292, 143 + 111 Integers.
    EXPECT_EQ(writeQtr4(*db).size(),
              201u * 17 + 51 * 7 + 2 * (484 + 549) + 21 * 28 + 301 * 292 + 2 * (143 + 111));
    EXPECT_EQ(writeQtr5(*db).size(), 2001u * 2022 + 2 * 2001 * 7 + 501 * 110 + 51 * 34);
}

TEST(DataFiles, EveryTableRoundTrips) {
    const auto db = variedDatabase(11);
    const auto back = std::make_unique<Database>();
    const auto q3 = writeQtr3(*db), q4 = writeQtr4(*db), q5 = writeQtr5(*db), q6 = writeQtr6(*db);
    ASSERT_TRUE(readQtr3(q3, *back));
    ASSERT_TRUE(readQtr4(q4, *back));
    ASSERT_TRUE(readQtr5(q5, *back));
    ASSERT_TRUE(readQtr6(q6, *back));
    EXPECT_TRUE(*back == *db);
    // And the images come out byte for byte.
    EXPECT_EQ(writeQtr3(*back), q3);
    EXPECT_EQ(writeQtr4(*back), q4);
    EXPECT_EQ(writeQtr5(*back), q5);
    EXPECT_EQ(writeQtr6(*back), q6);
}

// Loading reads each file through a small window: records and texts that straddle its
// edges come out as reading the whole file at once gives them.
TEST(DataFiles, LoadingFromTheFolderGivesWhatTheBytesHold) {
    const auto db = variedDatabase(5);
    ScratchDir dir;
    writeDataFiles(dir.path(), *db);
    auto expected = std::make_unique<Database>();
    ASSERT_TRUE(readQtr3(writeQtr3(*db), *expected));
    ASSERT_TRUE(readQtr4(writeQtr4(*db), *expected));
    ASSERT_TRUE(readQtr5(writeQtr5(*db), *expected));
    ASSERT_TRUE(readQtr6(writeQtr6(*db), *expected));
    DecodeDatabaseNames(*expected);
    ApplyFixedMonsterNames(*expected);

    auto loaded = std::make_unique<Database>();
    auto save = std::make_unique<SaveData>();
    const LoadReport report = LoadAllData(*loaded, *save, dir.path());
    ASSERT_TRUE(report.ok) << report.message;
    EXPECT_TRUE(*loaded == *expected);
}

TEST(DataFiles, AFileSourceGivesValuesLongerThanItsWindow) {
    ScratchDir dir;
    std::vector<std::uint8_t> bytes(700 * 1024 + 3);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    test::writeBytes(dir.path() / "big.bin", bytes);
    FileSource file;
    ASSERT_TRUE(file.open(dir.path() / "big.bin"));
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(file.rewind());
        ByteReader in(file);
        std::uint8_t first = 0;
        in.read(first);
        std::vector<std::int16_t> run(300 * 1024);  // 600 KB in one piece
        in.readRun(run);
        std::vector<std::uint8_t> rest(bytes.size() - 1 - 2 * run.size());
        in.readRun(rest);
        ASSERT_FALSE(in.isShort());
        EXPECT_EQ(first, bytes[0]);
        EXPECT_EQ(std::memcmp(run.data(), bytes.data() + 1, 2 * run.size()), 0);
        EXPECT_TRUE(std::equal(rest.begin(), rest.end(), bytes.end() - rest.size()));
        std::uint8_t past = 0;
        in.read(past);
        EXPECT_TRUE(in.isShort());
    }
    EXPECT_FALSE(file.open(dir.path()));  // a folder is not a file
    EXPECT_FALSE(file.open(dir.path() / "missing.bin"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing.bin"));
}

TEST(DataFiles, TablesWithSeveralIndexesKeepTheFirstIndexFastest) {
    auto db = std::make_unique<Database>();
    db->encounterTable(5, 1) = 0x1234;  // row 5, column 1 -> element 1 * 2001 + 5
    db->mazeWalls.set(21, 1, 2, 3, 0x0F0E);
    const auto q5 = writeQtr5(*db);
    const std::size_t encounterStart = 2001u * 2022;
    EXPECT_EQ(q5[encounterStart + 2 * (2001 + 5)], 0x34);
    EXPECT_EQ(q5[encounterStart + 2 * (2001 + 5) + 1], 0x12);
    const auto q6 = writeQtr6(*db);
    const std::size_t cell = ((3 * 20 + 2) * 22 + 1) * 8 + (21 - 20);
    EXPECT_EQ(q6[2 * cell], 0x0E);
    EXPECT_EQ(q6[2 * cell + 1], 0x0F);
}

TEST(DataFiles, AFileShortByOneByteIsRefused) {
    const auto db = variedDatabase(3);
    using Writer = std::vector<std::uint8_t> (*)(const Database&);
    using Reader = bool (*)(std::span<const std::uint8_t>, Database&);
    const std::pair<Writer, Reader> files[] = {
        {writeQtr3, readQtr3}, {writeQtr4, readQtr4}, {writeQtr5, readQtr5}, {writeQtr6, readQtr6}};
    auto scratch = std::make_unique<Database>();
    for (const auto& [write, read] : files) {
        auto bytes = write(*db);
        EXPECT_TRUE(read(bytes, *scratch));
        bytes.push_back(0);  // trailing bytes are ignored
        EXPECT_TRUE(read(bytes, *scratch));
        bytes.resize(bytes.size() - 2);
        EXPECT_FALSE(read(bytes, *scratch));
        EXPECT_FALSE(read({}, *scratch));
    }
}

class LoadAllDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        source = std::make_unique<Database>();
        ItemRecord& sword = source->itemTable[1];
        sword.itemNumber = 1;
        ASSERT_TRUE(EncodeNameCodes("銀の剣", sword.nameCodes));
        ASSERT_TRUE(EncodeNameCodes("剣", sword.altNameCodes));
        source->itemTable[2].itemNumber = 2;  // no name codes at all
        Character& wolf = source->monsterTable[12];
        wolf.rosterId = 12;
        ASSERT_TRUE(EncodeNameCodes("灰色狼", wolf.nameCodes));
        ASSERT_TRUE(EncodeNameCodes("獣", wolf.altNameCodes));
        ASSERT_TRUE(EncodeNameCodes("ただの名前", source->monsterTable[770].nameCodes));
        source->skillTable[5].name = "鑑定";
        ASSERT_TRUE(EncodeNameCodes("品物を見極める", source->skillTable[5].descriptionCodes));
        writeDataFiles(dir.path(), *source);
    }

    ScratchDir dir;
    std::unique_ptr<Database> source;
    std::unique_ptr<Database> db = std::make_unique<Database>();
    std::unique_ptr<SaveData> save = std::make_unique<SaveData>();
};

TEST_F(LoadAllDataTest, DecodesNamesAndFixesTheNamedMonsters) {
    const LoadReport report = LoadAllData(*db, *save, dir.path());
    ASSERT_TRUE(report.ok) << report.message;
    EXPECT_EQ(db->itemTable[1].name, "銀の剣");
    EXPECT_EQ(db->itemTable[1].altName, "剣");
    EXPECT_EQ(db->itemTable[2].name, "");
    EXPECT_EQ(db->monsterTable[12].name, "灰色狼");
    EXPECT_EQ(db->monsterTable[12].altName, "獣");
    EXPECT_EQ(db->skillTable[5].name, "鑑定");
    EXPECT_EQ(db->skillTable[5].description, "品物を見極める");
    // Every fixed-name record has a name from the program, whatever the file holds.
    int fixed = 0;
    for (int m = 1; m <= 2000; ++m) {
        if (FixedMonsterName(m).empty()) continue;
        ++fixed;
        EXPECT_EQ(db->monsterTable[m].name, FixedMonsterName(m)) << m;
    }
    EXPECT_EQ(fixed, 40);
    EXPECT_EQ(db->monsterTable[770].name, FixedMonsterName(770));
    for (int m : {770, 780, 785, 798, 901, 913, 917, 1183})
        EXPECT_FALSE(FixedMonsterName(m).empty());
    for (int m : {769, 781, 784, 799, 900, 914, 916, 918, 1182, 1184}) {
        EXPECT_TRUE(FixedMonsterName(m).empty()) << m;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "QTR1.DAT"));  // loading writes nothing
}

TEST_F(LoadAllDataTest, AMissingOrShortDataFileIsNamedAndNeverCreated) {
    for (const char* name : {"QTR3.DAT", "QTR4.DAT", "QTR5.DAT", "QTR6.DAT"}) {
        SCOPED_TRACE(name);
        writeDataFiles(dir.path(), *source);
        const auto path = dir.path() / name;
        std::filesystem::remove(path);
        LoadReport report = LoadAllData(*db, *save, dir.path());
        EXPECT_FALSE(report.ok);
        EXPECT_NE(report.message.find(name), std::string::npos) << report.message;
        EXPECT_FALSE(std::filesystem::exists(path));

        writeDataFiles(dir.path(), *source);
        std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
        report = LoadAllData(*db, *save, dir.path());
        EXPECT_FALSE(report.ok);
        EXPECT_NE(report.message.find(name), std::string::npos) << report.message;
    }
}

TEST_F(LoadAllDataTest, ATextLengthPastTheEndOfTheFileIsADamagedFile) {
    auto bytes = writeQtr4(*source);
    // Spell 0's name length (after id, kind, level, number) claims 65535 bytes.
    bytes[5] = 0xFF;
    bytes[6] = 0xFF;
    test::writeBytes(dir.path() / "QTR4.DAT", bytes);
    const LoadReport report = LoadAllData(*db, *save, dir.path());
    EXPECT_FALSE(report.ok);
    EXPECT_NE(report.message.find("QTR4.DAT"), std::string::npos) << report.message;
}

TEST_F(LoadAllDataTest, FileNamesMatchWithoutRegardToCase) {
    std::filesystem::rename(dir.path() / "QTR5.DAT", dir.path() / "qtr5.dat");
    EXPECT_TRUE(LoadAllData(*db, *save, dir.path()).ok);
    EXPECT_EQ(db->monsterTable[12].name, "灰色狼");
}

TEST(Database, NumbersOutsideATableMeanNone) {
    const auto db = std::make_unique<Database>();
    EXPECT_EQ(itemAt(*db, 0), nullptr);
    EXPECT_NE(itemAt(*db, 1), nullptr);
    EXPECT_NE(itemAt(*db, 2000), nullptr);
    EXPECT_EQ(itemAt(*db, 2001), nullptr);
    EXPECT_EQ(itemAt(*db, 2500), nullptr);
    EXPECT_EQ(itemAt(*db, -1), nullptr);
    EXPECT_EQ(monsterAt(*db, 3000), nullptr);
    EXPECT_NE(spellAt(*db, 0), nullptr);
    EXPECT_EQ(spellAt(*db, 201), nullptr);
    EXPECT_EQ(actionAt(*db, 501), nullptr);
    EXPECT_EQ(skillAt(*db, 301), nullptr);
    EXPECT_EQ(trapAt(*db, 51), nullptr);
    EXPECT_EQ(npcAt(*db, 21), nullptr);
    EXPECT_EQ(conversationAt(*db, 51), nullptr);
    EXPECT_EQ(elementIndex(36), 36);
    EXPECT_EQ(elementIndex(37), 1);
    EXPECT_EQ(elementIndex(-3), 1);
    EXPECT_TRUE(isWeaponTypeIndex(20));
    EXPECT_FALSE(isWeaponTypeIndex(21));
    EXPECT_EQ(db->mazeWalls.at(28, 1, 0, 0), 0);
    EXPECT_EQ(db->mazeWalls.at(21, 22, 0, 0), 0);
    EXPECT_FALSE(db->mazeWalls.set(21, 1, 20, 0, 1));
}

}  // namespace
}  // namespace dv
