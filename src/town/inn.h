#pragma once

// The inn: a party member is chosen on the party panel, then a room from the inn's menu
// (menu 6); the member stays, pays, heals, ages, and the rest outcome follows.

namespace dv {

struct Game;

inline constexpr int kInnMenu = 6;

// From the town (the party is there): the inn's music, its menu shown disabled, the
// greeting, member choice.
void EnterInn(Game& game);
// A room chosen in menu 6 (entry 0..4), or entry 5: back to member choice.
void ChooseInnRoom(Game& game, int entry);

}  // namespace dv
