#pragma once

// One expedition: the party enters a dungeon through the game's own entry, walks with the
// route planner to the nearest cell it has not seen or whose event may give something
// new, fights every battle that starts with the party policy, searches and uses items
// where the floor has something for them, and walks back up to the town when it is hurt,
// its goal is reached or nothing is left to do at the depth its levels allow.

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "route.h"

namespace dv {

struct Game;
struct MapEvent;

namespace bot {

struct Intent;
class RunLog;

struct ExpeditionResult {
    bool backInTown = false;
    bool wipedOut = false;
    bool goalReached = false;  // the party stood on the goal's floor
    bool workLeft = false;     // something was left to do at the allowed depth
};

// Item numbers from here on belong to the world's story.
inline constexpr int kFirstWorldItem = 600;

// An item the world asks for somewhere: an event item, one of the story's, or one an event
// of the floors takes or looks for (not what a search only gives). Never sold, and a change
// in them is news.
bool WorldItem(const Game& game, int id);

// The world's items the party holds and which flags are set, as one text: a change means
// doors may have opened and events may give something new. Loot does not count.
std::string PartyKnowledge(const Game& game);

// An event battle (encounter number) the party is strong enough for.
bool ReadyForBattle(const Game& game, int encounter);

class Explorer {
  public:
    Explorer(Game& game, Intent& intent, RunLog& log);

    // Flight is asked for below this share of the party's hit points.
    void setFleeBelow(int percent) { fleeBelow_ = percent; }
    // Steps after which an expedition turns home whatever happens.
    void setStepLimit(long steps) { stepLimit_ = steps; }

    // Into a dungeon down to floor `deepest`; goalFloor (0: none) ends the expedition on
    // arrival there. grind: with nothing left to see, walk the deepest floor for battles
    // until it is time to rest.
    ExpeditionResult run(int dungeon, int deepest, int goalFloor, bool grind);
    // An errand: straight to one cell of a dungeon, whatever is to be done there (the
    // searches, the item uses and the meetings of the cell run as anywhere), then home.
    ExpeditionResult runErrand(int dungeon, const Spot& cell);

  private:
    bool tired() const;
    // A member fallen, disease, or a party low on hit points.
    bool inDanger() const;
    // The living members' hit points as a share of their maximum.
    int hitPointPercent() const;
    // Hit points and statuses of the members, for the log.
    std::string partyState() const;
    void settleBattles();
    void lookAround();
    void makeRoom();
    bool pending(const Spot& s) const;
    bool follow(const std::vector<Move>& moves);
    bool walk(int direction, bool transitAfter);
    bool transitHere();
    void goHome();
    void noteKnowledge();

    Game& g_;
    Intent& intent_;
    RunLog& log_;
    RoutePlanner planner_;
    int fleeBelow_ = 35;
    long stepLimit_ = 3000;
    long expeditionSteps_ = 0;
    int fallenAtEntry_ = 0;
    int homeBelow_ = 55;
    std::array<int, 7> entryHitPoints_{};
    std::string known_;
    std::optional<Spot> errand_;
    // Cells first seen and events tried, over the whole run.
    long progress_ = 0;
    // Cells seen, by dungeon; events run or tried since the party's knowledge changed.
    std::map<int, std::set<Spot>> seen_;
    std::set<const MapEvent*> done_;
    // The lowest level at which a guardian was last fought (fought again once it rises).
    std::map<const MapEvent*, int> foughtAt_;
    std::map<std::tuple<int, int, int, int>, int> tries_;
};

}  // namespace bot
}  // namespace dv
