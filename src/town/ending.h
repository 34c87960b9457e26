#pragma once

namespace dv {

struct Game;

// On every return to town from a dungeon, after the party is back: when event flag 41 is
// set and a member carries item 657, the ending texts, the members' completion marks and
// the reset of the last dungeons' flags. Then the party panel is shown, disabled, and the
// castle music plays.
void EndingOnReturn(Game& game);

// Whether the party has earned the ending (flag 41 and item 657 in some member's pack).
bool EndingEarned(const Game& game);

}  // namespace dv
