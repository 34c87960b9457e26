#pragma once

// The bot in a person's room: it gives the items the people trade for (what their talk
// tells: the clouded gem to the junk dealer, the fish to the timid orc, the wine to the
// drunkard, the honey to the young lady, the lotion and the golden apple to the queen) and
// says the words that earn a gift, through the people's own gift rules.

namespace dv {

struct Game;

namespace bot {

class RunLog;

// The talkTo link of the bot's game.
void VisitPerson(Game& game, int person, RunLog& log);

}  // namespace bot
}  // namespace dv
