// The simulator runs the real rules with no window: every battle it starts ends one way or
// another, and nothing is written to the game folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "battle_sim.h"
#include "core/data/data_files.h"
#include "core/game.h"

namespace dv {
namespace {

TEST(Simulator, FightsTheFirstFloorWithoutAWindow) {
    auto db = std::make_unique<Database>();
    SaveData save;
    ASSERT_TRUE(LoadAllData(*db, save, DV_TEST_GAME_DIR).ok);
    const auto before =
        std::filesystem::exists(std::filesystem::path(DV_TEST_GAME_DIR) / "QTR1.DAT")
            ? std::filesystem::last_write_time(std::filesystem::path(DV_TEST_GAME_DIR) / "QTR1.DAT")
            : std::filesystem::file_time_type{};
    sim::BattleSimulator simulator(*db, 7);
    const sim::Tally t = simulator.floor(21, 1, 300);
    EXPECT_EQ(t.battles, 300);
    EXPECT_EQ(t.won + t.fled + t.wipedOut + t.undecided, 300);
    EXPECT_GT(t.won, 200) << "new adventurers win on the first floor";
    EXPECT_EQ(simulator.game().screens, nullptr);
    if (before != std::filesystem::file_time_type{}) {
        EXPECT_EQ(
            std::filesystem::last_write_time(std::filesystem::path(DV_TEST_GAME_DIR) / "QTR1.DAT"),
            before);
    }
    // The same seed gives the same battles.
    sim::BattleSimulator again(*db, 7);
    const sim::Tally u = again.floor(21, 1, 300);
    EXPECT_EQ(u.won, t.won);
    EXPECT_EQ(u.rounds, t.rounds);
    // A floor with no random battles has nothing to count.
    EXPECT_EQ(simulator.floor(21, 20, 10).battles, 0);
}

}  // namespace
}  // namespace dv
