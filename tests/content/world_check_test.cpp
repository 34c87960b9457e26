// The check that the world can be played from the town to its ending: a small complete
// world passes, and each small break of it is reported with its file and line.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "content/check_battle.h"
#include "content/check_world.h"
#include "content/content_set.h"
#include "content/event_source.h"
#include "content/maze_text.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

constexpr int kOpen = 0, kWall = 1, kHidden = 2, kDoor = 3;
constexpr int kDx[] = {0, 1, 0, -1}, kDy[] = {-1, 0, 1, 0};

// Every floor in use is a short passage from (0, 0) down to (0, 3) with the stairs at both
// ends; the people live in the passages of dungeons 21..23; the progression's events lie on
// the last floors; the bound demons roam the first floor of dungeon 25.
class SmallWorld {
  public:
    SmallWorld() : set_(std::make_unique<ContentSet>()) {
        dir_ = fs::temp_directory_path() / ("dv-world-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "events");
        fs::create_directories(dir_ / "mazes");
        Database& db = set_->db;
        for (int d = 21; d <= 26; ++d)
            for (int f = 1; f <= floorsInUse(d); ++f) {
                for (int x = 0; x < kMazeSize; ++x)
                    for (int y = 0; y < kMazeSize; ++y)
                        db.mazeWalls.set(d, f, x, y, 15);
                for (int y = 0; y < 3; ++y)
                    side(d, f, 0, y, 2, kOpen, kOpen);
                if (f < floorsInUse(d))
                    event(d, f,
                          "{at: [0, 3], on: arrival, do: stairs, to: [" + std::to_string(f + 1) +
                              ", 0, 0]}");
                if (f > 1)
                    event(d, f,
                          "{at: [0, 0], on: arrival, do: stairs, up: true, to: [" +
                              std::to_string(f - 1) + ", 0, 3]}");
            }
        for (int n = 1; n <= 12; ++n) {
            const int d = n <= 5 ? 21 : n <= 9 ? 22 : 23, f = n <= 5 ? n : n <= 9 ? n - 5 : n - 9;
            event(d, f,
                  "{at: [0, 1], on: arrival, moved: true, do: person, npc: " + std::to_string(n) +
                      "}");
        }
        event(23, 7, "{at: [0, 2], on: arrival, moved: true, do: setFlag, flag: 11, value: 1}");
        event(24, 1, "{at: [0, 2], on: search, do: hiddenItem, item: 636}");
        event(24, 7, "{at: [0, 2], on: search, do: hiddenItem, item: 635}");
        event(25, 2, "{at: [0, 2], on: arrival, moved: true, do: setFlag, flag: 12, value: 1}");
        event(26, 1,
              "{at: [0, 2], on: arrival, moved: true, when: {flag: 41, is: 0}, do: battle, "
              "encounter: 1387, music: 15}");
        event(26, 1, "{at: [0, 2], on: afterBattle, do: reward, result: 657, flag: 41, value: 1}");
        db.encounterTable(1387, kEncounterFirstGroup) = 1183;
        for (int m = 698; m <= 769; ++m) {
            const int row = 200 + m;
            db.encounterTable(row, kEncounterId) = static_cast<std::int16_t>(row);
            db.encounterTable(row, kEncounterDungeon) = 5;
            db.encounterTable(row, kEncounterFloor) = 1;
            db.encounterTable(row, kEncounterFirstGroup) = static_cast<std::int16_t>(m);
        }
    }
    ~SmallWorld() { fs::remove_all(dir_); }

    Database& db() { return set_->db; }

    // Both sides between a cell and its neighbour: `a` the cell's own, `b` the neighbour's.
    void side(int d, int f, int x, int y, int dir, int a, int b) {
        setSide(d, f, x, y, dir, a);
        setSide(d, f, x + kDx[dir], y + kDy[dir], (dir + 2) % 4, b);
    }

    void event(int d, int f, const std::string& flowMap) {
        texts_[{d, f}] += "- " + flowMap + "\n";
    }
    // Removes the events whose text holds `part`.
    void drop(int d, int f, const std::string& part) {
        std::istringstream in(texts_[{d, f}]);
        std::string line, kept;
        while (std::getline(in, line))
            if (line.find(part) == std::string::npos) kept += line + "\n";
        texts_[{d, f}] = kept;
    }

    std::string eventsFile(int d, int f) const {
        return (dir_ / "events" / ("d" + std::to_string(d) + "f" + std::to_string(f) + ".yaml"))
            .string();
    }
    std::string mazeFile(int d, int f) const {
        return (dir_ / "mazes" / floorFileName(d, f)).string();
    }
    // The line of an event's text in its floor's file.
    int lineOf(int d, int f, const std::string& part) const {
        std::istringstream in(texts_.at({d, f}));
        std::string line;
        for (int n = 1; std::getline(in, line); ++n)
            if (line.find(part) != std::string::npos) return n;
        return 0;
    }

    std::vector<CheckProblem> check() {
        set_->events.clear();
        for (const auto& [key, text] : texts_) {
            std::ofstream(eventsFile(key.first, key.second)) << text;
            auto events =
                parseEventFile(text, eventsFile(key.first, key.second), key.first, key.second);
            set_->events.insert(set_->events.end(), events.begin(), events.end());
        }
        for (int d = 21; d <= 26; ++d)
            for (int f = 1; f <= floorsInUse(d); ++f) {
                std::ofstream(mazeFile(d, f))
                    << writeFloorText(floorOf(set_->db, d, f), "a small floor");
                set_->where["mazes"][d * 100 + f] = {mazeFile(d, f), 1};
            }
        for (int m = 698; m <= 769; ++m)
            set_->where["monsters"][m] = {(dir_ / "monsters.yaml").string(), m - 697};
        return checkWorld(*set_);
    }

  private:
    void setSide(int d, int f, int x, int y, int dir, int state) {
        const int bit = 1 << dir;
        auto w = static_cast<std::uint16_t>(db().mazeWalls.at(d, f, x, y));
        auto o = static_cast<std::uint16_t>(db().mazeDoors.at(d, f, x, y));
        w = static_cast<std::uint16_t>((state & 1) ? (w | bit) : (w & ~bit));
        o = static_cast<std::uint16_t>((state & 2) ? (o | bit) : (o & ~bit));
        db().mazeWalls.set(d, f, x, y, static_cast<std::int16_t>(w));
        db().mazeDoors.set(d, f, x, y, static_cast<std::int16_t>(o));
    }

    std::unique_ptr<ContentSet> set_;
    fs::path dir_;
    std::map<std::pair<int, int>, std::string> texts_;
};

std::string describe(const std::vector<CheckProblem>& problems) {
    std::ostringstream s;
    for (const auto& p : problems)
        s << p.where.file << ":" << p.where.line << ": " << p.message << "\n";
    return s.str();
}

TEST(WorldCheck, ASmallCompleteWorldPasses) {
    SmallWorld w;
    const auto problems = w.check();
    EXPECT_TRUE(problems.empty()) << describe(problems);
}

// The picture line of a cell's row in a floor file written by writeFloorText: its title
// line, then the column ruler, then a border line above every row.
int rowLine(int y) {
    return 3 + 2 * y + 1;
}

struct BrokenWorld {
    const char* what;
    std::function<void(SmallWorld&)> breakIt;
    // Where the problem must be reported, given the world; and a part of its message.
    std::function<SourceLine(const SmallWorld&)> at;
    const char* mentions;
};

// Cases are reported by what they break, not as bytes.
void PrintTo(const BrokenWorld& c, std::ostream* os) {
    *os << c.what;
}

class WorldFault : public ::testing::TestWithParam<BrokenWorld> {};

TEST_P(WorldFault, IsReportedWithFileAndLine) {
    const BrokenWorld& c = GetParam();
    SmallWorld w;
    c.breakIt(w);
    const auto problems = w.check();
    const SourceLine at = c.at(w);
    bool found = false;
    for (const auto& p : problems)
        found = found || (p.where.file == at.file && p.where.line == at.line &&
                          p.message.find(c.mentions) != std::string::npos);
    EXPECT_TRUE(found) << c.what << ": expected " << at.file << ":" << at.line << " \""
                       << c.mentions << "\" among\n"
                       << describe(problems);
}

const BrokenWorld kBrokenWorlds[] = {
    {"no event opens the underworld", [](SmallWorld& w) { w.drop(23, 7, "flag: 11"); },
     [](const SmallWorld& w) {
         return SourceLine{fs::path(w.eventsFile(21, 1)).parent_path().string(), 0};
     },
     "no event gives flag 11 = 1"},
    {"the event that opens the underworld lies beyond a door whose key is never found",
     [](SmallWorld& w) {
         w.side(23, 7, 0, 1, 2, kDoor, kDoor);
         w.event(23, 7, "{at: [0, 1], facing: south, on: prestep, do: keyDoor, items: [899]}");
     },
     [](const SmallWorld& w) {
         return SourceLine{w.eventsFile(23, 7), w.lineOf(23, 7, "items: [899]")};
     },
     "it needs item 899, which the party never finds"},
    {"a key that lies behind its own door",
     [](SmallWorld& w) {
         w.side(24, 1, 0, 2, 1, kDoor, kDoor);
         w.drop(24, 1, "item: 636");
         w.event(24, 1, "{at: [1, 2], on: search, do: hiddenItem, item: 636}");
         w.event(24, 1, "{at: [0, 2], facing: east, on: prestep, do: keyDoor, items: [636]}");
     },
     [](const SmallWorld& w) {
         return SourceLine{w.eventsFile(24, 1), w.lineOf(24, 1, "item: 636}")};
     },
     "the party never gets to this cell"},
    {"the moon half of the key is never handed out",
     [](SmallWorld& w) { w.drop(24, 1, "item: 636"); },
     [](const SmallWorld& w) {
         return SourceLine{fs::path(w.eventsFile(21, 1)).parent_path().string(), 0};
     },
     "no event gives item 636"},
    {"the last battle gives no fruit",
     [](SmallWorld& w) {
         w.drop(26, 1, "result: 657");
         w.event(26, 1, "{at: [0, 2], on: afterBattle, do: reward, flag: 41, value: 1}");
     },
     [](const SmallWorld& w) {
         return SourceLine{fs::path(w.eventsFile(21, 1)).parent_path().string(), 0};
     },
     "no event gives item 657"},
    {"a person without a room", [](SmallWorld& w) { w.drop(22, 2, "npc: 7"); },
     [](const SmallWorld& w) {
         return SourceLine{fs::path(w.eventsFile(21, 1)).parent_path().string(), 0};
     },
     "person 7 has no room"},
    {"a person's room behind a gate whose flag is never set",
     [](SmallWorld& w) {
         w.drop(22, 3, "npc: 8");
         w.side(22, 3, 0, 2, 1, kDoor, kDoor);
         w.event(22, 3, "{at: [0, 2], facing: east, on: prestep, do: flagGate, flag: 30}");
         w.event(22, 3, "{at: [1, 2], on: arrival, moved: true, do: person, npc: 8}");
     },
     [](const SmallWorld& w) {
         return SourceLine{w.eventsFile(22, 3), w.lineOf(22, 3, "flag: 30")};
     },
     "flag 30 is never set"},
    {"a bound demon that no reachable battle brings",
     [](SmallWorld& w) { w.db().encounterTable(200 + 700, kEncounterFloor) = 0; },
     [](const SmallWorld& w) {
         return SourceLine{
             (fs::path(w.eventsFile(21, 1)).parent_path().parent_path() / "monsters.yaml").string(),
             700 - 697};
     },
     "monster 700 is never met"},
    {"the west gate of the underworld's first floor without its lever",
     [](SmallWorld& w) {
         // The moon half lies below the wall the lever of flag 15 opens; the lever is gone.
         w.drop(24, 1, "item: 636");
         w.side(24, 1, 0, 2, 1, kOpen, kOpen);
         for (int x = 1; x < 4; ++x)
             w.side(24, 1, x, 2, 1, kOpen, kOpen);
         for (int y = 2; y < 9; ++y)
             w.side(24, 1, 4, y, 2, kOpen, kOpen);
         w.side(24, 1, 4, 9, 2, kWall, kWall);
         w.side(24, 1, 4, 10, 2, kOpen, kOpen);
         w.event(24, 1, "{at: [4, 11], on: search, do: hiddenItem, item: 636}");
     },
     [](const SmallWorld& w) {
         return SourceLine{w.eventsFile(24, 1), w.lineOf(24, 1, "item: 636")};
     },
     "the party never gets to this cell"},
    {"a one-way passage into a room without exit",
     [](SmallWorld& w) {
         w.side(21, 2, 0, 1, 1, kOpen, kWall);
         w.side(21, 2, 1, 1, 1, kOpen, kOpen);
     },
     [](const SmallWorld& w) {
         return SourceLine{w.mazeFile(21, 2), rowLine(1)};
     },
     "never find the way back to the town"},
    {"a teleporter into a closed room with a spinner",
     [](SmallWorld& w) {
         w.side(21, 3, 0, 1, 1, kOpen, kOpen);
         w.side(21, 3, 5, 6, 1, kOpen, kOpen);
         w.event(21, 3,
                 "{at: [1, 1], on: arrival, moved: true, do: teleporter, variant: trap, "
                 "to: [3, 5, 6]}");
         w.event(21, 3, "{at: [6, 6], on: arrival, moved: true, do: spinner}");
     },
     [](const SmallWorld& w) {
         return SourceLine{w.mazeFile(21, 3), rowLine(6)};
     },
     "the party can stand on dungeon 21 floor 3 (5, 6) (and 1 more cells"},
    {"a hidden one-way door into a dead end",
     [](SmallWorld& w) {
         w.side(22, 4, 0, 3, 1, kHidden, kWall);
         w.side(22, 4, 1, 3, 1, kOpen, kOpen);
     },
     [](const SmallWorld& w) {
         return SourceLine{w.mazeFile(22, 4), rowLine(3)};
     },
     "never find the way back to the town"},
};

INSTANTIATE_TEST_SUITE_P(Cases, WorldFault, ::testing::ValuesIn(kBrokenWorlds));

// A trap that holds only until the key found inside it opens the way out is no trap.
TEST(WorldCheck, ARoomLeftWithTheKeyFoundInItIsNoTrap) {
    SmallWorld w;
    w.side(21, 4, 0, 1, 1, kOpen, kWall);
    w.side(21, 4, 1, 1, 2, kDoor, kDoor);
    w.side(21, 4, 1, 2, 3, kOpen, kOpen);
    w.event(21, 4, "{at: [1, 1], on: search, do: hiddenItem, item: 28}");
    w.event(21, 4, "{at: [1, 1], facing: south, on: prestep, do: keyDoor, items: [28]}");
    const auto problems = w.check();
    EXPECT_TRUE(problems.empty()) << describe(problems);
}

}  // namespace
}  // namespace dv
