#pragma once

// The skills each member keeps checked, as a player would choose them in the skill window:
// for the priest the cure of disease and the prayers after victory, for the fighters more
// blows and the breath after victory, for the mage stronger spells.

namespace dv {

struct Game;

namespace bot {

class RunLog;

// Checks the best skills the class, the level and the worn items offer each member of the
// party, up to the game's limit, and logs each new choice. Returns the members whose choice
// changed.
int ChooseBotSkills(Game& game, RunLog& log);

}  // namespace bot
}  // namespace dv
