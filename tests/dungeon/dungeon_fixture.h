#pragma once

// A headless game with a party standing in a dungeon built in the test: hand-made maze
// cells, a party in roster slots 1..n, the battle's entry point recorded.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/dungeon_state.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "dungeon/dungeon_controls.h"
#include "dungeon/expedition.h"
#include "dungeon/maze.h"
#include "dungeon/view.h"
#include "support/game_harness.h"
#include "ui/keys.h"

namespace dv::test {

class DungeonFixture {
  public:
    explicit DungeonFixture(int members = 2) {
        h.startToTown();
        Game& g = game();
        g.dungeon.events = {};
        g.links.startEncounter = [this](Game&, const EncounterCall& c) { battles.push_back(c); };
        for (int i = 1; i <= members; ++i)
            addMember(i, "なかま" + std::to_string(i));
    }

    Game& game() { return h.game(); }
    MainWindow& main() { return *game().screens->main; }

    // A healthy character in roster slot `slot`, in the town party.
    Character& addMember(int slot, const std::string& name) {
        Game& g = game();
        Character& c = g.save.roster[static_cast<size_t>(slot)];
        c = Character{};
        c.rosterId = slot;
        c.name = name;
        c.hitPoints = c.maxHitPoints = 50;
        c.luck = 10;
        c.dexterity = 10;
        c.level = 1;
        c.dungeonId = 1;
        c.partyId = 1;
        c.partyPosition = static_cast<std::uint8_t>(slot);
        g.place.partyCount = std::max(g.place.partyCount, slot);
        g.place.partyMembers[static_cast<size_t>(slot)] = slot;
        g.place.partyId = 1;
        return c;
    }
    Character& member(int partySlot) {
        return game().save.roster[static_cast<size_t>(
            game().place.partyMembers[static_cast<size_t>(partySlot)])];
    }

    // Maze cells of dungeon 21 (all open unless set).
    void walls(int floor, int x, int y, int w, int doors = 0, int dungeon = 21) {
        game().db.mazeWalls.set(dungeon, floor, x, y, static_cast<std::int16_t>(w));
        game().db.mazeDoors.set(dungeon, floor, x, y, static_cast<std::int16_t>(doors));
    }
    void dark(int floor, int x, int y, int dungeon = 21) {
        game().db.mazeAttributes.set(dungeon, floor, x, y, 1);
    }
    // Makes every cell of a floor solid rock.
    void rockFloor(int floor, int dungeon = 21) {
        for (int x = 0; x < 20; ++x)
            for (int y = 0; y < 20; ++y)
                walls(floor, x, y, 15, 0, dungeon);
    }

    // Puts the party on a cell of the dungeon screen, the way entering does, without
    // random battles unless asked.
    void standAt(int floor, int x, int y, int facing, int dungeon = 21) {
        Game& g = game();
        Place& p = g.place;
        p.currentDungeon = dungeon;
        p.currentFloor = static_cast<std::int16_t>(floor);
        p.partyX = p.previousX = x;
        p.partyY = p.previousY = y;
        p.facing = facing;
        for (int i = 1; i <= p.partyCount; ++i) {
            Character& c = member(i);
            c.dungeonId = static_cast<std::uint8_t>(dungeon);
            c.floor = static_cast<std::uint8_t>(floor);
            c.posX = static_cast<std::int16_t>(x);
            c.posY = static_cast<std::int16_t>(y);
        }
        g.menuState = kDungeonMenu;
        main().lstCommandList.setVisible(false);
        main().picMap.setVisible(true);
        LoadFloor(g);
        quiet();
        RefreshPartyPanel(g);
        Redraw(g);
        main().picMap.setFocus();
    }
    // No random battles.
    void quiet() {
        game().dungeon.encounterStep = 0;
        game().dungeon.encounterBase = 0;
    }

    // Queues a key and then the keys that answer each dialog it raises, checking each
    // dialog's text first.
    DungeonFixture& key(int code) {
        h.script().key(code);
        return *this;
    }
    DungeonFixture& expectText(const std::string& text) {
        h.script().check([this, text] { EXPECT_TRUE(shows(text)) << text; });
        return *this;
    }
    // Some text on the screen contains this one.
    bool shows(const std::string& text) const {
        for (const std::string& t : h.texts())
            if (t.find(text) != std::string::npos) return true;
        return false;
    }
    DungeonFixture& expectNoDialog() {
        h.script().check([this] { EXPECT_EQ(h.ui().modalDepth(), 0u); });
        return *this;
    }
    // Runs a rule inside the event loop (where dialogs can wait for keys).
    DungeonFixture& call(std::function<void()> fn) {
        h.script().check(std::move(fn));
        return *this;
    }
    void run() { h.run(); }

    GameHarness h;
    std::vector<EncounterCall> battles;
};

}  // namespace dv::test
