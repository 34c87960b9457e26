#pragma once

// A monster's turn: whether it acts, the action drawn from its twenty slots, the melee
// attack with its choice of victim, the table-driven actions and the scripted abilities,
// and the upkeep at the end of the turn (regeneration, poison, coming out of hiding).

#include <vector>

#include "core/data/character.h"

namespace dv {

struct Game;

// The turn of the monster in (group, slot) of the battle; actingGroup and actingSlot name
// it while it runs. Shows its own messages.
void MonsterTurn(Game& game, int group, int slot);

// The party member a melee swing of this monster goes for (weighted by row, the monster's
// cleverness and the members' states), or nullptr.
Character* ChooseMeleeTarget(Game& game, const Character& monster);

// Whether an action goes for a summoned ally instead of the party: the ally, or nullptr.
Character* AllyTargetRoll(Game& game);

// A random group 1..4 that still has a fighter (up to 50 draws); 0 when none was found.
int PickLivingGroup(Game& game);

// Party targets of the action table's target kinds (2 one random living member, 3 every
// member, 4 every member not dead, ashes or lost, 5 draws of a living member, 12, 14, 15
// the same in the front row); draws is the number of draws for kinds 5 and 15.
std::vector<Character*> PartyTargets(Game& game, int targetKind, int draws);

}  // namespace dv
