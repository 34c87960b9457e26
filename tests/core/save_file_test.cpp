#include "core/data/save_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include <memory>

#include "core/data/names.h"
#include "core/data/record_io.h"
#include "core/data/save_folder.h"
#include "test_support.h"

namespace dv {
namespace {

using test::ScratchDir;

const std::string kFiftyWide =
    "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン"
    "ガギグゲ";

class SaveFileTest : public ::testing::Test {
  protected:
    std::filesystem::path savePath() const { return dir.path() / "QTR1.DAT"; }

    Character& addCharacter(int slot, const std::string& name) {
        Character& c = save->roster[slot];
        c.rosterId = slot;
        c.name = name;
        c.level = 3;
        c.gold = 1234.5;
        c.items[1] = {25, 1, 1};
        c.reserved174 = {1, 2, 3, 4};
        return c;
    }

    std::unique_ptr<SaveData> loadFresh() {
        auto loaded = std::make_unique<SaveData>();
        const LoadReport report = LoadSave(*loaded, dir.path());
        EXPECT_TRUE(report.ok) << report.message;
        return loaded;
    }

    ScratchDir dir;
    std::unique_ptr<SaveData> save = std::make_unique<SaveData>();
};

TEST_F(SaveFileTest, AMissingFileIsANewGameAndNothingIsCreated) {
    save->roster[3].rosterId = 3;
    const LoadReport report = LoadSave(*save, dir.path());
    EXPECT_TRUE(report.ok);
    EXPECT_TRUE(report.message.empty());
    EXPECT_EQ(save->roster[3].rosterId, 0);
    EXPECT_FALSE(std::filesystem::exists(savePath()));
}

TEST_F(SaveFileTest, NamesAndStateComeBackUnchanged) {
    ASSERT_EQ(CharacterCount(kFiftyWide), 50u);
    addCharacter(1, kFiftyWide);
    addCharacter(2, "ﾀﾞﾙ・Ｖｅｎ ｏｒ-3号");  // half-width kana, full-width, ASCII
    addCharacter(50, "A");
    save->eventFlags[19] = 4;
    save->lunaPhase = 479;
    save->artemisPhase = 12;
    save->defeatedCounts[2000] = 7;
    save->itemFoundCounts[1] = -1;
    save->shopStock[657] = -1;
    save->chestSpots(50, 5) = 9;
    ASSERT_TRUE(WriteSaveFile(*save, dir.path()).ok);
    EXPECT_EQ(std::filesystem::file_size(savePath()), kSaveFileSize);

    const auto loaded = loadFresh();
    EXPECT_TRUE(*loaded == *save);
    EXPECT_EQ(loaded->roster[1].name, kFiftyWide);
    EXPECT_EQ(loaded->roster[2].name, "ﾀﾞﾙ・Ｖｅｎ ｏｒ-3号");
}

TEST_F(SaveFileTest, EverySaveHasTheSameLengthAndEmptyTexts) {
    addCharacter(1, "ながいなまえ");
    save->roster[1].altName = "使われない";
    ASSERT_TRUE(WriteSaveFile(*save, dir.path()).ok);
    EXPECT_EQ(std::filesystem::file_size(savePath()), kSaveFileSize);
    const auto bytes = test::readBytes(savePath());
    const std::size_t slot1 = 25032 + 2022;
    EXPECT_EQ(bytes[slot1 + 110], 0);  // name length
    EXPECT_EQ(bytes[slot1 + 111], 0);
    // The names in memory are untouched by the save.
    EXPECT_EQ(save->roster[1].name, "ながいなまえ");
}

TEST_F(SaveFileTest, SlotZeroInTheFileHasNoEffect) {
    addCharacter(1, "ONE");
    ASSERT_TRUE(WriteSaveFile(*save, dir.path()).ok);
    auto bytes = test::readBytes(savePath());
    bytes[25032] = 9;         // slot 0 rosterId
    bytes[25032 + 8] = 0x24;  // slot 0 name code
    test::writeBytes(savePath(), bytes);
    const auto loaded = loadFresh();
    EXPECT_TRUE(loaded->roster[0] == Character{});
    EXPECT_EQ(loaded->roster[1].name, "ONE");
}

TEST_F(SaveFileTest, AnUnchangedRosterKeepsEveryStoredCode) {
    auto codes = save->roster[1].nameCodes;
    // "A", a zero in the middle, a code CP932 does not define, and a character with two
    // CP932 codes (0x8790 and 0x81E0 are the same sign).
    codes[1] = static_cast<std::int16_t>(0x41 ^ kNameCodeKey);
    codes[2] = 0;
    codes[3] = static_cast<std::int16_t>(0x85A0 ^ kNameCodeKey);
    codes[4] = static_cast<std::int16_t>(0x8790 ^ kNameCodeKey);
    save->roster[1].nameCodes = codes;
    save->roster[1].rosterId = 1;
    std::vector<std::uint8_t> original = BuildSaveImage(*save);
    test::writeBytes(savePath(), original);

    const auto loaded = loadFresh();
    EXPECT_EQ(loaded->roster[1].name.substr(0, 1), "A");
    ASSERT_TRUE(WriteSaveFile(*loaded, dir.path()).ok);
    EXPECT_EQ(test::readBytes(savePath()), original);

    // A renamed character gets fresh codes.
    loaded->roster[1].name = "B";
    ASSERT_TRUE(WriteSaveFile(*loaded, dir.path()).ok);
    EXPECT_EQ(loadFresh()->roster[1].nameCodes[1], static_cast<std::int16_t>(0x42 ^ kNameCodeKey));
    EXPECT_EQ(loadFresh()->roster[1].nameCodes[2], 0);
}

TEST_F(SaveFileTest, AnErasedCharacterIsStoredWithZeroCodes) {
    addCharacter(4, "消える人");
    ASSERT_TRUE(WriteSaveFile(*save, dir.path()).ok);
    save->roster[4] = save->roster[0];
    ASSERT_TRUE(WriteSaveFile(*save, dir.path()).ok);
    const auto loaded = loadFresh();
    EXPECT_EQ(loaded->roster[4].rosterId, 0);
    EXPECT_EQ(loaded->roster[4].name, "");
}

TEST_F(SaveFileTest, AnInterruptedSaveLeavesThePreviousFile) {
    addCharacter(1, "最初");
    ASSERT_TRUE(WriteSaveFile(*save, dir.path()).ok);
    const auto before = test::readBytes(savePath());

    addCharacter(2, "二番目");
    const SaveReport report = WriteSaveFile(*save, dir.path(), {kSaveFileSize / 2});
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(test::readBytes(savePath()), before);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "QTR1.DAT.tmp"));
    EXPECT_EQ(save->roster[2].name, "二番目");  // names in memory survive the failure

