// The settings window from the outskirts and its file picker, driven by keys: a music file
// chosen in the picker, the drawing option and the view drawn in the new mode, monster
// pictures, and what QTR.ini holds after a restart.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/game_settings.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/window_of.h"
#include "dungeon/view.h"
#include "support/game_harness.h"
#include "town/config_window.h"
#include "town/file_open_window.h"
#include "ui/keys.h"
#include "ui/png.h"

namespace dv {
namespace {

using test::GameHarness;

std::string readText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeText(const std::filesystem::path& p, const std::string& text) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

ConfigWindow& config(GameHarness& h) {
    return WindowOf<ConfigWindow>(h.game());
}
FileOpenWindow& picker(GameHarness& h) {
    return WindowOf<FileOpenWindow>(h.game());
}

std::vector<std::string> rows(const ListEx& l) {
    std::vector<std::string> out;
    for (int i = 0; i < l.listCount(); ++i)
        out.push_back(l.list(i));
    return out;
}

// From the castle town: the outskirts, then "F)設 定".
void openSettings(GameHarness& h) {
    h.script().key('E').key('F').check([&] {
        ASSERT_TRUE(config(h).isModal());
        EXPECT_EQ(h.game().menuState, 9);
    });
}

void tabs(GameHarness& h, int n, bool back = false) {
    for (int i = 0; i < n; ++i)
        h.script().key(keys::Tab, back ? shiftbits::Shift : 0);
}

TEST(SettingsWindow, AMusicFileChosenInThePickerIsSavedForItsScene) {
    GameHarness h;
    const auto music = h.gameDir() / "music";
    writeText(music / "theme.MID", "MThd");
    writeText(music / "notes.txt", "x");
    std::filesystem::create_directories(music / "sub");
    const std::string chosen = (music / "theme.MID").string();
    h.startToTown();
    openSettings(h);
    h.script().check([&] {
        ConfigWindow& c = config(h);
        EXPECT_EQ(c.focused(), &c.cboBGM);
        EXPECT_EQ(c.cboBGM.text(), "タイトル");
        EXPECT_EQ(c.txtFile.text(), "");
    });
    h.script().key(keys::Down).check([&] { EXPECT_EQ(config(h).cboBGM.text(), "城下町"); });
    tabs(h, 2);
    h.script().check([&] { EXPECT_EQ(config(h).focused(), &config(h).cmdBGMFile); });
    h.script().key(keys::Space).check([&] {
        FileOpenWindow& p = picker(h);
        ASSERT_TRUE(p.isModal());
        EXPECT_EQ(p.folder(), h.gameDir()) << "the picker starts in the game folder";
        EXPECT_EQ(rows(p.drl), (std::vector<std::string>{"..（上のフォルダ）", "music/"}));
        EXPECT_EQ(p.fll.listCount(), 0);
    });
    // Into the folder: the file list shows only music files, whatever their case.
    tabs(h, 1, true);
    h.script().key(keys::Down).key(keys::Enter).check([&] {
        FileOpenWindow& p = picker(h);
        EXPECT_EQ(p.folder(), music);
        EXPECT_EQ(rows(p.drl), (std::vector<std::string>{"..（上のフォルダ）", "sub/"}));
        EXPECT_EQ(rows(p.fll), std::vector<std::string>{"theme.MID"});
    });
    tabs(h, 1);
    h.script().key(keys::Down).check([&] { EXPECT_EQ(picker(h).txtFile.text(), "theme.MID"); });
    h.script().key(keys::Enter).check([&] {
        ConfigWindow& c = config(h);
        EXPECT_FALSE(picker(h).visible());
        EXPECT_EQ(c.txtFile.text(), chosen);
        EXPECT_EQ(c.workingMusic(2), chosen);
        EXPECT_TRUE(h.game().options.musicFiles[2].empty()) << "nothing changes before OK";
    });
    // Back to the first scene and again to the second: each shows its own file.
    tabs(h, 2, true);
    h.script().key(keys::Up).check([&] { EXPECT_EQ(config(h).txtFile.text(), ""); });
    h.script().key(keys::Down).check([&] { EXPECT_EQ(config(h).txtFile.text(), chosen); });
    tabs(h, 2, true);  // from the chooser back round to OK
    h.script().check([&] { EXPECT_EQ(config(h).focused(), &config(h).cmdOK); });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_FALSE(config(h).visible());
    EXPECT_EQ(h.game().options.musicFiles[2], chosen);
    EXPECT_NE(readText(h.gameDir() / "QTR.ini").find("城下=" + chosen + "\n"), std::string::npos);
    EXPECT_EQ(h.app().music().scenes.back(), 3) << "the music that plays is not changed";

    h.restart();
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.game().options.musicFiles[2], chosen);
    EXPECT_EQ(MusicFilePath(h.game(), 2), music / "theme.MID");
}

TEST(SettingsWindow, CancelledPickersAndEmptyNamesChangeNothing) {
    GameHarness h;
    writeText(h.gameDir() / "QTR.ini", "[ＢＧＭ]\n城下=old.mid\n");
    const std::string before = readText(h.gameDir() / "QTR.ini");
    h.startToTown();
    openSettings(h);
    h.script().key(keys::Down).check([&] { EXPECT_EQ(config(h).txtFile.text(), "old.mid"); });
    // B on the chooser opens the picker; Esc cancels it.
    h.script().key('B').check([&] { EXPECT_TRUE(picker(h).isModal()); });
    h.script().key(keys::Esc).check([&] {
        EXPECT_FALSE(picker(h).visible());
        EXPECT_EQ(config(h).workingMusic(2), "old.mid");
    });
    // OK without a file name returns nothing, like Cancel.
    h.script().key('B').key(keys::Tab).key(keys::Enter).check([&] {
        EXPECT_FALSE(picker(h).visible());
        EXPECT_EQ(config(h).workingMusic(2), "old.mid");
        EXPECT_EQ(config(h).txtFile.text(), "old.mid");
    });
    // "ＢＧＭ無し" empties the working file; Cancel drops the change.
    tabs(h, 3);
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(config(h).workingMusic(2), "");
        EXPECT_EQ(config(h).txtFile.text(), "");
    });
    h.script().key(keys::Esc);
    h.run();
    EXPECT_FALSE(config(h).visible());
    EXPECT_EQ(h.game().options.musicFiles[2], "old.mid");
    EXPECT_EQ(readText(h.gameDir() / "QTR.ini"), before);
}

