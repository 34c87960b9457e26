#pragma once

// What the dungeon keeps while the game runs: the working copy of the floor, the
// encounter parameters, the view's pictures and settings, and the links to screens other
// parts of the game own.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/data/grid.h"
#include "dungeon/map_event_data.h"
#include "ui/canvas.h"

namespace dv {

struct Game;

inline constexpr int kFloorSize = 20;
inline constexpr int kMaxFloorEncounters = 350;

// One call of the battle's entry point, as the dungeon made it.
struct EncounterCall {
    int encounter = 0;  // 0 = a random group of the floor
    int music = 0;
    int mapEvent = 0;  // the map event that started it (0 for random battles)
};

// Screens and rules the dungeon calls but other parts of the game own. Each has a plain
// default so the dungeon works on its own; the owners install theirs at start-up.
struct DungeonLinks {
    // Rebuilds partyCount/partyMembers from the roster and refreshes the party panel.
    std::function<void(Game&)> rebuildParty;
    // The roster picker listing the characters left in a dungeon; the roster slot or 0.
    std::function<int(Game&)> pickResumeCharacter;
    // A titled pick list; the 1-based row picked, 0 when cancelled.
    std::function<int(Game&, const std::string& title, const std::vector<std::string>& rows)>
        pickFromList;
    // A party member (party slot 1..6, 0 cancelled) with a prompt.
    std::function<int(Game&, const std::string& prompt)> pickPartyMember;
    // One of a character's inventory slots (1..15, 0 cancelled).
    std::function<int(Game&, int rosterSlot)> pickItem;
    // The character sheet of party slot selectedMember, modal.
    std::function<void(Game&)> showSheet;
    // The reorder panel of the party, shown at the given place with the focus.
    std::function<void(Game&, int x, int y)> showReorder;
    // The chest screen for a found chest with a trap number.
    std::function<void(Game&, int trap)> openChest;
    // The conversation with person n (title and name are message 9000 + n).
    std::function<void(Game&, int npc)> talkTo;
    // The battle's entry point.
    std::function<void(Game&, const EncounterCall&)> startEncounter;
    // What the town does after the party came back (ending, menu, panel).
    std::function<void(Game&)> townShown;
};

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
    // Map events: the person whose room the party is in, the event that started the
    // running battle, a found chest waiting to be opened (its level, 0 none).
    int currentNpc = 0;
    int currentMapEvent = 0;
    int eventBattleMusic = 0;  // the music of the battle an event is about to start
    int pendingChest = 0;
    // The setting that reports an empty search.
    bool showEmptySearch = false;
    // The rift opens once per run, and only after a while.
    bool riftUsed = false;
    // Monotonic seconds since start-up; tests replace it.
    std::function<double()> secondsSinceStart;

    DungeonLinks links;
};

}  // namespace dv
