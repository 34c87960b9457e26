#pragma once

// The scripted abilities of the monster action table (rows of kind 3): what each id does
// is fixed here, whatever its row says beyond the kind.

#include "core/data/character.h"

namespace dv {

struct Game;

// Carries out ability `id` for monster m; ally is the summoned ally the turn's ally roll
// named (nullptr: the party).
void MonsterAbility(Game& game, Character& m, int id, Character* ally);

// The melee attack of a monster (ability 1), with cover, the return from Valhalla, revenge
// and the counter; also the melee of a monster that attacks its own side.
void MonsterMelee(Game& game, Character& m, Character* ally);

}  // namespace dv
