#pragma once

// What the bot tells of its run: the days, steps and battles, the levels, the deaths, and
// a line for every milestone (a floor first reached, an item of the progression, a flag).

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>

namespace dv {

struct Game;

namespace bot {

struct Tallies {
    long steps = 0;
    long days = 0;
    int battles = 0;
    int won = 0;
    int fled = 0;
    int deaths = 0;
    int wipeOuts = 0;
    int expeditions = 0;
    int innStays = 0;
    int levelUps = 0;
    int chestsOpened = 0;
    int chestsLeft = 0;
    int trapsSprung = 0;
    int itemsSold = 0;
    int potionsUsed = 0;
    int returnSpells = 0;
    double goldTemple = 0;
    double goldInn = 0;
    double goldShop = 0;
};

class RunLog {
  public:
    explicit RunLog(std::ostream& out, bool quiet) : out_(out), quiet_(quiet) {}

    Tallies& tallies() { return t_; }
    const Tallies& tallies() const { return t_; }

    // A line with the day and the party's levels in front.
    void line(const Game& game, const std::string& text);
    // A line only when not quiet.
    void detail(const Game& game, const std::string& text);
    // The first time the party stands on a floor, with the tallies so far.
    void floorReached(const Game& game);
    // The closing summary.
    void summary(const Game& game, bool reached, const std::string& goal);

    // The party's levels, lowest first ("3,3,4,4,4,5").
    static std::string levels(const Game& game);
    // The lowest level among the members.
    static int lowestLevel(const Game& game);
    // The members' middle level (the lower one of an even party): a new member among
    // seasoned ones is carried by them and catches up fast, while one seasoned member
    // among new ones does not take them deep.
    static int partyLevel(const Game& game);

  private:
    std::ostream& out_;
    bool quiet_;
    Tallies t_;
    std::map<std::pair<int, int>, bool> floors_;
};

}  // namespace bot
}  // namespace dv
