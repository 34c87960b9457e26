#pragma once

// The few changes the dungeon makes to the party on its own (items found, the place written
// into the records). Damage, healing and statuses are the combat core's (combat/), the
// party look-ups the party's (characters/party.h).

#include "characters/party.h"
#include "core/data/character.h"

namespace dv {

struct Game;

// Gives item n to the first party member with a free slot; false (and message 1053) when
// nobody has room.
bool GiveItemToParty(Game& game, int item);

// Copies the party's place into every member's record.
void WritePlaceToMembers(Game& game);

}  // namespace dv
