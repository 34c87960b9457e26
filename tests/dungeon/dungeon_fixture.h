#pragma once

// A headless game with a party standing in a dungeon built in the test: hand-made maze
// cells, a party in roster slots 1..n, monsters and encounters made in the test, and a
// driver that fights battles to their end through the real screens.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "battle/battle_screen.h"
#include "core/battle_state.h"
#include "core/dungeon_state.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
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
        c.agility = 10;
        c.strength = 10;
        c.level = 1;
        c.resistances = {};
        c.damagePercent.fill(100);
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

    // Monster n of the table: one fighter (group size 1 unless set), the hit points and
    // melee damage given, ordinary in everything else.
    Character& monster(int n, const std::string& name, int hitPoints, int damage = 1) {
        Character& m = game().db.monsterTable[static_cast<size_t>(n)];
        m = Character{};
        m.rosterId = n;
        m.name = name;
        m.altName = "なにか";
        m.level = 1;
        m.classBit = 1;
        m.sex = 4;
        m.gold = 10;
        m.experience = 20;
        m.appearDiceCount = 1;
        m.appearDiceSides = 1;
        m.hpDiceCount = 1;
        m.hpDiceSides = 1;
        m.hpDiceBonus = hitPoints - 1;
        m.damageDiceCount = 1;
        m.damageDiceSides = 1;
        m.damageDiceBonus = damage - 1;
        m.attackCount = 1;
        m.agility = 10;
        m.luck = 5;
        m.damagePercent.fill(100);
        m.weaponTypePercent.fill(100);
        m.actions.fill(1);
        return m;
    }
    // Encounter row r with monsters for groups 1..4; on the floor's random list when
    // floor is not 0 (dungeon 21).
    void encounter(int row, std::initializer_list<int> groups, int floor = 0) {
        auto& t = game().db.encounterTable;
        t(row, kEncounterId) = static_cast<std::int16_t>(row);
        t(row, kEncounterDungeon) = static_cast<std::int16_t>(floor != 0 ? 1 : 0);
        t(row, kEncounterFloor) = static_cast<std::int16_t>(floor);
        int g = 0;
        for (int m : groups)
            t(row, kEncounterFirstGroup + g++) = static_cast<std::int16_t>(m);
    }
    // A melee action row (the scripted attack) for the monsters.
    void meleeRow() { game().db.monsterActions[1].kind = 3; }

    // Answers every dialog (yes to questions) and enters commands (the normal auto, or
    // fight, or the start of the round) until no battle runs and no dialog waits; then
    // runs then. fleeing: the first member asks to flee instead.
    void fightToTheEnd(std::function<void()> then = {}, bool fleeing = false) {
        h.script().check([this, then, fleeing] {
            if (MessageDialog* d = h.waitingDialog()) {
                h.script().key(d->mode() == kPromptQuestion ? 'Y' : keys::Space);
            } else if (game().battle.battlePhase == kNoBattle) {
                if (then) then();
                return;
            } else if (battleScreen().lstMonster.hasFocus()) {
                h.script().key(keys::Enter);
            } else if (main().lstBattleCommand.hasFocus()) {
                h.script().key(commandKey(fleeing));
            } else {
                ADD_FAILURE() << "the battle waits for something the driver does not give";
                return;
            }
            fightToTheEnd(then, fleeing);
        });
    }
    // Command entry waits for the player (no dialog in front of it).
    bool enteringCommands() {
        return !h.waitingDialog() && game().battle.battlePhase == kCommandEntry &&
               main().lstBattleCommand.hasFocus();
    }
    // The key the driver gives at command entry.
    int commandKey(bool fleeing) {
        const ListEx& l = main().lstBattleCommand;
        std::vector<char> letters;
        for (int i = 0; i < l.listCount(); ++i)
            letters.push_back(l.list(i).empty() ? ' ' : l.list(i)[0]);
        auto has = [&](char c) {
            return std::find(letters.begin(), letters.end(), c) != letters.end();
        };
        if (fleeing && has('R')) return 'R';
        for (char c : {'O', 'F', 'A', 'G', 'P'})
            if (has(c)) return c;
        return keys::Enter;
    }
    BattleScreen& battleScreen() { return game().screens->part<BattleScreen>(); }

    GameHarness h;
};

}  // namespace dv::test
