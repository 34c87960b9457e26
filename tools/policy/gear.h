#pragma once

// What a careful player wears: the worth of an item to its wearer, the best of what a
// member carries put on, and a member outfitted from a list of items on offer.

#include <vector>

#include "core/data/character.h"
#include "core/data/records.h"

namespace dv {
struct Game;
}

namespace dv::policy {

// A weapon's average damage with its attack bonus; armour's protection (a negative armour
// bonus protects).
int ItemWorth(const ItemRecord& item);

// The equipment code an item kind is worn with (weapons, shields, armour, gauntlets, boots,
// helmets), 0 for the kinds that are not worn.
int EquipCodeOfKind(int kind);

// The worth of what the member wears with a code (0 when nothing).
int WornWorth(const Game& g, const Character& c, int code);

// Puts on the best uncursed item the member carries for each code, where it is better than
// what is worn, by the equipment rules.
void WearBest(Game& g, Character& c);

// For each worn kind, the best item of `offered` the member may use and that is not cursed
// goes into the pack (shields for fighters only, as the other classes fight from the back),
// and the best is worn. Items that find no room are left out.
void OutfitWith(Game& g, Character& c, const std::vector<int>& offered);

}  // namespace dv::policy
