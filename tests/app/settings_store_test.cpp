// The settings store writes its file once for each change set: a lone change at once, the
// changes inside a batch when the outermost batch closes, and a whole shutdown once.

#include "core/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/data/ini_file.h"
#include "core/window_settings.h"
#include "support/game_harness.h"

namespace dv {
namespace {

using test::GameHarness;
using test::TempDir;

// Writes through the real writer and remembers the text of every write.
struct WriteLog {
    std::vector<std::string> texts;
    bool fail = false;

    void attach(SettingsStore& store) {
        store.setWriter([this](const std::filesystem::path& file, const IniFile& ini) {
            texts.push_back(ini.text());
            return !fail && ini.Save(file);
        });
    }
};

TEST(SettingsStore, ALoneChangeIsWrittenAtOnceAndABatchOnceWhenItCloses) {
    TempDir dir;
    SettingsStore store(dir.path() / "config");
    WriteLog log;
    log.attach(store);

    store.set("Window", "Width", "1280");
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(IniFile::Load(store.file()).get("Window", "Width"), "1280");

    {
        SettingsStore::Batch outer(store);
        store.set("Window", "Width", "640");
        {
            SettingsStore::Batch inner(store);
            store.set("Window", "Height", "480");
        }
        store.set("viru", "Left", "1500");
        EXPECT_EQ(log.texts.size(), 1u);  // nothing yet: the outer batch is still open
        EXPECT_EQ(IniFile::Load(store.file()).get("Window", "Width"), "1280");
    }
    ASSERT_EQ(log.texts.size(), 2u);
    const IniFile written = IniFile::Load(store.file());
    EXPECT_EQ(written.get("Window", "Width"), "640");
    EXPECT_EQ(written.get("Window", "Height"), "480");
    EXPECT_EQ(written.get("viru", "Left"), "1500");

    // A batch without changes writes nothing.
    { SettingsStore::Batch idle(store); }
    EXPECT_EQ(log.texts.size(), 2u);
}

TEST(SettingsStore, AFailedWriteIsTriedAgainWithTheNextChange) {
    TempDir dir;
    SettingsStore store(dir.path() / "config");
    WriteLog log;
    log.attach(store);
    log.fail = true;
    store.set("Window", "Width", "640");
    EXPECT_FALSE(std::filesystem::exists(store.file()));
    log.fail = false;
    { SettingsStore::Batch idle(store); }  // the change still waits to be written
    const IniFile written = IniFile::Load(store.file());
    EXPECT_EQ(written.get("Window", "Width"), "640");
    EXPECT_EQ(log.texts.size(), 2u);
}

TEST(SettingsStore, AShutdownWritesTheFileOnceWithTheWindowPlace) {
    GameHarness h;
    h.startToTown();
    WriteLog log;
    log.attach(h.app().settings());
    h.script().closeRequest();
    h.run();
    ASSERT_TRUE(h.ui().quitting());
    ASSERT_EQ(log.texts.size(), 1u);
    const IniFile written = IniFile::Load(h.configDir() / "settings.ini");
    EXPECT_EQ(written.text(), log.texts[0]);
    EXPECT_EQ(written.get("viru", "Width"), std::to_string(640 * 15));
    EXPECT_EQ(written.get("Window", "Width"), "640");
    EXPECT_EQ(written.get("Window", "Height"), "480");
}

TEST(SettingsStore, AFirstStartWritesTheVersionKeysOnce) {
    GameHarness h(1, true);
    WriteLog log;
    log.attach(h.app().settings());
    ASSERT_TRUE(h.start());
    ASSERT_EQ(log.texts.size(), 1u);
    const IniFile written = IniFile::Load(h.configDir() / "settings.ini");
    EXPECT_EQ(written.get("Version", "Major"), "1");
    EXPECT_EQ(written.get("Version", "Revision"), "0");
}

// The window's numbers are only read as a wish when they are there and are numbers; the
// corner is kept in twips.
TEST(SettingsStore, TheWindowsNumbersAreAWishOnlyWhenTheyAreNumbers) {
    struct Case {
        const char* text;
        WindowWish wish;
    };
    const Case cases[] = {
        {"", {}},
        {"[viru]\nLeft=1500\nTop=-300\n[Window]\nWidth=800\nHeight=600\n",
         {true, 100, -20, true, 800, 600}},
        {"[Window]\nWidth=100000\nHeight=100000\n", {false, 0, 0, true, 100000, 100000}},
        {"[viru]\nLeft=abc\nTop=15\n[Window]\nWidth=800\n", {}},
        {"[viru]\nLeft=99999999999999999999999\nTop=15\n", {}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        std::filesystem::create_directories(dir.path());
        {
            std::ofstream out(dir.path() / "settings.ini");
            out << c.text;
        }
        const WindowWish w = StoredWindowWish(SettingsStore(dir.path()));
        EXPECT_EQ(w.hasPosition, c.wish.hasPosition) << c.text;
        EXPECT_EQ(w.hasSize, c.wish.hasSize) << c.text;
        if (w.hasPosition) {
            EXPECT_EQ(w.x, c.wish.x) << c.text;
            EXPECT_EQ(w.y, c.wish.y) << c.text;
        }
        if (w.hasSize) {
            EXPECT_EQ(w.width, c.wish.width) << c.text;
            EXPECT_EQ(w.height, c.wish.height) << c.text;
        }
    }
}

}  // namespace
}  // namespace dv
