#pragma once

// The command menus of the main window's command list: the table of every menu's caption
// and entries, and showing one. What an entry does belongs to the screens above; the list
// passes the choice on through the chooseMenuEntry link.

namespace dv {

struct Game;

// The menu number of the map view (the command list gives way to the view).
inline constexpr int kDungeonMenu = 11;

// Fills the command list with menu n (caption and entries), sets menuState, selects the
// first entry and gives the list the focus when the main window is shown.
void BuildMenu(Game& game, int n);

// Keys on the command list: Esc and Backspace choose the last entry, which always leads
// back or out.
void MenuKeyDown(Game& game, int& keyCode, int shift);

}  // namespace dv
