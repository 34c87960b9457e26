#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "content/content_check.h"
#include "content/content_set.h"
#include "core/data/data_files.h"
#include "core/data/names.h"
#include "core/data/record_io.h"
#include "core/data/save_file.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readBytes(const fs::path& p) {
    std::vector<std::uint8_t> bytes(fs::file_size(p));
    std::ifstream in(p, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void writeBytes(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class TempDir {
  public:
    TempDir() {
        path_ = fs::temp_directory_path() /
                ("dv-content-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

  private:
    static inline int counter_ = 0;
    fs::path path_;
};

const char* const kFiles[] = {"QTR1.DAT", "QTR3.DAT", "QTR4.DAT", "QTR5.DAT", "QTR6.DAT"};

TEST(ContentBuild, OurSourcesGiveFilesOfTheExactSizes) {
    TempDir out;
    std::ostringstream log, err;
    ASSERT_EQ(runBuild(DV_CONTENT_DIR, out.path(), log, err), 0) << err.str();
    EXPECT_EQ(fs::file_size(out.path() / "QTR3.DAT"), 2001u * 281u + 204u);
    EXPECT_EQ(fs::file_size(out.path() / "QTR6.DAT"), 422400u);
    EXPECT_EQ(fs::file_size(out.path() / "QTR1.DAT"), 128154u);

    // QTR4 and QTR5 hold their records back to back: fixed parts plus the texts' bytes.
    const ContentSet set = readContentSources(DV_CONTENT_DIR);
    auto cp932Length = [](const std::string& s) { return Utf8ToCp932(s).size(); };
    std::size_t qtr4 = 0;
    for (const auto& s : set.db.spellTable)
        qtr4 += 17 + cp932Length(s.name);
    for (const auto& t : set.db.trapTable)
        qtr4 += 7 + cp932Length(t.trapTitle) + cp932Length(t.trapName);
    qtr4 += 484 * 2 + 61 * 9 * 2 + 21 * 28;
    for (const auto& s : set.db.skillTable)
        qtr4 += 292 + cp932Length(s.name);
    qtr4 += 143 * 2 + 111 * 2;
    EXPECT_EQ(fs::file_size(out.path() / "QTR4.DAT"), qtr4);
    std::size_t qtr5 = 2001u * 2022u + 2001u * 7u * 2u;
    for (const auto& a : set.db.monsterActions)
        qtr5 += 110 + cp932Length(a.diceCount) + cp932Length(a.diceSides) +
                cp932Length(a.diceBonus) + cp932Length(a.multiplier) + cp932Length(a.message);
    for (const auto& c : set.db.conversationTable)
        qtr5 += 34 + cp932Length(c.talkLine1) + cp932Length(c.talkLine2) + cp932Length(c.talkLine3);
    EXPECT_EQ(fs::file_size(out.path() / "QTR5.DAT"), qtr5);

    // The starter save holds the shop's stock and nothing else.
    SaveData save;
    ReadSaveImage(readBytes(out.path() / "QTR1.DAT"), save);
    EXPECT_EQ(save.shopStock, set.starter.shopStock);
    EXPECT_GT(save.shopStock[20], 0);
    EXPECT_EQ(save.eventFlags, decltype(save.eventFlags){});
}

TEST(ContentBuild, DumpThenBuildGivesBackOurBytes) {
    TempDir first, sources, second;
    std::ostringstream log, err;
    ASSERT_EQ(runBuild(DV_CONTENT_DIR, first.path(), log, err), 0) << err.str();
    ASSERT_EQ(runDump(first.path(), sources.path(), err), 0) << err.str();
    // The data files hold neither the message table nor the map events.
    fs::copy_file(fs::path(DV_CONTENT_DIR) / "messages.yaml", sources.path() / "messages.yaml");
    fs::copy(fs::path(DV_CONTENT_DIR) / "events", sources.path() / "events");
    ASSERT_EQ(runBuild(sources.path(), second.path(), log, err), 0) << err.str();
    for (const char* name : kFiles)
        EXPECT_EQ(readBytes(first.path() / name), readBytes(second.path() / name)) << name;
}

// Fills every member of a record with random values through its field table.
struct Randomizer {
    std::mt19937_64 rng{12345};
    template <class T>
    void operator()(std::string_view, T& v) {
        fill(v);
    }
    template <class T>
    void fill(T& v) {
        if constexpr (IsStdArray<T>::value) {
            for (auto& e : v)
                fill(e);
        } else if constexpr (IsGrid<T>::value) {
            for (auto& e : v.data)
                fill(e);
        } else if constexpr (FieldRecord<T>) {
            T::fields(v, *this);
        } else if constexpr (std::is_same_v<T, std::string>) {
            static const char* const texts[] = {"", "ABC", "毒針", "は\n逃げ出した", "ｱｲｳ"};
            v = texts[rng() % 5];
        } else if constexpr (std::is_floating_point_v<T>) {
            do {
                auto bits = rng();
                if constexpr (sizeof(T) == 4) {
                    auto b = static_cast<std::uint32_t>(bits);
                    std::memcpy(&v, &b, 4);
                } else {
                    std::memcpy(&v, &bits, 8);
                }
            } while (std::isnan(v));
        } else {
            v = static_cast<T>(rng());
        }
    }
};

TEST(ContentBuild, DumpThenBuildGivesBackAFileOfRandomRecords) {
    Database db;
    Randomizer random;
    // Every ninth item and every 33rd monster keep the test quick; the small tables are full.
    for (std::size_t n = 0; n < db.itemTable.size(); n += 9)
        random.fill(db.itemTable[n]);
    random.fill(db.chestItemTable);
    for (auto& r : db.spellTable)
        random.fill(r);
    for (auto& r : db.trapTable)
        random.fill(r);
    random.fill(db.alchemyTable);
    random.fill(db.fusionTable);
    for (auto& r : db.npcTable)
        random.fill(r);
    for (auto& r : db.skillTable)
        random.fill(r);
    random.fill(db.spareTable);
    random.fill(db.callTable);
    for (int n = 0; n < 60; ++n)
        random.fill(db.monsterTable[n * 33]);
    random.fill(db.encounterTable);
    for (auto& r : db.monsterActions)
        random.fill(r);
    for (auto& r : db.conversationTable)
        random.fill(r);
    for (auto* layer : {&db.mazeWalls, &db.mazeDoors, &db.mazeAttributes})
        for (auto& v : layer->cells())
            v = static_cast<std::int16_t>(random.rng() % 3 ? random.rng() % 16
                                                           : random.rng() % 65536);

    TempDir data, sources;
    writeBytes(data.path() / "QTR3.DAT", writeQtr3(db));
    writeBytes(data.path() / "QTR4.DAT", writeQtr4(db));
    writeBytes(data.path() / "QTR5.DAT", writeQtr5(db));
    writeBytes(data.path() / "QTR6.DAT", writeQtr6(db));
    std::ostringstream err;
    ASSERT_EQ(runDump(data.path(), sources.path(), err), 0) << err.str();
    // Random values are no content the checks would let `build` through; the sources read
    // back to the same tables all the same.
    const ContentSet back = readContentSources(sources.path());
    EXPECT_EQ(writeQtr3(back.db), readBytes(data.path() / "QTR3.DAT"));
    EXPECT_EQ(writeQtr4(back.db), readBytes(data.path() / "QTR4.DAT"));
    EXPECT_EQ(writeQtr5(back.db), readBytes(data.path() / "QTR5.DAT"));
    EXPECT_EQ(writeQtr6(back.db), readBytes(data.path() / "QTR6.DAT"));
}

}  // namespace
}  // namespace dv
