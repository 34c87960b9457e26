#pragma once

// Items for the party as a whole: the first member with room, and an item given to the
// party by an event, a person, a fusion or a monster.

#include <cstdint>

namespace dv {

struct Game;

// The first party member (in party order) with an empty slot becomes currentCharacter;
// returns that slot, or -1 when every member's fifteen slots are taken.
int FindPartySpace(Game& game);

// How GiveItemToParty tells the player.
enum class Announce {
    Quiet,     // nothing (a full party is not told either)
    Plain,     // "アイテムを手に入れた"
    WithName,  // the item's name (its unidentified name when so given) + "を手に入れた"
};

// Gives one unit to the member FindPartySpace finds; with countFound the item's found
// counter goes up. Returns 0, or -1 when the party is full ("アイテムがいっぱいです" unless
// quiet) or the item number is outside the table; the item is then not given.
int GiveItemToParty(Game& game, int itemId, bool unidentified, Announce announce, bool countFound);

// Adds one to the found counter of an item number 1..2000 (others are left alone).
void CountFound(Game& game, int itemId);

}  // namespace dv
