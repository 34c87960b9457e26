// Start-up, the title, the town menu and shutdown, played through the real windows.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "app/instance_lock.h"
#include "app/title_window.h"
#include "core/command_menu.h"
#include "core/data/data_files.h"
#include "core/data/ini_file.h"
#include "core/data/save_file.h"
#include "core/data/save_folder.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "support/game_harness.h"
#include "ui/keys.h"
#include "ui/list_ex.h"
#include "ui/termination.h"

namespace dv {
namespace {

using test::GameHarness;
namespace fs = std::filesystem;

const std::vector<std::string> kTownEntries = {
    "G)ギ ル タ ブ リ ル の 酒 場", "T)テ ィ ア マ ト の 宿 屋", "M)マ ル ド ゥ ー ク 商 店",
    "A)ア プ ス ー 寺 院",          "B)バ ビ ロ ン 星 占 所",    "E)町 外 れ"};

TEST(StartUp, FirstRunReachesTownAndQuitWritesTheSave) {
    GameHarness h;
    ASSERT_TRUE(h.start());
    EXPECT_TRUE(h.showsText("Ver.1.0.0"));
    EXPECT_TRUE(h.showsText("Dalvenor Start"));
    EXPECT_EQ(h.script().title(), "Dalvenor");
    h.script().key(keys::Enter).check([&] {
        EXPECT_EQ(h.commandCaption(), "バビロニア　帝都");
        EXPECT_EQ(h.commandEntries(), kTownEntries);
        EXPECT_EQ(h.game().menuState, 8);
        EXPECT_EQ(h.script().title(), "viru");
        EXPECT_FALSE(h.app().titleWindow().visible());
    });
    // Esc chooses the last entry: the outskirts.
    h.script().key(keys::Esc).check([&] {
        EXPECT_EQ(h.commandCaption(), "町外れ");
        EXPECT_EQ(h.game().menuState, 9);
    });
    h.script().key('E');
    h.run();
    EXPECT_TRUE(h.ui().quitting());
    ASSERT_TRUE(fs::exists(h.gameDir() / "QTR1.DAT"));
    EXPECT_EQ(fs::file_size(h.gameDir() / "QTR1.DAT"), 128154u);
    // Title music, then the castle town, the outskirts, and a stop at shutdown.
    EXPECT_EQ(h.app().music().scenes, (std::vector<int>{1, 0, 2, 3, 0}));
}

TEST(StartUp, FirstRunWritesVersionKeysAndTheSaveOnlyOnce) {
    GameHarness h;
    ASSERT_TRUE(h.start());
    IniFile settings = IniFile::Load(h.configDir() / "settings.ini");
    EXPECT_EQ(settings.get("Version", "Major"), "1");
    EXPECT_EQ(settings.get("Version", "Minor"), "0");
    EXPECT_EQ(settings.get("Version", "Revision"), "0");
    ASSERT_EQ(fs::file_size(h.gameDir() / "QTR1.DAT"), 128154u);
    EXPECT_EQ(h.game().save.eventFlags[19], 4);

    // A second start of the same version does not rewrite the save during start-up.
    auto stamp = fs::last_write_time(h.gameDir() / "QTR1.DAT");
    fs::remove(h.gameDir() / "QTR1.DAT.tmp");
    {
        std::fstream f(h.gameDir() / "QTR1.DAT", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(0);
        f.put(7);  // event flag 0, changed behind the game's back
    }
    stamp = fs::last_write_time(h.gameDir() / "QTR1.DAT");
    h.restart();
    ASSERT_TRUE(h.start());
    EXPECT_EQ(fs::last_write_time(h.gameDir() / "QTR1.DAT"), stamp);
    EXPECT_EQ(h.game().save.eventFlags[0], 7);
}

TEST(StartUp, MissingDataFileIsNamedAndNothingIsCreated) {
    GameHarness h;
    fs::remove(h.gameDir() / "QTR4.DAT");
    bool started = true;
    h.script().check([&] {
        auto texts = h.texts();
        bool named = false;
        for (auto& t : texts)
            if (t.find("QTR4.DAT") != std::string::npos) named = true;
        EXPECT_TRUE(named);
    });
    h.script().key(keys::Enter);
    started = h.start();
    EXPECT_FALSE(started);
    EXPECT_FALSE(fs::exists(h.gameDir() / "QTR4.DAT"));
    EXPECT_FALSE(h.app().mainWindow().visible());
}

TEST(StartUp, CharactersInTownOrTrainingGroundsAreResetAtStart) {
    GameHarness h;
    ASSERT_TRUE(h.start());
    h.game().save.roster[1].name = "ア";
    h.game().save.roster[1].dungeonId = 1;
    h.game().save.roster[2].name = "イ";
    h.game().save.roster[2].dungeonId = 2;
    h.game().save.roster[3].name = "ウ";
    h.game().save.roster[3].dungeonId = 21;
    h.game().save.roster[3].floor = 3;
    h.game().save.roster[3].partyId = 9;
    ASSERT_TRUE(SaveGame(h.game()));
    h.restart();
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.game().save.roster[1].dungeonId, 0);
    EXPECT_EQ(h.game().save.roster[2].dungeonId, 0);
    EXPECT_EQ(h.game().save.roster[3].dungeonId, 21);
}

TEST(StartUp, WanderingChestsArePlacedAndPlacedOnesStay) {
    GameHarness h;
    {
        // The maze is open everywhere but dungeon 21, which is solid rock.
        auto db = std::make_unique<Database>();
        for (int f = 0; f < kMazeFloors; ++f)
            for (int x = 0; x < kMazeSize; ++x)
                for (int y = 0; y < kMazeSize; ++y)
                    db->mazeWalls.set(21, f, x, y, 15);
        const auto bytes = writeQtr6(*db);
        std::ofstream(h.gameDir() / "QTR6.DAT", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));

        // A save whose spot 7 lies on a known cell.
        auto save = std::make_unique<SaveData>();
        auto& s = save->chestSpots;
        s(7, 1) = 22, s(7, 2) = 3, s(7, 3) = 4, s(7, 4) = 5, s(7, 5) = 1;
        ASSERT_TRUE(WriteSaveFile(*save, h.gameDir()).ok);
    }
    h.restart();
    ASSERT_TRUE(h.start());
    const auto& s = h.game().save.chestSpots;
    for (int spot = 1; spot <= 50; ++spot) {
        SCOPED_TRACE(spot);
        EXPECT_EQ(s(spot, 5), 1) << "every spot is placed before the first step";
        EXPECT_GE(s(spot, 1), 22);
        EXPECT_LE(s(spot, 1), 27);
        EXPECT_GE(s(spot, 2), 1);
        EXPECT_LE(s(spot, 2), 21);
    }
    EXPECT_EQ(s(7, 1), 22);
    EXPECT_EQ(s(7, 2), 3);
    EXPECT_EQ(s(7, 3), 4);
    EXPECT_EQ(s(7, 4), 5);
}

TEST(StartUp, AReadOnlyGameFolderSavesInTheUsersDataFolder) {
    GameHarness h;
    test::TempDir home;
    const fs::path data = home.path() / "dalvenor";
    {
        auto save = std::make_unique<SaveData>();
        save->roster[1].rosterId = 1;
        save->roster[1].name = "はじめ";
        ASSERT_TRUE(WriteSaveFile(*save, h.gameDir()).ok);
    }
    const auto shipped = fs::last_write_time(h.gameDir() / "QTR1.DAT");
    // An installation the player cannot write to, as under /usr.
    const auto readOnly = [&](const fs::path& p) { return p != h.gameDir(); };

    h.restart();
    h.game().saveFolder = ChooseSaveFolder(h.gameDir(), data, readOnly);
    h.script()
        .check([&] { EXPECT_TRUE(h.showsTextContaining(data.string())) << "where saves now go"; })
        .key(keys::Space);
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.game().save.roster[1].name, "はじめ");
    h.game().save.roster[1].name = "ふたたび";
    ASSERT_TRUE(SaveGame(h.game()));
    EXPECT_EQ(fs::file_size(data / "QTR1.DAT"), 128154u);
    EXPECT_EQ(fs::last_write_time(h.gameDir() / "QTR1.DAT"), shipped);