// The middle of the view, below the overlay's lines and between the moons.
bool sameMiddle(const Canvas& a, const Canvas& b) {
    for (int y = 160; y < 320; ++y)
        for (int x = 60; x < 580; ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

TEST(SettingsWindow, TheDrawingOptionRedrawsTheViewInTheNewMode) {
    GameHarness h;
    h.copyPictures();
    h.startToTown();
    auto standInTheMaze = [&] {
        Place& p = h.game().place;
        p.currentDungeon = 21;
        p.currentFloor = 1;
        p.partyX = 5;
        p.partyY = 5;
        p.facing = 0;
    };
    auto lines = [&] {
        Canvas c(640, 480);
        DrawLines(c, ComputeSlots(h.game()));
        return c;
    };
    auto pictures = [&] {
        Canvas work(640, 436), c(640, 480);
        DrawPictures(work, ComputeSlots(h.game()), h.game().dungeon.pictures);
        StretchView(c, work);
        return c;
    };
    h.script().check([&] {
        EXPECT_EQ(h.game().options.drawMode, 0);
        standInTheMaze();
        Redraw(h.game());
        EXPECT_TRUE(sameMiddle(h.game().screens->main->picMap.surface(), lines()));
        ASSERT_FALSE(sameMiddle(lines(), pictures()));
    });
    openSettings(h);
    // W ticks "面画にする" from anywhere a letter types nothing.
    h.script().key('W').check([&] { EXPECT_TRUE(config(h).chkDraw.checked()); });
    // Enter takes the default button, OK.
    h.script().key(keys::Enter).check([&] {
        EXPECT_FALSE(config(h).visible());
        EXPECT_EQ(h.game().options.drawMode, 1);
        standInTheMaze();
        Redraw(h.game());
        EXPECT_TRUE(sameMiddle(h.game().screens->main->picMap.surface(), pictures()));
    });
    h.run();
    const std::string text = readText(h.gameDir() / "QTR.ini");
    EXPECT_NE(text.find("描画=1\n"), std::string::npos);
    EXPECT_NE(text.find("何かを探す=0\n"), std::string::npos);
    EXPECT_NE(text.find("戦闘中ヘルプウィンド=1\n"), std::string::npos);
    EXPECT_EQ(text.find("[画像]"), std::string::npos) << "no monster defeated, no picture keys";

    // After a restart the view starts in the saved mode; unticking goes back to lines.
    h.restart();
    h.startToTown();
    h.script().check([&] { EXPECT_EQ(h.game().options.drawMode, 1); });
    openSettings(h);
    h.script().check([&] { EXPECT_TRUE(config(h).chkDraw.checked()); });
    h.script().key('W').key(keys::Enter).check([&] {
        standInTheMaze();
        Redraw(h.game());
        EXPECT_TRUE(sameMiddle(h.game().screens->main->picMap.surface(), lines()));
    });
    h.run();
    EXPECT_EQ(h.game().options.drawMode, 0);
}

TEST(SettingsWindow, TheFallbackSettingOfAnEditedFileStaysWhileTheBoxStaysTicked) {
    GameHarness h;  // no pictures: the fallback setting says nothing about them
    writeText(h.gameDir() / "QTR.ini", "[ダンジョン]\n描画=2\n何かを探す=1\n");
    h.startToTown();
    openSettings(h);
    h.script().check([&] {
        EXPECT_TRUE(config(h).chkDraw.checked());
        EXPECT_TRUE(config(h).chkFindMessage.checked());
        EXPECT_TRUE(config(h).chkBattleHelp.checked());
    });
    h.script().key('H').key(keys::Enter);  // the help window off, then OK
    h.run();
    EXPECT_EQ(h.game().options.drawMode, 2);
    EXPECT_EQ(h.game().options.battleHelpWindow, 0);
    const std::string text = readText(h.gameDir() / "QTR.ini");
    EXPECT_NE(text.find("描画=2\n"), std::string::npos);
    EXPECT_NE(text.find("戦闘中ヘルプウィンド=0\n"), std::string::npos);
}

TEST(SettingsWindow, PicturesOfDefeatedMonstersEachNameOnce) {
    GameHarness h;
    Canvas slime(8, 8, rgb(0, 200, 0));
    ASSERT_TRUE(savePng(slime, (h.gameDir() / "slime.png").string()));
    writeText(h.gameDir() / "bad.png", "not a picture");
    h.startToTown();
    h.script().check([&] {
        Game& g = h.game();
        auto& t = g.db.monsterTable;
        t[3].name = "スライム";
        t[7].name = "ゴブリン";
        t[9].name = "スライム";  // a second record of the same name
        t[11].name = "オーク";   // never defeated
        g.save.defeatedCounts[3] = 1;
        g.save.defeatedCounts[7] = 2;
        g.save.defeatedCounts[9] = 1;
    });
    openSettings(h);
    h.script().check([&] {
        ConfigWindow& c = config(h);
        EXPECT_EQ(rows(c.lst), (std::vector<std::string>{"スライム", "ゴブリン"}));
        EXPECT_EQ(c.lst.listIndex(), -1);
        EXPECT_FALSE(c.txtName.enabled()) << "no monster chosen: nothing to type into";
        EXPECT_FALSE(c.Command1.enabled());
    });
    tabs(h, 7);  // to the monster list
    h.script().check([&] { EXPECT_EQ(config(h).focused(), &config(h).lst); });
    h.script().key(keys::Down).key(keys::Tab).text("slime.png").check([&] {
        ConfigWindow& c = config(h);
        EXPECT_EQ(c.workingPictures(), (std::vector<std::string>{"slime.png", ""}));
        EXPECT_EQ(c.lblPreview.caption(), "8×8");
        EXPECT_EQ(c.picPreview.surface().pixel(60, 48), rgb(0, 200, 0));
    });
    h.script().key(keys::Tab, shiftbits::Shift).key(keys::Down).key(keys::Tab).text("bad.png");
    h.script().check([&] {
        EXPECT_NE(config(h).lblPreview.caption().find("画像として読めません"), std::string::npos);
    });
    // Back on the first row its own picture shows again.
    h.script().key(keys::Tab, shiftbits::Shift).key(keys::Up).check([&] {
        EXPECT_EQ(config(h).txtName.text(), "slime.png");
    });
    tabs(h, 4);  // the picture's name, the picker, "画像無し", OK
    h.script().check([&] { EXPECT_EQ(config(h).focused(), &config(h).cmdOK); });
    h.script().key(keys::Enter);
    h.run();
    const std::string text = readText(h.gameDir() / "QTR.ini");
    EXPECT_NE(text.find("[画像]\nスライム=slime.png\nゴブリン=bad.png\n"), std::string::npos)
        << text;
    h.restart();
    ASSERT_TRUE(h.start());
    EXPECT_EQ(MonsterPicturePath(h.game(), "スライム"), h.gameDir() / "slime.png");
    EXPECT_EQ(MonsterPictureSetting(h.game(), "ゴブリン"), "bad.png");
}

TEST(SettingsWindow, AFailedWriteSaysSoAndLeavesTheFile) {
    GameHarness h;
    writeText(h.gameDir() / "QTR.ini", "[ダンジョン]\n描画=0\n");
    // The temporary file cannot be made where a folder of its name stands.
    std::filesystem::create_directories(h.gameDir() / "QTR.ini.tmp");
    h.startToTown();
    openSettings(h);
    h.script().key('W').key(keys::Enter).check([&] {
        bool told = false;
        for (const std::string& t : h.texts())
            told = told || t.find("設定を保存できませんでした") != std::string::npos;
        EXPECT_TRUE(told);
    });
    h.script().key(keys::Space);
    h.run();
    EXPECT_EQ(readText(h.gameDir() / "QTR.ini"), "[ダンジョン]\n描画=0\n");
    EXPECT_EQ(h.game().options.drawMode, 1) << "the setting holds for this run";
}

TEST(FilePicker, PatternsMatchWithoutRegardToCase) {
    EXPECT_TRUE(MatchesPattern("a.mid", "*.mid"));
    EXPECT_TRUE(MatchesPattern("A.MID", "*.mid"));
    EXPECT_TRUE(MatchesPattern("曲.Mid", "*.mid"));
    EXPECT_FALSE(MatchesPattern("a.midx", "*.mid"));
    EXPECT_FALSE(MatchesPattern("mid", "*.mid"));
    EXPECT_TRUE(MatchesPattern("x.gif", "*.bmp;*.jpg; *.gif"));
    EXPECT_TRUE(MatchesPattern("ab.c", "a?.c"));
    EXPECT_FALSE(MatchesPattern("a.bmp", ""));
}

TEST(FilePicker, FoldersListTheirSubFoldersAndMatchingFilesSorted) {
    test::TempDir dir;
    const auto& d = dir.path();
    writeText(d / "b.mid", "");
    writeText(d / "A.MID", "");
    writeText(d / "c.txt", "");
    writeText(d / ".hidden.mid", "");
    writeText(d / "line\nbreak.mid", "");
    std::filesystem::create_directories(d / "Zeta");
    std::filesystem::create_directories(d / "alpha");
    std::filesystem::create_directories(d / ".cache");
    FolderListing l = ListFolder(d, "*.mid");
    EXPECT_TRUE(l.readable);
    EXPECT_EQ(l.folders, (std::vector<std::filesystem::path>{d / "alpha", d / "Zeta"}));
    EXPECT_EQ(l.files, (std::vector<std::filesystem::path>{d / "A.MID", d / "b.mid"}));
    EXPECT_FALSE(ListFolder(d / "missing", "*.mid").readable);
}

}  // namespace
}  // namespace dv
