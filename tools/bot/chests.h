#pragma once

// The chests monsters leave, handled as a careful player does on the chest screen: the
// trap read with the spell or an inspection, a chest left when the trap it seems to hold
// would hurt the party more than it can bear, disarmed by name by a member who can, else
// opened by the sturdiest member.

namespace dv {

struct Game;

namespace bot {

class RunLog;

// The chests waiting after the last battles; returns how many were opened.
int HandleBattleChests(Game& game, RunLog& log);

}  // namespace bot
}  // namespace dv