    // The next start finds the save there without a word.
    h.restart();
    h.game().saveFolder = ChooseSaveFolder(h.gameDir(), data, readOnly);
    EXPECT_TRUE(h.game().saveFolder.notice.empty());
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.game().save.roster[1].name, "ふたたび");
}

TEST(ShutDown, PartyInTownIsDissolvedAndPartyInDungeonKeepsItsPlace) {
    for (bool inDungeon : {false, true}) {
        SCOPED_TRACE(inDungeon ? "in a dungeon" : "in town");
        GameHarness h;
        h.startToTown();
        Game& g = h.game();
        for (int slot : {1, 2}) {
            Character& c = g.save.roster[static_cast<size_t>(slot)];
            c.name = "メンバー" + std::to_string(slot);
            c.partyId = 5;
            c.dungeonId = 21;
            c.baseArmorClass = 10;
            c.armorClass = 2;
            g.place.partyMembers[static_cast<size_t>(slot)] = slot;
        }
        g.place.partyCount = 2;
        g.place.currentFloor = static_cast<std::int16_t>(inDungeon ? 3 : 0);
        g.place.currentDungeon = inDungeon ? 22 : 1;
        g.place.partyX = 4;
        g.place.partyY = 7;
        h.script().key(keys::Esc).key('E');
        h.run();
        h.restart();
        ASSERT_TRUE(h.start());
        for (int slot : {1, 2}) {
            const Character& c = h.game().save.roster[static_cast<size_t>(slot)];
            if (inDungeon) {
                EXPECT_EQ(c.partyId, 5);
                EXPECT_EQ(c.dungeonId, 22);
                EXPECT_EQ(c.floor, 3);
                EXPECT_EQ(c.posX, 4);
                EXPECT_EQ(c.posY, 7);
                EXPECT_EQ(c.armorClass, 10);
            } else {
                EXPECT_EQ(c.partyId, 0);
                EXPECT_EQ(c.dungeonId, 0);
                EXPECT_EQ(c.posX, 0);
                EXPECT_EQ(c.posY, 0);
            }
        }
    }
}

