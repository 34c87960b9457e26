#pragma once

// The bot in a person's room: it gives the items the people trade for and says the words
// that earn a gift (the people's own tables and gift rules, src/town/people_gifts.h).

namespace dv {

struct Game;

namespace bot {

class RunLog;

// The talkTo link of the bot's game.
void VisitPerson(Game& game, int person, RunLog& log);

}  // namespace bot
}  // namespace dv
