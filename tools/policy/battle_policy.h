#pragma once

// The party's commands in battle, as a careful player gives them: every member who can
// act fights the first group (normal-auto), casters heal the badly hurt or cast their
// strongest attack or sleep spell, the fallen go behind the standing, and the party asks
// to flee once its hit points run low.

namespace dv {

struct Game;

namespace policy {

// Flight is asked for below this share (percent) of the party's hit points by default.
inline constexpr int kDefaultFleeBelow = 25;

// The party's hit points are below fleeBelow percent of their total.
bool PartyLow(const Game& game, int fleeBelow);

// One round of the running battle: a flight attempt when the party runs low, otherwise
// the commands and the round.
void PlayRound(Game& game, int fleeBelow);

// Plays rounds while the battle waits for commands, up to roundLimit; returns the rounds
// played. From round giveUpAfter on (0: never) the party only tries to flee, as a player
// would from a battle neither side is winning.
int PlayBattle(Game& game, int fleeBelow, int roundLimit, int giveUpAfter = 0);

}  // namespace policy
}  // namespace dv
