// One forward step with its redraw, in each renderer, on a floor of walls and doors,
// beside the floor it is measured against: a memcpy of one 640x480 frame.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/dungeon_state.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "dungeon/expedition.h"
#include "dungeon/maze.h"
#include "dungeon/view.h"
#include "support/game_harness.h"
#include "ui/keys.h"

namespace dv {
namespace {

void copyFrame(benchmark::State& state) {
    std::vector<uint32_t> from(640u * 480u, 0x123456u), to(640u * 480u);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(copyFrame)->Unit(benchmark::kMicrosecond);

// A floor with a wall on every other side and doors in between, all around the party.
void buildFloor(Game& g) {
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y) {
            int w = ((x + y) % 2) ? (SideBit(1) | SideBit(3)) : 0;
            int d = (x % 3 == 0) ? SideBit(1) : 0;
            g.db.mazeWalls.set(21, 1, x, y, static_cast<std::int16_t>(w | d));
            g.db.mazeDoors.set(21, 1, x, y, static_cast<std::int16_t>(d));
        }
}

void stepInMode(benchmark::State& state) {
    test::GameHarness h;
    h.copyPictures();
    h.startToTown();
    Game& g = h.game();
    buildFloor(g);
    Character& c = g.save.roster[1];
    c.rosterId = 1;
    c.name = "ベンチ";
    c.hitPoints = c.maxHitPoints = 10;
    c.partyId = 1;
    c.dungeonId = 21;
    c.floor = 1;
    g.place.partyCount = 1;
    g.place.partyMembers[1] = 1;
    g.place.partyId = 1;
    g.place.currentDungeon = 21;
    g.place.currentFloor = 1;
    g.place.partyX = 5;
    g.place.partyY = 5;
    g.place.facing = 0;
    g.menuState = kDungeonMenu;
    // The dungeon screen as entering a dungeon shows it: the view instead of the menu.
    g.screens->main->picMap.setVisible(true);
    g.screens->main->lstCommandList.setVisible(false);
    g.dungeon.events = {};
    LoadFloor(g);
    g.dungeon.encounterStep = 0;
    g.dungeon.encounterBase = 0;
    g.dungeon.drawMode = static_cast<int>(state.range(0));
    g.dungeon.textureLoadFailed = state.range(0) == 2;
    g.dungeon.textureFailureShown = true;
    const bool render = state.range(1) != 0;
    for (auto _ : state) {
        Step(g, 0);
        // The window's canvas as the player then sees it (its copy to the screen is the
        // texture benchmark's part).
        if (render) h.ui().render();
        benchmark::DoNotOptimize(g.screens->main->picMap.surface().pixels().data());
        benchmark::DoNotOptimize(h.ui().canvas().pixels().data());
    }
}
// 0 lines, 1 pictures, 2 shaded polygons (the picture fallback); the view alone, then with
// the window's canvas painted.
BENCHMARK(stepInMode)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->ArgNames({"mode", "render"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dv

BENCHMARK_MAIN();
