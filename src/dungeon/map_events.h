#pragma once

// The map events: five entry points that look up the compiled event table by place,
// facing and moved flag, and the building blocks the table's rows name.

#include <span>
#include <string>

#include "core/data/map_event_data.h"

namespace dv {

struct Game;

struct PreStepResult {
    bool blocked = false;
    int encounter = 0;
};

// Before a forward step, for the side in front.
PreStepResult PreStepCheck(Game& game);
// After every step (moved) and turn: an encounter, 0 for nothing, -1 when the cell was
// handled and no random battle may follow.
int ArrivalCheck(Game& game, bool moved);
// The F key.
int SearchCheck(Game& game);
// The U key with an item.
int ItemUseCheck(Game& game, int itemId);
// After winning a battle an event started, on the same cell; an encounter to chain.
int PostBattleCheck(Game& game);

// Opens and closes the walls that follow event flags, in the working floor.
void ApplyWallPatches(Game& game);

// The riddle comparison: full width, hiragana read as katakana.
std::string RiddleForm(const std::string& typed);

}  // namespace dv
