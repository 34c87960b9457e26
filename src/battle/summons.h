#pragma once

// Summoned allies: the summon command calls a group of a kind the party has beaten
// before; the allies fight the monsters on their own initiative with the monsters' action
// table turned around, and a summon may start a talk with a monster it knows.

#include <string>
#include <vector>

#include "core/data/character.h"

namespace dv {

struct Game;

// The window of summon levels around level L: L-5..L+5 inside 1..100.
void SummonWindow(int level, int& low, int& high);
// The monster numbers a summoner may call at a summon level (defeated before, in the
// window, of a type whose summoning skill the summoner has).
std::vector<int> SummonCandidates(const Game& game, const Character& summoner, int level);

// The summon command of the member (its actionSpell holds the summon level).
void SummonAction(Game& game, Character& member);
// After a summon of kind k: a talk with a monster group it knows, and a gift.
void ConversationCheck(Game& game, int kind);
// The turn of the ally in summon slot `slot` (1..9).
void AllyTurn(Game& game, int slot);

}  // namespace dv
