#pragma once

// The route planner: a breadth-first search over the cells of the dungeon the party is
// in, floor by floor, through open sides and doors (a one-way side passes only from the
// side without the wall), the stairs and circles it may take (a yes to their question
// moves it) and the teleporters that move it whether it likes it or not. The working
// floor is read with its wall patches; the other floors as the maze file draws them.
// Ways the party found shut (a key door, a gate, a riddle) are left out until what it
// knows changes.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "dungeon/map_events.h"

namespace dv {

struct Game;

namespace bot {

struct Spot {
    int floor = 0, x = 0, y = 0;
    auto operator<=>(const Spot&) const = default;
};

// One move of a route: walk one cell in a direction, or take the transit of the cell the
// party stands on (stairs or a circle).
struct Move {
    enum Kind { kWalk, kTransit } kind = kWalk;
    int direction = 0;
    Spot to;
};

class RoutePlanner {
  public:
    // The deepest floor the party is willing to reach (walking or by stairs).
    void setDeepest(int floor) { deepest_ = floor; }
    // A way the party found shut; it counts against this side until forget().
    void markShut(const Spot& from, int direction);
    bool isShut(const Spot& from, int direction) const {
        return shut_.count({from.floor, from.x, from.y, direction}) != 0;
    }
    // What the party knows changed: shut ways are tried again.
    void forget() { shut_.clear(); }
    // Cells the routes keep out of (a guardian the party is not ready for).
    void setAvoid(std::function<bool(const Spot&)> avoid) { avoid_ = std::move(avoid); }

    // The moves from the party's place to the nearest spot that satisfies wanted (not the
    // place itself); empty when none can be reached.
    // throughAvoided: when no route goes around the avoided cells, one through them will do
    // (the way home).
    std::vector<Move> routeTo(const Game& game, const std::function<bool(const Spot&)>& wanted,
                              bool throughAvoided = false) const;

    // Whether the party can stand on a spot (not rock, on the dungeon's floors).
    bool standable(const Game& game, const Spot& s) const;

  private:
    std::vector<std::pair<Spot, Move>> next(const Game& game, const Spot& s) const;
    std::int16_t wallsAt(const Game& game, const Spot& s) const;

    std::vector<Move> search(const Game& game, const std::function<bool(const Spot&)>& wanted,
                             bool avoiding) const;

    int deepest_ = 1;
    std::function<bool(const Spot&)> avoid_;
    std::map<std::tuple<int, int, int, int>, int> shut_;
    // The patched walls of the floors the current search reads.
    mutable std::map<int, FloorWalls> walls_;
};

// The party's place now.
Spot Here(const Game& game);

}  // namespace bot
}  // namespace dv
