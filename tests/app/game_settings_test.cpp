// QTR.ini: reading the player's settings, writing them back crash-safely, file names as the
// settings give them, and which music file each scene asks for.

#include "core/game_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "core/data/names.h"
#include "core/game.h"
#include "core/music.h"
#include "support/game_harness.h"

namespace dv {
namespace {

using test::TempDir;

std::string readText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeText(const std::filesystem::path& p, const std::string& text) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << text;
}

class SettingsFileTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<Game> game = std::make_unique<Game>();
    void SetUp() override { game->programDir = dir.path(); }
    std::filesystem::path ini() const { return dir.path() / "QTR.ini"; }
};

TEST_F(SettingsFileTest, WithoutAFileEverySceneIsSilentAndOnlyTheHelpIsOn) {
    ReadSettings(*game);
    for (int scene = 0; scene < kMusicSlots; ++scene)
        EXPECT_TRUE(game->options.musicFiles[static_cast<size_t>(scene)].empty()) << scene;
    EXPECT_EQ(game->options.drawMode, 0);
    EXPECT_EQ(game->options.showEmptySearch, 0);
    EXPECT_EQ(game->options.battleHelpWindow, 1);
    EXPECT_FALSE(std::filesystem::exists(ini())) << "reading never creates the file";
}

TEST_F(SettingsFileTest, ScenesReadTheirKeysAndOnlyTheTitleIsTrimmedAtTheEnd) {
    writeText(ini(),
              "[ＢＧＭ]\n"
              "タイトル=  title.mid  \n"
              "城下= town.mid  \n"
              "エンカウント=meet.ogg\n"
              "[ダンジョン]\n"
              "描画=1\n"
              "何かを探す=1\n"
              "戦闘中ヘルプウィンド=0\n");
    ReadSettings(*game);
    const GameSettings& s = game->options;
    EXPECT_EQ(s.musicFiles[1], "title.mid");
    EXPECT_EQ(s.musicFiles[2], "town.mid  ") << "leading blanks go, trailing ones stay";
    EXPECT_EQ(s.musicFiles[19], "meet.ogg");
    EXPECT_TRUE(s.musicFiles[3].empty());
    EXPECT_EQ(s.drawMode, 1);
    EXPECT_EQ(s.showEmptySearch, 1);
    EXPECT_EQ(s.battleHelpWindow, 0);
}

TEST_F(SettingsFileTest, NumbersAreDecimalTextRoundedAndOutOfChoiceValuesAreOff) {
    struct Case {
        const char* draw;
        const char* search;
        const char* help;
        int drawMode, showEmptySearch, battleHelpWindow;
    };
    const Case cases[] = {
        {"2", "0", "1", 2, 0, 1},
        {"1.6", "0.7", "1.2", 2, 1, 1},
        {"abc", "x1", "", 0, 0, 0},
        {"7", "2", "-1", 0, 0, 0},
        {"99999999999999999999999", "1e400", "nan", 0, 0, 0},
        {"1abc", " 1 ", "\t1", 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.draw);
        writeText(ini(), std::string("[ダンジョン]\n描画=") + c.draw + "\n何かを探す=" + c.search +
                             "\n戦闘中ヘルプウィンド=" + c.help + "\n");
        ReadSettings(*game);
        EXPECT_EQ(game->options.drawMode, c.drawMode);
        EXPECT_EQ(game->options.showEmptySearch, c.showEmptySearch);
        EXPECT_EQ(game->options.battleHelpWindow, c.battleHelpWindow);
    }
}

TEST_F(SettingsFileTest, UnknownKeysAndCodePage932SurviveAWrite) {
    const std::string text =
        "; the player's notes\n"
        "[ＢＧＭ]\n"
        "タイトル=曲.mid\n"
        "[自分の]\n"
        "何か=そのまま\n";
    writeText(ini(), Utf8ToCp932(text));
    ReadSettings(*game);
    EXPECT_EQ(game->options.musicFiles[1], "曲.mid");
    game->options.drawMode = 1;
    ASSERT_TRUE(WriteSettings(*game, {{"スライム", "slime.png"}}));
    const std::string written = Cp932ToUtf8(readText(ini()));
    EXPECT_NE(readText(ini()), written) << "written back in code page 932";
    EXPECT_NE(written.find("; the player's notes\n"), std::string::npos);
    EXPECT_NE(written.find("[自分の]\n何か=そのまま\n"), std::string::npos);
    EXPECT_NE(written.find("描画=1\n"), std::string::npos);
    EXPECT_NE(written.find("[画像]\nスライム=slime.png\n"), std::string::npos);
}

TEST_F(SettingsFileTest, WritesInTheOrderOfTheWindowAndReadsBackTheSame) {
    GameSettings& s = game->options;
    ReadSettings(*game);
    s.musicFiles[1] = "a.mid";
    s.musicFiles[19] = "/music/z.mid";
    s.showEmptySearch = 1;
    ASSERT_TRUE(WriteSettings(*game, {{"一", "1.png"}, {"二", ""}}));
    const std::string text = readText(ini());
    EXPECT_LT(text.find("何かを探す=1"), text.find("描画=0"));
    EXPECT_LT(text.find("描画=0"), text.find("戦闘中ヘルプウィンド=1"));
    EXPECT_NE(text.find("タイトル=a.mid\n城下=\n"), std::string::npos);
    EXPECT_NE(text.find("[画像]\n一=1.png\n二=\n"), std::string::npos);

    auto again = std::make_unique<Game>();
    again->programDir = dir.path();
    ReadSettings(*again);
    EXPECT_EQ(again->options.musicFiles, s.musicFiles);
    EXPECT_EQ(again->options.showEmptySearch, 1);
    EXPECT_EQ(MonsterPictureSetting(*again, "一"), "1.png");
}

