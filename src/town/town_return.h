#pragma once

namespace dv {

struct Game;

// The town after a party came back from a dungeon: the town menu, the party, the ending
// when it was earned.
void ShowTownAfterReturn(Game& game);

}  // namespace dv
