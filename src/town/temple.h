#pragma once

// The temple: the list of everyone out of the dungeon who needs help (menu 2), then a
// party member who pays.

#include <vector>

#include "town/temple_rules.h"

namespace dv {

struct Game;

inline constexpr int kTempleMenu = 2;

// The rows on display: each patient's roster slot and the fee fixed when the list was
// built. A part of the main window (see Screens::addPart).
class TempleRows {
  public:
    std::vector<TemplePatient> rows;
};

// Fills the command list with the patients and "戻る", selects the first row; returns the
// number of patients.
int BuildTempleList(Game& game);
// From the town (the party is there): the list when someone needs help, otherwise the
// message and the town menu.
void EnterTemple(Game& game);
// A row chosen in menu 2 (-1: a choice while the list is empty): "戻る" or nothing leads
// back to the town, a patient starts the choice of the payer.
void ChooseTemplePatient(Game& game, int entry);

}  // namespace dv
