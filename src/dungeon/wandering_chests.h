#pragma once

// The fifty wandering chests lying about the dungeons (save file chestSpots, spots 1..50,
// columns 1 dungeon, 2 floor, 3 X, 4 Y, 5 active).

namespace dv {

struct Game;

inline constexpr int kWanderingChests = 50;

// Places the inactive spots (all = false, at start-up) or every spot (all = true, when
// the clocks wrap) on random cells that are not solid rock.
void PlaceWanderingChests(Game& game, bool all);
// The active spot on the party's cell (1..50), 0 when none.
int WanderingChestHere(Game& game);

}  // namespace dv
