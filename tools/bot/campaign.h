#pragma once

// The whole run: a new roster made and equipped in town, then expedition after
// expedition into the dungeons the list offers, as deep as the party's levels allow, the
// temple, the inn and the shop after each, until the ending (or the goal) is reached or
// the run's limits are spent.

#include <cstdint>
#include <iosfwd>
#include <string>

namespace dv {

struct Database;
struct SaveData;

namespace bot {

struct CampaignOptions {
    std::uint64_t seed = 1;
    // The goal: dungeon 0 for the ending, else a floor of a dungeon to stand on (then the
    // party comes home and rests).
    int goalDungeon = 0;
    int goalFloor = 0;
    int maxExpeditions = 2000;
    long maxDays = 200000;
    int fleeBelow = 35;
    bool quiet = false;
    bool trace = false;
};

// Plays the run and prints its log; true when the goal was reached.
bool RunCampaign(const Database& db, const SaveData& save, const CampaignOptions& o,
                 std::ostream& out);

// The party level (the members' middle level) the bot wants before it walks a floor of a dungeon.
int LevelNeeded(int dungeon, int floor);

}  // namespace bot
}  // namespace dv
