// The map keys that are not steps: the panel, inspect mode, saving, the window, and the
// keys being ignored while a sequence owns the keyboard.

#include <gtest/gtest.h>

#include <filesystem>

#include "dungeon_fixture.h"

namespace dv {
namespace {

using test::DungeonFixture;

TEST(MapKeys, PanelInspectModeAndWindowKeys) {
    DungeonFixture f(3);
    f.call([&] { f.standAt(1, 5, 5, 0); });
    f.key('W');
    f.call([&] { EXPECT_FALSE(f.main().fraParty.visible()); });
    f.key('I');
    f.call([&] {
        EXPECT_TRUE(f.main().fraParty.visible());
        EXPECT_TRUE(f.main().fraParty.hasFocus());
        EXPECT_TRUE(f.main().shpPartyBar.visible());
        EXPECT_EQ(f.game().selectedMember, 1);
    });
    f.key(keys::Up);  // from the first to the last
    f.call([&] {
        EXPECT_EQ(f.game().selectedMember, 3);
        EXPECT_EQ(f.main().shpPartyBar.bounds().y, 48);
    });
    f.key(keys::Right).key(keys::End).key(keys::Home).key(keys::Down);
    f.call([&] { EXPECT_EQ(f.game().selectedMember, 2); });
    f.key(keys::Esc);
    f.call([&] {
        EXPECT_FALSE(f.main().fraParty.enabled());
        EXPECT_FALSE(f.main().shpPartyBar.visible());
        EXPECT_TRUE(f.main().picMap.hasFocus());
    });
    f.key('X');
    f.call([&] { EXPECT_EQ(f.h.script().windowState(), WindowState::Maximized); });
    f.key('X').key('N');
    f.call([&] { EXPECT_EQ(f.h.script().windowState(), WindowState::Minimized); });
    f.run();
}

TEST(MapKeys, ABusyKeyboardIgnoresEverythingButCtrl) {
    DungeonFixture f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        f.main().busy = true;
        std::filesystem::remove(f.h.gameDir() / "QTR1.DAT");
    });
    f.key(keys::Up).key(keys::Right).key('Q');
    f.call([&] {
        EXPECT_EQ(f.game().place.partyY, 5);
        EXPECT_EQ(f.game().place.facing, 0);
        EXPECT_EQ(f.game().place.currentFloor, 1);
    });
    f.key(keys::Ctrl);
    f.call([&] {
        EXPECT_TRUE(std::filesystem::exists(f.h.gameDir() / "QTR1.DAT"));
        f.main().busy = false;
        f.game().place.currentFloor = -1;
    });
    f.key(keys::Up);
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 5); });
    f.run();
}

}  // namespace
}  // namespace dv
