#pragma once

// The end of a battle: the rewards, victory with its chest and the hand-over to the
// dungeon, the clean-up every ending shares, and the wipe-out.

namespace dv {

struct Game;

// Experience and gold for the members still in the fight, with the healing skills.
void PayRewards(Game& game);
void Victory(Game& game);
// What every ending shares: battle-only statuses, shields, area effects and blessings end,
// the lost are erased, the screen goes back to the map and the game is saved.
void EndBattleCleanup(Game& game);
void PartyWipedOut(Game& game);

}  // namespace dv
