#pragma once

// The monster abilities larger than a table row: spells from the shared spell table,
// breath on the whole party, calls for help, new groups called in and flight. A monster's
// turn dispatches to them by action id.

#include "core/data/character.h"

namespace dv {

struct Game;

// Action ids 0, 2..28: a spell of a school (0..2) and level (1..9) that monsters may cast;
// school 0 and level -1 (id 0) always falls to spell record 0.
void CastMonsterSpell(Game& game, Character& m, int school, int level);
// The school and level of a spell action id; false for ids that are no spell.
bool MonsterSpellOfAction(int id, int& school, int& level);
// Ids 36..39: fire (4), lightning (9), cold (8) or acid (10) on the party or the allies.
void BreathAttack(Game& game, Character& m, int element);
// A breath's word in its message ("炎の"...) and the status it brings (0: none), by element.
const char* BreathWord(int element);
int BreathStatus(int element);
// Id 35: a dead place of the monster's group is filled again, one time in two.
void CallForHelp(Game& game, Character& m);
// Ids 90..95: a new group from the call table takes the first free group.
void CallMonsters(Game& game, Character& m, int id);
// Id 29: the monster leaves the battle without rewards.
void MonsterFlee(Game& game, Character& m);

}  // namespace dv
