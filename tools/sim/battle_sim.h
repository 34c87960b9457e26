#pragma once

// The battle simulator: the real battle rules with no window, a party of six new
// adventurers (four fighters, a priest and a mage) of a given level, and a simple policy
// for their commands: fight the first group, flee when the party runs low. Many battles
// from one seed give how often the party wins, gets away or falls, floor by floor.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/battle_state.h"
#include "core/data/database.h"

namespace dv {

struct Game;

namespace sim {

struct Tally {
    int battles = 0;
    int won = 0;
    int fled = 0;
    int wipedOut = 0;
    int undecided = 0;  // still fighting after the round limit
    // Members dead or worse at the end of battles the party lived through.
    int fallen = 0;
    long rounds = 0;
};

class BattleSimulator {
  public:
    // The database is copied; seed starts the one generator every battle draws from.
    BattleSimulator(const Database& db, std::uint64_t seed);
    ~BattleSimulator();

    // The party's level for the next battles (new adventurers have level 1).
    void setPartyLevel(int level);
    // Flight is asked for once the party's hit points are below this share (percent).
    void setFleeBelow(int percent) { fleeBelow_ = percent; }
    // The party goes armed with the gear of the floor it fights on: the best of what the
    // shop sells (shopItems) and of what the floor's chests give (chest ranks up to the
    // floor's chest level). Without this call it fights bare-handed.
    void setGearByDepth(std::vector<int> shopItems);
    // The level of a chest the floor's monsters leave: their average level plus one, as
    // the battle's end rolls it (0 when the floor has no random battles).
    int chestLevel(int dungeon, int floor);

    // One battle of an encounter (0 = a random one of the floor's list) on a floor of a
    // dungeon, with the party fresh; returns how it ended.
    BattleEnd fight(int dungeon, int floor, int encounter = 0);
    // Many random battles on one floor.
    Tally floor(int dungeon, int floor, int battles);
    // Many battles of one encounter on a floor.
    Tally encounter(int dungeon, int floor, int encounter, int battles);
    // The encounters of a floor's random list, each once.
    std::vector<int> floorEncounters(int dungeon, int floor);

    Game& game() { return *game_; }
    // The party as it goes into each battle (its gear chosen for the last floor fought).
    const std::vector<Character>& party() const { return party_; }

  private:
    void placeParty(int dungeon, int floor);
    void outfit(int dungeon, int floor);
    int fallenMembers() const;

    std::unique_ptr<Game> game_;
    std::vector<Character> party_;
    int fleeBelow_ = 25;
    bool gearByDepth_ = false;
    std::vector<int> shopItems_;
    // The floor the party's gear was chosen for.
    int outfitDungeon_ = 0;
    int outfitFloor_ = -1;
    int loadedDungeon_ = 0;
    int loadedFloor_ = -1;
    int lastRounds_ = 0;
};

// Rounds after which a battle counts as undecided.
inline constexpr int kRoundLimit = 100;

}  // namespace sim
}  // namespace dv