TEST(ShutDown, CloseBoxShutsDownAndWindowPositionIsStoredUnderTheTitle) {
    GameHarness h;
    h.startToTown();
    h.script().closeRequest();
    h.run();
    EXPECT_TRUE(h.ui().quitting());
    IniFile settings = IniFile::Load(h.configDir() / "settings.ini");
    EXPECT_EQ(settings.get("viru", "Left"), "0");
    EXPECT_EQ(settings.get("viru", "Width"), std::to_string(640 * 15));
}

TEST(ShutDown, TheCloseBoxEndsTheGameFromInsideAMessage) {
    GameHarness h;
    h.startToTown();
    fs::remove(h.gameDir() / "QTR1.DAT");
    bool ruleWentOn = false;
    h.script().check([&] {
        ShowMessage(h.game(), "おしらせ");
        ruleWentOn = true;  // never: the game ended while the message waited
    });
    h.script().closeRequest();
    h.run();
    EXPECT_TRUE(h.ui().quitting());
    EXPECT_FALSE(ruleWentOn);
    EXPECT_EQ(fs::file_size(h.gameDir() / "QTR1.DAT"), 128154u) << "the shutdown saved";
}

TEST(ShutDown, TheCloseBoxIsRefusedOnlyDuringBattleCommandEntry) {
    GameHarness h;
    h.startToTown();
    MainWindow& main = *h.game().screens->main;
    h.script().check([&] { main.lstBattleCommand.setVisible(true); });
    h.script().closeRequest().check([&] { EXPECT_FALSE(h.ui().quitting()); });
    h.script().check([&] { main.lstBattleCommand.setVisible(false); });
    h.script().closeRequest();
    h.run();
    EXPECT_TRUE(h.ui().quitting());
}

