#include "dungeon/wandering_chests.h"

#include "core/game.h"

namespace dv {

namespace {
enum Column { kDungeon = 1, kFloor = 2, kX = 3, kY = 4, kActive = 5 };

// Maze data that is rock nearly everywhere must not hang the game: after this many tries
// the spot simply stays inactive.
constexpr int kPlacementTries = 10000;

void place(Game& game, int spot) {
    auto& s = game.save.chestSpots;
    for (int t = 0; t < kPlacementTries; ++t) {
        int x = static_cast<int>(game.rng.uniform(0, 19));
        int y = static_cast<int>(game.rng.uniform(0, 19));
        int floor = static_cast<int>(game.rng.uniform(1, 21));
        int dungeon = 20 + static_cast<int>(game.rng.uniform(1, 7));
        bool rock = game.db.mazeWalls.at(dungeon, floor, x, y) == 15 &&
                    game.db.mazeDoors.at(dungeon, floor, x, y) == 0;
        if (rock) continue;
        s(spot, kDungeon) = static_cast<std::int16_t>(dungeon);
        s(spot, kFloor) = static_cast<std::int16_t>(floor);
        s(spot, kX) = static_cast<std::int16_t>(x);
        s(spot, kY) = static_cast<std::int16_t>(y);
        s(spot, kActive) = 1;
        return;
    }
}
}  // namespace

void PlaceWanderingChests(Game& game, bool all) {
    auto& s = game.save.chestSpots;
    for (int spot = 1; spot <= kWanderingChests; ++spot) {
        if (all) s(spot, kActive) = 0;
        if (s(spot, kActive) == 0) place(game, spot);
    }
}

int WanderingChestHere(Game& game) {
    const auto& s = game.save.chestSpots;
    const Place& p = game.place;
    for (int spot = 1; spot <= kWanderingChests; ++spot)
        if (s(spot, kActive) == 1 && s(spot, kDungeon) == p.currentDungeon &&
            s(spot, kFloor) == p.currentFloor && s(spot, kX) == p.partyX && s(spot, kY) == p.partyY)
            return spot;
    return 0;
}

}  // namespace dv
