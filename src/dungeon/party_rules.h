#pragma once

// The few changes the dungeon makes to the party on its own (the place written into the
// records). Items for the party are the characters' (characters/party_items.h),
// damage, healing and statuses the combat core's (combat/), the party look-ups the
// party's (characters/party.h).

#include "characters/party.h"
#include "core/data/character.h"

namespace dv {

struct Game;

// Copies the party's place into every member's record.
void WritePlaceToMembers(Game& game);

}  // namespace dv