TEST_F(SettingsFileTest, AFailedWriteLeavesTheOldFile) {
    writeText(ini(), "[ダンジョン]\n描画=2\n");
    ReadSettings(*game);
    game->options.drawMode = 0;
    WriteFaults faults;
    faults.failAfterBytes = 5;
    std::string error;
    EXPECT_FALSE(WriteSettings(*game, {}, &error, faults));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readText(ini()), "[ダンジョン]\n描画=2\n");
}

TEST_F(SettingsFileTest, AnOversizedFileIsNeitherReadNorOverwritten) {
    std::string big = "[ダンジョン]\n描画=1\n[ゴミ]\n";
    big += "x=" + std::string(kMaxSettingsFileSize, 'a') + "\n";
    writeText(ini(), big);
    ReadSettings(*game);
    EXPECT_EQ(game->options.drawMode, 0);
    std::string error;
    EXPECT_FALSE(WriteSettings(*game, {}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readText(ini()).size(), big.size());
}

TEST_F(SettingsFileTest, ValuesThatCannotStandOnOneLineAreNotWritten) {
    ReadSettings(*game);
    game->options.musicFiles[2] = "evil\n[ダンジョン]\n描画=1";
    game->options.musicFiles[3] = std::string(kMaxPathLength + 1, 'a');
    ASSERT_TRUE(WriteSettings(*game, {{"a=b", "x.png"}, {"[x", "y.png"}, {"ok", "a\rb"}}));
    ReadSettings(*game);
    EXPECT_EQ(game->options.drawMode, 0);
    EXPECT_TRUE(game->options.musicFiles[2].empty());
    EXPECT_TRUE(game->options.musicFiles[3].empty());
    EXPECT_TRUE(MonsterPictureSetting(*game, "a").empty());
    EXPECT_TRUE(MonsterPictureSetting(*game, "ok").empty());
    const std::string text = readText(ini());
    EXPECT_EQ(text.find("[x"), std::string::npos);
}

TEST_F(SettingsFileTest, FileNamesResolveInTheGameFolder) {
    writeText(dir.path() / "Music" / "Town.MID", "x");
    writeText(dir.path() / "pic.png", "x");
    const auto& d = dir.path();
    EXPECT_EQ(ResolveGamePath(d, "pic.png"), d / "pic.png");
    EXPECT_EQ(ResolveGamePath(d, "Music/Town.MID"), d / "Music" / "Town.MID");
    EXPECT_EQ(ResolveGamePath(d, "Music\\Town.MID"), d / "Music" / "Town.MID");
    EXPECT_EQ(ResolveGamePath(d, "Music/town.mid"), d / "Music" / "Town.MID");
    EXPECT_EQ(ResolveGamePath(d, (d / "pic.png").string()), d / "pic.png");
    EXPECT_TRUE(ResolveGamePath(d, "").empty());
    EXPECT_TRUE(ResolveGamePath(d, std::string(kMaxPathLength + 1, 'a')).empty());
    // A drive letter names no file here: it simply is not found.
    EXPECT_FALSE(std::filesystem::exists(ResolveGamePath(d, "C:\\Music\\town.mid")));
}

TEST_F(SettingsFileTest, MonsterPicturesComeFromTheirSectionTrimmed) {
    writeText(ini(), "[画像]\nスライム=  slime.png  \nゴブリン=\n");
    writeText(dir.path() / "slime.png", "x");
    ReadSettings(*game);
    EXPECT_EQ(MonsterPicturePath(*game, "スライム"), dir.path() / "slime.png");
    EXPECT_TRUE(MonsterPicturePath(*game, "ゴブリン").empty());
    EXPECT_TRUE(MonsterPicturePath(*game, "だれか").empty());
    EXPECT_TRUE(MonsterPicturePath(*game, "").empty());
}

TEST_F(SettingsFileTest, EachSceneAsksForItsOwnFileAndEveryCallRestarts) {
    std::string text = "[ＢＧＭ]\n";
    for (int scene = 1; scene <= kMusicScenes; ++scene)
        text += std::string(SceneKey(scene)) + "=s" + std::to_string(scene) + ".mid\n";
    writeText(ini(), text);
    ReadSettings(*game);
    SilentMusic music;
    game->music = &music;
    for (int scene = 1; scene <= kMusicScenes; ++scene) {
        PlayScene(*game, scene);
        EXPECT_EQ(music.files.back(), dir.path() / ("s" + std::to_string(scene) + ".mid"));
        EXPECT_EQ(game->options.currentMusicFile, "s" + std::to_string(scene) + ".mid");
    }
    PlayScene(*game, 5);
    PlayScene(*game, 5);
    EXPECT_EQ(music.scenes.back(), 5);
    EXPECT_EQ(music.scenes[music.scenes.size() - 2], 5) << "the same scene is asked for again";
    // Scene 0, the scenes without a key and numbers outside 0..50 are silence.
    for (int scene : {0, 20, 50, 51, -1, 1000}) {
        PlayScene(*game, scene);
        EXPECT_TRUE(music.files.back().empty()) << scene;
        EXPECT_TRUE(game->options.currentMusicFile.empty()) << scene;
    }
    StopMusic(*game);
    EXPECT_EQ(music.scenes.back(), 0);
}

}  // namespace
}  // namespace dv
