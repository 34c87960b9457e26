#pragma once

// The active party: who belongs to it, its order, the alignments it accepts, and the party
// panel rows on the main window.

#include <cstdint>
#include <vector>

#include "core/game.h"

namespace dv {

// rosterId above 0, and partyId, floor and dungeonId those of the active party.
bool IsPartyMember(const Game& game, int slot);

// 2 OR-ed with the alignment of every current member.
int PartyAlignmentMask(const Game& game);
// Whether a character of this alignment may join a party with this mask: neutral always,
// lawful only without chaotic members, chaotic only without lawful ones (mask 7: neutral
// only).
bool AlignmentAccepted(int partyMask, int alignment);

// The roster record of party slot 1..6, or nullptr when the slot is empty or bad.
Character* PartyMember(Game& game, int partySlot);
const Character* PartyMember(const Game& game, int partySlot);
// The number of party slots in use, 0..6.
int PartySize(const Game& game);
// The party's members in slot order.
std::vector<Character*> PartyMembers(Game& game);
// Any party member has skill n.
bool PartyHasSkill(const Game& game, int skill);
// Any party member (or, with wholeRoster, any roster character) carries item n.
bool PartyHasItem(const Game& game, int item, bool wholeRoster = false);

// Rebuilds partyCount, partyMembers and the members' positions from the roster (members
// who cannot act go behind, then by position, then by slot; at most six) and refreshes
// the party panel when the main window exists.
void RebuildParty(Game& game);
// Only the panel rows, from the current party.
void DrawPartyPanel(Game& game);

// The characters the tavern may add: rosterId 1 or more, at rest in town (dungeonId 0,
// floor 0) and of an alignment the party accepts.
std::vector<int> JoinCandidates(const Game& game);
// Adds a character to the end of the party (it is then in town with the party).
void AddToParty(Game& game, int slot);
// Takes a character out of the party: it is at rest again.
void RemoveFromParty(Game& game, int slot);

// The tavern's even division: the members' gold summed (exactly, in double precision),
// divided by the party size and rounded down; each member gets that share and the
// remainder is lost. Returns the share.
double DivideGold(Game& game);

}  // namespace dv