    EXPECT_TRUE(WriteSaveFile(*save, dir.path()).ok);
    EXPECT_EQ(loadFresh()->roster[2].name, "二番目");
}

TEST_F(SaveFileTest, AFailedSaveSaysWhyAndWhichFile) {
    struct Case {
        int error;
        const char* reason;
    };
    const Case cases[] = {{ENOSPC, "ディスクの空きがありません"},
                          {EACCES, "書き込みが許されていません"},
                          {EROFS, "読み取り専用の場所です"},
                          {0, "ディスクの読み書きに失敗しました"}};
    for (const Case& c : cases) {
        const SaveReport report = WriteSaveFile(*save, dir.path(), {kSaveFileSize / 3, c.error});
        EXPECT_FALSE(report.ok);
        EXPECT_EQ(report.message,
                  std::string("セーブできませんでした\n") + c.reason + "\n" + savePath().string());
    }
    const SaveReport missing = WriteSaveFile(*save, dir.path() / "no-such-dir");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, "セーブできませんでした\nフォルダがありません\n" +
                                   (dir.path() / "no-such-dir" / "QTR1.DAT").string());

    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const SaveReport readOnly = WriteSaveFile(*save, dir.path());
    EXPECT_FALSE(readOnly.ok);
    EXPECT_NE(readOnly.message.find("書き込みが許されていません"), std::string::npos);
}

TEST_F(SaveFileTest, EveryDamagedSaveIsKeptUnderANameOfItsOwn) {
    addCharacter(1, "残る人");
    std::vector<std::uint8_t> first = BuildSaveImage(*save);
    first.resize(100000);
    test::writeBytes(savePath(), first);

    auto loaded = std::make_unique<SaveData>();
    LoadReport report = LoadSave(*loaded, dir.path());
    EXPECT_TRUE(report.ok);
    EXPECT_NE(report.message.find("QTR1.DAT.bak"), std::string::npos);
    EXPECT_EQ(test::readBytes(dir.path() / "QTR1.DAT.bak"), first);
    EXPECT_EQ(loaded->roster[1].name, "残る人");  // what was there is read

    // The same damaged file again (the game ended before saving): no second copy.
    report = LoadSave(*loaded, dir.path());
    EXPECT_NE(report.message.find("QTR1.DAT.bak"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "QTR1.DAT.bak2"));

    // A second and a third damaged file get names of their own; no copy is replaced.
    const std::vector<std::uint8_t> second(10, 1), third(20, 2);
    test::writeBytes(savePath(), second);
    report = LoadSave(*loaded, dir.path());
    EXPECT_TRUE(report.ok);
    EXPECT_NE(report.message.find("QTR1.DAT.bak2"), std::string::npos) << report.message;
    test::writeBytes(savePath(), third);
    report = LoadSave(*loaded, dir.path());
    EXPECT_NE(report.message.find("QTR1.DAT.bak3"), std::string::npos) << report.message;
    EXPECT_EQ(test::readBytes(dir.path() / "QTR1.DAT.bak"), first);
    EXPECT_EQ(test::readBytes(dir.path() / "QTR1.DAT.bak2"), second);
    EXPECT_EQ(test::readBytes(dir.path() / "QTR1.DAT.bak3"), third);
}

