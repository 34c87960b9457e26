#pragma once

// Errands: what the world still asks for, read backwards from the ending (flag 41) through
// the game's own data, to the next link the party can take now. A need is an item or a
// flag; what provides it is a map event (a hidden item, a guardian's reward, a flag set on
// arrival, a lever, an item turned into another) or a person's trade (the people's gift
// table); what that provider needs in turn is its event's conditions, the item a battle is
// called up with or a person takes, the dungeon's opening and the gates (key doors, flag
// gates) on the way from the dungeon's entrance to its cell. The first provider whose needs
// all hold, on a floor the party's level allows, is the errand: a cell to stand on and what
// to do there.

#include <optional>
#include <string>

#include "route.h"

namespace dv {

struct Game;

namespace bot {

struct Errand {
    enum Kind { kSearch, kUseItem, kStepOn } kind = kStepOn;
    int dungeon = 0;
    Spot cell;
    int item = 0;       // the item used (kUseItem)
    std::string chain;  // what it is for, the wanted end last, for the log
};

// The next errand towards the ending for a party of this level, if one can be taken now.
std::optional<Errand> NextErrand(const Game& game, int level);

}  // namespace bot
}  // namespace dv