// A logout (SIGTERM), Ctrl+C (SIGINT) or a closed terminal (SIGHUP) ends the game through
// its shutdown steps wherever it waits.
TEST(ShutDown, TerminationSignalsEndTheGameWithTheSaveFromAnywhere) {
    InstallTerminationSignals();
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        {
            // In a message, with a party in a dungeon: its place is kept for the next start.
            GameHarness h;
            h.startToTown();
            Game& g = h.game();
            Character& c = g.save.roster[1];
            c.rosterId = 1;
            c.name = "るすばん";
            c.partyId = 4;
            g.place.partyMembers[1] = 1;
            g.place.partyCount = 1;
            g.place.currentDungeon = 22;
            g.place.currentFloor = 2;
            g.place.partyX = 6;
            bool ruleWentOn = false;
            h.script().check([&] {
                if (AskYesNo(g, "しつもん")) ruleWentOn = true;
                ruleWentOn = true;
            });
            h.script().check([&] { std::raise(signal); });
            h.run();
            EXPECT_TRUE(h.ui().quitting());
            EXPECT_FALSE(ruleWentOn);
            h.restart();
            ASSERT_TRUE(h.start());
            EXPECT_EQ(h.game().save.roster[1].dungeonId, 22);
            EXPECT_EQ(h.game().save.roster[1].floor, 2);
            EXPECT_EQ(h.game().save.roster[1].posX, 6);
        }
        {
            // On the title.
            GameHarness h;
            ASSERT_TRUE(h.start());
            fs::remove(h.gameDir() / "QTR1.DAT");
            // The signal is seen at the next wait, while the title still waits for a key.
            h.script().check([&] { std::raise(signal); }).advance(10);
            h.run();
            EXPECT_TRUE(h.ui().quitting());
            EXPECT_TRUE(fs::exists(h.gameDir() / "QTR1.DAT"));
        }
    }
}

TEST(ShutDown, ASignalDuringStartUpEndsWithoutWritingAnything) {
    InstallTerminationSignals();
    GameHarness h;
    { std::ofstream(h.gameDir() / "QTR1.DAT", std::ios::binary) << std::string(1000, '\x05'); }
    const auto damaged = fs::last_write_time(h.gameDir() / "QTR1.DAT");
    h.restart();
    // The message about the damaged save waits; the signal comes then.
    h.script().check([&] { std::raise(SIGTERM); });
    EXPECT_FALSE(h.start());
    EXPECT_TRUE(h.ui().quitting());
    EXPECT_EQ(fs::last_write_time(h.gameDir() / "QTR1.DAT"), damaged);
    EXPECT_EQ(fs::file_size(h.gameDir() / "QTR1.DAT"), 1000u);
}

TEST(Menus, EscOnEveryMenuChoosesItsLastEntry) {
    struct Case {
        int menu;
        int expectedAfterEsc;
    };
    // Town -> outskirts, outskirts -> town, tavern -> town, fortune house -> town,
    // training grounds -> outskirts.
    for (Case c : {Case{8, 9}, Case{9, 8}, Case{1, 8}, Case{7, 8}, Case{10, 9}}) {
        SCOPED_TRACE(c.menu);
        GameHarness h;
        h.startToTown();
        h.script().check([&] { BuildMenu(h.game(), c.menu); });
        h.script().key(keys::Esc);
        h.run();
        EXPECT_EQ(h.game().menuState, c.expectedAfterEsc);
    }
}

TEST(Menus, FacilitiesThatNeedAPartySaySoWithoutOne) {
    GameHarness h;
    h.startToTown();
    h.script().key('T').check([&] {
        EXPECT_TRUE(h.showsText("パーティーを組んでいません"));
        EXPECT_EQ(h.ui().modalDepth(), 1u);
    });
    h.script().key(keys::Space);
    h.run();
    EXPECT_EQ(h.game().menuState, 8);
}

TEST(InstanceLock, SecondCopyOnTheSameFolderIsRefused) {
    test::TempDir a, b;
    InstanceLock first(a.path());
    EXPECT_TRUE(first.acquired());
    InstanceLock second(a.path());
    EXPECT_FALSE(second.acquired());
    InstanceLock other(b.path());
    EXPECT_TRUE(other.acquired());
}

}  // namespace
}  // namespace dv
