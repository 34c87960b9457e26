#pragma once

// The game as the bot plays it: no window, the data files of the game folder, one seeded
// generator, no save written. Messages are read at once; questions are answered by what
// the party means to do at that moment (take these stairs, go home, step into a circle),
// riddles with the words the floors taught.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/data/database.h"
#include "core/data/save_data.h"

namespace dv {

struct Game;

namespace bot {

// What the party means to do with the next question it is asked.
struct Intent {
    bool transit = false;   // take the stairs or the circle it stands on
    bool home = false;      // go back up to the town from the entrance
    bool pullLever = true;  // false for a lever that would switch back what it opened
    int pickSlot = 0;       // the roster slot named when a member is to be chosen
    // The words tried at riddle doors, in turn: each refusal moves on to the next.
    std::vector<std::string> riddleWords;
    std::size_t nextWord = 0;
    // Every message and question is also written to standard error (--trace).
    bool trace = false;
};

class RunLog;

// A fresh game over the given data, answering through intent and telling the people's
// trades to log (both must outlive it).
std::unique_ptr<Game> MakeBotGame(const Database& db, const SaveData& save, std::uint64_t seed,
                                  Intent& intent, RunLog& log);

}  // namespace bot
}  // namespace dv
