#pragma once

// Party look-ups and the few character changes the dungeon makes on its own (steps,
// trap floors, pools). The battle's combat core applies the same rules to fighters.

#include <string>

#include "core/data/character.h"

namespace dv {

struct Game;

// The roster record of party slot 1..6, or nullptr when the slot is empty or bad.
Character* PartyMember(Game& game, int partySlot);
// Any party member has skill n.
bool PartyHasSkill(Game& game, int skill);
// Any party member (or, with wholeRoster, any roster character) carries item n.
bool PartyHasItem(Game& game, int item, bool wholeRoster = false);

// Raises hitPoints by amount, never above maxHitPoints.
void HealQuietly(Character& c, int amount);
// Lowers hitPoints; below 1 the character dies (hitPoints 0, the dead bit). Returns true
// when this loss killed it.
bool DamageQuietly(Character& c, int amount);
// The damage message: name + "は\n" + amount + "のダメージをうけた", and the death line.
std::string DamageText(const Character& c, int amount, bool died);

// The status bit a resistance index 15..34 stands for (0 for indexes without one).
std::int32_t StatusOfResistance(int index);

// Copies the party's place into every member's record.
void WritePlaceToMembers(Game& game);

}  // namespace dv
