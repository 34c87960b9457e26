#pragma once

// The map events: five entry points that look up the compiled event table by place,
// facing and moved flag, and the building blocks the table's rows name.

#include <span>
#include <string>

#include "core/battle_state.h"
#include "core/data/grid.h"
#include "core/data/map_event_data.h"
#include "core/data/save_data.h"
#include "core/dungeon_state.h"

namespace dv {

struct Game;

// What an entry point asks of the walk. A battle (encounter above 0) carries its music
// and the event number that started it.
struct EventOutcome {
    bool blocked = false;  // pre-step: the step does not happen
    bool handled = false;  // arrival: the cell was handled and no random battle may follow
    EncounterCall battle;  // battle.encounter 0: none
};

// Before a forward step, for the side in front.
EventOutcome PreStepCheck(Game& game);
// After every step (moved) and turn.
EventOutcome ArrivalCheck(Game& game, bool moved);
// The F key; a battle to start (encounter 0: none).
EncounterCall SearchCheck(Game& game);
// The U key with an item.
EncounterCall ItemUseCheck(Game& game, int itemId);
// After winning a battle an event started, on the same cell; a battle to chain.
EncounterCall PostBattleCheck(Game& game);

// The event's flag, item and skill conditions hold for the party now.
bool EventConditionsHold(const Game& game, const MapEvent& e);

// Opens and closes the walls that follow event flags, in the working floor.
void ApplyWallPatches(Game& game);
// The same for any floor's walls (a route planned over floors not yet loaded).
using FloorWalls = Grid<std::int16_t, kFloorSize, kFloorSize>;
void PatchWalls(const SaveData& save, int dungeon, int floor, FloorWalls& walls);

// The riddle comparison: full width, hiragana read as katakana.
std::string RiddleForm(const std::string& typed);

}  // namespace dv
