#pragma once

// The rules of the roster that the training grounds and the roster window share.

#include <string>

#include "core/data/save_data.h"

namespace dv {

// Moves the character of slot `from` to slot `to`, shifting those between by one, then
// renumbers every used slot's rosterId to its slot.
void MoveRosterSlot(SaveData& save, int from, int to);

// Nobody of that party can act (also true for a party id nobody carries).
bool PartyWipedOut(const SaveData& save, int partyId);

// Empties the slot: it becomes the blank record of slot 0.
void DeleteCharacter(SaveData& save, int slot);

// Gives the character of the slot a new name; false (nothing changed) when a character
// of the roster already has that name or the slot is empty.
bool RenameCharacter(SaveData& save, int slot, const std::string& name);

}  // namespace dv
