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

// With no spell left, the potions and salves the party carries heal the worst hurt below
// the share, one at a time, used as the sheet uses an item. Returns the items used.
int DrinkPotions(Game& game, Intent& intent, int healBelow);

// The spell that takes the party back to the dungeon's entrance (all its gold left
// behind), cast by whoever has a point for it, else the wings that carry it; false when
// the party has neither.
bool CastReturn(Game& game, Intent& intent);

// Whether the party can cure poison now: an antidote carried or a caster with the spell.
bool CanCurePoison(const Game& game);

// Whether an item heals, cures poison or takes the party home when used outside battle
// (the bot buys and keeps these).
bool IsRemedy(const Game& game, int itemId);

}  // namespace bot
}  // namespace dv
