#pragma once

// What a character does with the items it carries outside battle: giving one to another
// member, pooling the party's gold, dropping, identifying by skill. The sheet asks the
// player and shows the outcome; these rules only change the records.

#include <cstdint>

namespace dv {

struct Game;

enum class GiveOutcome {
    Cursed,       // stuck on the giver: nothing moves
    Worn,         // equipped: nothing moves
    Full,         // the receiver had no room: nothing moves
    PartlyGiven,  // part of a stack moved, the giver keeps the rest
    Given,        // everything moved (to oneself: to the end of the list)
};
// Gives the whole slot (1..15) of one roster character to another (or to itself).
GiveOutcome GiveItem(Game& game, int giver, int slot, int receiver);

// The party's gold in the receiver's purse: every member's gold, each step rounded to a
// whole number. False, and nothing changes, when the sum would pass what a purse holds.
bool PoolGold(Game& game, int receiver);

enum class DropOutcome { Cursed, Worn, Undroppable, Dropped };
// Drops one unit of a slot. Event items (kind 11) stay.
DropOutcome DropItem(Game& game, int character, int slot);

enum class IdentifyOutcome { Identified, Frightened, Failed };
// Identification by skill: a roll of 1..level + 1 against the item's difficulty (a 1 in
// 50 always succeeds); a poor roll frightens the character.
IdentifyOutcome IdentifyAttempt(Game& game, int character, int slot);

// The sum of the party's gold as the sheet and the shop pool it (each step rounded, halves
// to even), or -1 when it passes what a purse holds.
double PartyGoldTotal(const Game& game);

}  // namespace dv
