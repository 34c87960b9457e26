// Battles per second: six new adventurers against two groups of the first dungeon's first
// floor (encounter 3: valley goblins and rats), the real rules with no window.

#include <benchmark/benchmark.h>

#include <memory>

#include "battle_sim.h"
#include "core/data/data_files.h"
#include "core/game.h"

namespace dv {
namespace {

constexpr int kTwoGroupsOnFloorOne = 3;

void sixAgainstTwoGroups(benchmark::State& state) {
    auto db = std::make_unique<Database>();
    SaveData save;
    if (!LoadAllData(*db, save, DV_BENCH_GAME_DIR).ok) {
        state.SkipWithError("no data files in the game folder");
        return;
    }
    sim::BattleSimulator simulator(*db, 1);
    int won = 0;
    for (auto _ : state) {
        const BattleEnd end = simulator.fight(21, 1, kTwoGroupsOnFloorOne);
        won += end == BattleEnd::Victory;
        benchmark::DoNotOptimize(end);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["won"] = benchmark::Counter(won, benchmark::Counter::kAvgIterations);
}
BENCHMARK(sixAgainstTwoGroups);

}  // namespace
}  // namespace dv

BENCHMARK_MAIN();
