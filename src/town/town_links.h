#pragma once

namespace dv {

struct Game;

// Hands the dungeon the town's own screens: the party rebuild, the roster picker for a
// resume, the pick-lists, the character sheet, the reorder panel and the return to town
// with its ending.
void InstallTownLinks(Game& game);

// The town after a party came back from a dungeon: the town menu, the party, the ending
// when it was earned.
void ShowTownAfterReturn(Game& game);

}  // namespace dv
