#pragma once

// What the dungeon keeps while the game runs: the working copy of the floor, the
// encounter parameters, the view's pictures and settings.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/battle_state.h"
#include "core/data/grid.h"
#include "core/data/map_event_data.h"
#include "ui/canvas.h"

namespace dv {

struct Game;

inline constexpr int kFloorSize = 20;
inline constexpr int kMaxFloorEncounters = 350;

// The view's pictures: wall and door pieces 0..4, the two backgrounds, the moon strips.
struct ViewPictures {
    std::array<Canvas, 5> chip;
    std::array<Canvas, 5> door;
    std::array<Canvas, 2> back;
    Canvas luna;
    Canvas artemis;
};

struct DungeonState {
    // The current floor, taken from the maze layers and patched by the event flags.
    Grid<std::int16_t, kFloorSize, kFloorSize> floorWalls{};  // (x, y)
    Grid<std::int16_t, kFloorSize, kFloorSize> floorDoors{};

    std::vector<int> floorEncounters;
    int encounterStep = 2;
    int encounterBase = 50;
    std::int32_t stepsSinceEncounter = 0;
    int dungeonMusic = 10;

    // 0 line drawing, 1 pictures, 2 pictures falling back to shaded polygons.
    int drawMode = 0;
    bool textureLoadFailed = false;
    bool textureFailureShown = false;
    ViewPictures pictures;
    // The picture drawing's 480 by 240 canvas, stretched into the view.
    Canvas pictureCanvas;

    // The event table the entry points search (the compiled one; tests use their own).
    std::span<const MapEvent> events = mapEvents();
    // Map events: the person whose room the party is in, a found chest waiting to be
    // opened (its level, 0 none).
    int currentNpc = 0;
    int pendingChest = 0;
    // Chests the monsters left, oldest first, kept until the chest screen opens them.
    std::vector<BattleChest> battleChests;
    // The setting that reports an empty search.
    bool showEmptySearch = false;
    // The rift opens once per run, and only after a while.
    bool riftUsed = false;
    // Monotonic seconds since start-up; tests replace it.
    std::function<double()> secondsSinceStart;
};

}  // namespace dv