TEST_F(SaveFileTest, AnEmptyFileIsANewGameWithoutMessage) {
    test::writeBytes(savePath(), {});
    const LoadReport report = LoadSave(*save, dir.path());
    EXPECT_TRUE(report.ok);
    EXPECT_TRUE(report.message.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "QTR1.DAT.bak"));
}

TEST_F(SaveFileTest, StepClocksAreBroughtIntoRange) {
    save->lunaPhase = 700;
    save->artemisPhase = -1;
    test::writeBytes(savePath(), BuildSaveImage(*save));
    const auto loaded = loadFresh();
    EXPECT_EQ(loaded->lunaPhase, 700 % 480);
    EXPECT_EQ(loaded->artemisPhase, 639);
}

TEST_F(SaveFileTest, OutOfRangeNumbersAreWrittenBackUnchanged) {
    Character& c = addCharacter(1, "X");
    c.items[2] = {2500, 0, 1};
    c.partyPosition = 200;
    ASSERT_TRUE(WriteSaveFile(*save, dir.path()).ok);
    const auto loaded = loadFresh();
    EXPECT_EQ(loaded->roster[1].items[2].itemId, 2500);
    EXPECT_EQ(loaded->roster[1].partyPosition, 200);
}

TEST(SaveFolder, AReadOnlyGameFolderSavesInTheDataFolder) {
    ScratchDir root;
    const std::filesystem::path game = root.path() / "game", data = root.path() / "data";
    std::filesystem::create_directories(game);
    const auto readOnlyGame = [&](const std::filesystem::path& p) { return p != game; };
    const std::vector<std::uint8_t> shipped(kSaveFileSize, 3), later(kSaveFileSize, 4);

    // A writable game folder keeps its save, and nothing else is made.
    SaveFolder f = ChooseSaveFolder(game, data, [](const std::filesystem::path&) { return true; });
    EXPECT_EQ(f.dir, game);
    EXPECT_TRUE(f.ok);
    EXPECT_TRUE(f.notice.empty());
    EXPECT_FALSE(std::filesystem::exists(data));

    // Read-only with nothing saved yet: the data folder is made and the player told once.
    f = ChooseSaveFolder(game, data, readOnlyGame);
    EXPECT_EQ(f.dir, data);
    EXPECT_TRUE(f.ok);
    EXPECT_NE(f.notice.find(data.string()), std::string::npos) << f.notice;
    EXPECT_TRUE(std::filesystem::is_directory(data));
    std::filesystem::remove_all(data);

    // The save shipped beside the executable is copied there once.
    test::writeBytes(game / "QTR1.DAT", shipped);
    f = ChooseSaveFolder(game, data, readOnlyGame);
    EXPECT_EQ(f.dir, data);
    EXPECT_NE(f.notice.find("写しました"), std::string::npos) << f.notice;
    EXPECT_EQ(test::readBytes(data / "QTR1.DAT"), shipped);

    // Later starts look there first: the data folder's save is used as it is, silently.
    test::writeBytes(data / "QTR1.DAT", later);
    f = ChooseSaveFolder(game, data, readOnlyGame);
    EXPECT_EQ(f.dir, data);
    EXPECT_TRUE(f.notice.empty());
    EXPECT_EQ(test::readBytes(data / "QTR1.DAT"), later);

    // A data folder that cannot be made stops the game with a message.
    test::writeBytes(root.path() / "file", {1});
    f = ChooseSaveFolder(game, root.path() / "file" / "dalvenor", readOnlyGame);
    EXPECT_FALSE(f.ok);
    EXPECT_FALSE(f.notice.empty());
}

TEST(SaveFolder, TheDataFolderFollowsXdgDataHome) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string kept = old ? old : "";
    ::setenv("XDG_DATA_HOME", "/somewhere/data", 1);
    EXPECT_EQ(DefaultDataFolder(), std::filesystem::path("/somewhere/data/dalvenor"));
    ::unsetenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(DefaultDataFolder(), std::filesystem::path(home) / ".local/share/dalvenor");
    }
    if (old) ::setenv("XDG_DATA_HOME", kept.c_str(), 1);
}

}  // namespace
}  // namespace dv
