#pragma once

namespace dv {

struct Game;

// Fills the command list with menu n (caption and entries), sets menuState, selects the
// first entry and gives the list the focus when the main window is shown.
void BuildMenu(Game& game, int n);

// The list's choose event: acts on the selected entry of the menu on display.
void ChooseMenuEntry(Game& game);

// Keys on the command list: Esc and Backspace choose the last entry, which always leads
// back or out.
void MenuKeyDown(Game& game, int& keyCode, int shift);

}  // namespace dv
