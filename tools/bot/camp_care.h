#pragma once

// Between battles the party's casters look after it with the camp spells they have points
// for, cast through the character sheet's own cast: the badly hurt are healed, the
// poisoned cured.

namespace dv {

struct Game;

namespace bot {

struct Intent;

// Casts until nobody is below the share (percent) of its hit points that the casters can
// help, or their points run out (in the dungeon or in town, where the sheet casts too).
// Returns the spells cast.
int CampCare(Game& game, Intent& intent, int healBelow);

}  // namespace bot
}  // namespace dv
