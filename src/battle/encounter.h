#pragma once

// The opening of a battle: the encounter, the monster groups with their sizes, hit points,
// names and the moons' say, and the opening roll (a first strike on either side, a
// friendly meeting, a back attack) before command entry.

#include "core/battle_state.h"
#include "core/data/character.h"
#include "core/data/save_data.h"

namespace dv {

struct Game;

// Starts a battle: encounter 0 draws one from the floor's list; no list, or an encounter
// that names no table row, starts none. Returns with the battle in command entry, or
// over already (a refused meeting, a first strike that ended it).
void StartEncounter(Game& game, const EncounterCall& call);

// What the two moons do to a new monster of each type.
void AdjustForMoons(const SaveData& save, Character& monster);

}  // namespace dv
