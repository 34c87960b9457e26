#include "content/check_world.h"

#include <algorithm>
#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "content/check_battle.h"
#include "core/data/database.h"

namespace dv {

namespace {

constexpr int kDx[] = {0, 1, 0, -1}, kDy[] = {-1, 0, 1, 0};
constexpr int kFlags = 44;  // flags 0..43: the reference check refuses any other
constexpr int kFirstBoundDemon = 698, kLastBoundDemon = 769;
constexpr int kFirstRift = 1800, kLastRift = 1824;
// Reward chains deeper than this are content errors the battle check sees; stop there.
constexpr int kChainLimit = 16;

// A cell of a floor, packed for sets and maps.
using Cell = int;
constexpr Cell cellOf(int d, int f, int x, int y) {
    return ((d * 32 + f) * 32 + x) * 32 + y;
}
constexpr int dungeonOf(Cell c) {
    return c / (32 * 32 * 32);
}
constexpr int floorOf(Cell c) {
    return c / (32 * 32) % 32;
}
constexpr int xOf(Cell c) {
    return c / 32 % 32;
}
constexpr int yOf(Cell c) {
    return c % 32;
}

std::string place(Cell c) {
    return "dungeon " + std::to_string(dungeonOf(c)) + " floor " + std::to_string(floorOf(c)) +
           " (" + std::to_string(xOf(c)) + ", " + std::to_string(yOf(c)) + ")";
}

// What the party can have done so far: the items it can hold, every value each flag can
// have taken, the event battles it can have fought and the people it can have met.
struct Knowledge {
    std::set<int> items;
    std::array<std::set<std::int32_t>, kFlags> flags;
    std::set<int> battles;
    std::set<int> people;

    bool operator==(const Knowledge&) const = default;
};

Knowledge newGame() {
    Knowledge k;
    for (auto& values : k.flags)
        values.insert(0);
    // The program counts skill slots from 4 when the flag is still 0.
    k.flags[19] = {4};
    return k;
}

bool anyNonZero(const std::set<std::int32_t>& values) {
    return std::any_of(values.begin(), values.end(), [](std::int32_t v) { return v != 0; });
}

bool flagMayBe(const Knowledge& k, int flag, FlagTest test, std::int32_t value) {
    if (flag < 0 || flag >= kFlags) return false;
    for (std::int32_t v : k.flags[static_cast<std::size_t>(flag)]) {
        switch (test) {
            case FlagTest::Equal:
                if (v == value) return true;
                break;
            case FlagTest::NotEqual:
                if (v != value) return true;
                break;
            case FlagTest::Less:
                if (v < value) return true;
                break;
            case FlagTest::AtLeast:
                if (v >= value) return true;
                break;
            case FlagTest::None:
                return true;
        }
    }
    return false;
}

// Whether the event's conditions can hold at some point of play. A party may lack an item
// or hold any skill, so only flags and held items narrow it.
bool mayHold(const MapEvent& e, const Knowledge& k) {
    if (e.whenFlag >= 0 && e.whenFlagTest != FlagTest::None &&
        !flagMayBe(k, e.whenFlag, e.whenFlagTest, e.whenFlagValue))
        return false;
    if (e.whenItem != 0 && e.whenItemHeld && !k.items.count(e.whenItem)) return false;
    return true;
}

bool unconditional(const MapEvent& e) {
    return e.whenFlag < 0 && e.whenItem == 0 && e.whenSkill == 0;
}

// A teleporter the party cannot decline.
bool forcedAway(const MapEvent& e) {
    if (e.action != EventAction::Teleporter) return false;
    const auto w = static_cast<TeleportWording>(e.variant);
    return w != TeleportWording::Circle && w != TeleportWording::Mist;
}

// Everything one walk through the open dungeons meets under one state of knowledge.
struct Walk {
    std::set<Cell> standable;  // cells the party can stand on
    std::set<Cell> visited;    // cells whose arrival it meets (standable or passed through)
    std::map<Cell, std::set<Cell>> moves;                // from a standable cell to the next
    std::vector<std::pair<const MapEvent*, Cell>> shut;  // pre-step events that never open
    Knowledge found;                                     // the knowledge after the walk
};

class World {
  public:
    explicit World(const ContentSet& set) : set_(set), db_(set.db) {
        for (const EventSpec& s : set.events) {
            const MapEvent& e = s.event;
            byCell_[{cellOf(e.dungeon, e.floor, e.x, e.y), e.trigger}].push_back(&s);
            specOf_[&e] = &s;
            if (eventsDir_.empty())
                eventsDir_ = std::filesystem::path(s.file).parent_path().string();
        }
        if (eventsDir_.empty()) eventsDir_ = "events";
    }

    std::vector<CheckProblem> run() {
        Knowledge k = newGame();
        std::vector<Walk> walks;
        std::map<Cell, std::size_t> firstStood;
        for (int round = 0; round < 500; ++round) {
            walks.push_back(walk(k));
            Walk& w = walks.back();
            for (Cell c : w.standable)
                firstStood.emplace(c, walks.size() - 1);
            // Person 10 rewards the party that has defeated every bound demon.
            if (w.found.people.count(10) && demonsMissing(w).empty()) w.found.items.insert(656);
            if (w.found == k) break;
            k = w.found;
        }
        const Walk& last = walks.back();
        floorsAndEvents(last);
        people(last);
        progression(last);
        monsters(last);
        doors(last);
        traps(walks, firstStood);
        return std::move(problems_);
    }

  private:
    void fail(const SourceLine& where, const std::string& message) {
        problems_.push_back({where, message});
    }
    void failAt(const MapEvent& e, const std::string& message) {
        const EventSpec* s = specOf_.at(&e);
        fail({s->file, s->line}, message);
    }
    SourceLine eventsDir() const { return {eventsDir_, 0}; }

    bool inUse(int d, int f) const { return f >= 1 && f <= floorsInUse(d); }

    bool rock(int d, int f, int x, int y) const {
        return db_.mazeWalls.at(d, f, x, y) == 15 && db_.mazeDoors.at(d, f, x, y) == 0;
    }

    std::vector<int> openDungeons(const Knowledge& k) const {
        std::vector<int> open = {21, 22, 23};
        if (k.flags[11].count(1)) open.push_back(24);
        if (k.items.count(635) && k.items.count(636)) open.push_back(25);
        if (k.flags[12].count(1)) open.push_back(26);
        return open;
    }

    // The walls the program opens and closes from event flags: open when some value the
    // flag can take opens them. Empty for every other side.
    static std::optional<bool> patched(int d, int f, int x, int y, int dir, const Knowledge& k) {
        const auto between = [&](int x1, int y1, int dir1, int x2, int y2) {
            return (x == x1 && y == y1 && dir == dir1) ||
                   (x == x2 && y == y2 && dir == (dir1 + 2) % 4);
        };
        if (d == 21 && f == 3 && between(7, 2, 1, 8, 2)) return anyNonZero(k.flags[2]);
        if (d == 21 && f == 5)
            for (int c = 1; c <= 5; ++c)
                if (between(c, 12, 2, c, 13)) return k.flags[5].count(c) > 0;
        if (d == 23 && f == 7 && between(9, 14, 2, 9, 15)) return k.flags[10].count(4) > 0;
        if (d == 24 && f == 1 && between(4, 9, 2, 4, 10)) return k.flags[15].count(1) > 0;
        if (d == 24 && f == 1 && between(13, 9, 2, 13, 10)) return k.flags[16].count(1) > 0;
        return std::nullopt;
    }

    bool passable(Cell c, int dir, const Knowledge& k) const {
        const int d = dungeonOf(c), f = floorOf(c), x = xOf(c), y = yOf(c);
        const int bit = 1 << dir;
        bool wall = db_.mazeWalls.at(d, f, x, y) & bit;
        if (auto open = patched(d, f, x, y, dir, k)) wall = !*open;
        return !wall || (db_.mazeDoors.at(d, f, x, y) & bit);
    }

    // The events that may run when the party on `c`, facing `facing` (or -1: any way it
    // turns), meets this entry point: each whose conditions may hold, in table order, up
    // to the first that always runs.
    std::vector<const MapEvent*> possible(EventTrigger t, Cell c, int facing, bool moved,
                                          const Knowledge& k) const {
        std::vector<const MapEvent*> out;
        const auto it = byCell_.find({c, t});
        if (it == byCell_.end()) return out;
        for (const EventSpec* s : it->second) {
            const MapEvent& e = s->event;
            if (facing >= 0 && e.facing != kAnyFacing && e.facing != facing) continue;
            if (t == EventTrigger::Arrival && e.movedOnly && !moved) continue;
            if (t == EventTrigger::ItemUse && !k.items.count(e.items[0])) continue;
            if (!mayHold(e, k)) continue;
            out.push_back(&e);
            if (t != EventTrigger::ItemUse && unconditional(e) &&
                (facing >= 0 || e.facing == kAnyFacing))
                break;
        }
        return out;
    }

    bool lastAlwaysRuns(const std::vector<const MapEvent*>& events, int facing) const {
        return !events.empty() && unconditional(*events.back()) &&
               (facing >= 0 || events.back()->facing == kAnyFacing);
    }

    // Whether a pre-step event lets the party step on.
    static bool lets(const MapEvent& e, const Knowledge& k) {
        switch (e.action) {
            case EventAction::KeyDoor:
                return std::all_of(e.items.begin(), e.items.end(),
                                   [&](std::int16_t i) { return i == 0 || k.items.count(i); });
            case EventAction::FlagGate:
                return e.flag >= 0 && e.flag < kFlags &&
                       anyNonZero(k.flags[static_cast<std::size_t>(e.flag)]);
            // A thief opens locks, the riddles are told on the floors and the ghost says
            // its word in the end.
            default:
                return true;
        }
    }

    void setFlag(Knowledge& k, int flag, std::int32_t value) const {
        if (flag >= 0 && flag < kFlags) k.flags[static_cast<std::size_t>(flag)].insert(value);
    }

    // Gifts the program rewards (the people's rules).
    void meetPerson(int npc, const Knowledge& k, Walk& w) const {
        w.found.people.insert(npc);
        const auto trade = [&](int gift, int reward) {
            if (k.items.count(gift)) w.found.items.insert(reward);
        };
        switch (npc) {
            case 3:
                trade(630, 613);
                break;
            case 4:
                trade(614, 634);
                break;
            case 5:
                if (k.items.count(615)) setFlag(w.found, 4, 1);
                break;
            case 6:
                w.found.items.insert(609);
                break;
            case 8:
                trade(617, 637);
                break;
            case 9:
                trade(637, 638);
                break;
            default:
                break;
        }
    }

    void battle(int encounter, Cell c, const Knowledge& k, Walk& w, int depth) const {
        w.found.battles.insert(encounter);
        if (depth > kChainLimit) return;
        for (const MapEvent* e : possible(EventTrigger::PostBattle, c, -1, true, k)) {
            if (e->action != EventAction::Reward) continue;
            if (e->resultItem > 0) w.found.items.insert(e->resultItem);
            setFlag(w.found, e->flag, e->flagValue);
            if (e->encounter > 0) battle(e->encounter, c, k, w, depth + 1);
        }
    }

    template <class Stand>
    void meet(const MapEvent& e, Cell c, Cell from, const Knowledge& k, Walk& w,
              Stand& stand) const {
        switch (e.action) {
            case EventAction::Stairs:
            case EventAction::Teleporter:
            case EventAction::NewStairs: {
                const int d = dungeonOf(c);
                if (inUse(d, e.targetFloor) && e.targetX >= 0 && e.targetX < kMazeSize &&
                    e.targetY >= 0 && e.targetY < kMazeSize &&
                    !rock(d, e.targetFloor, e.targetX, e.targetY))
                    stand(from, cellOf(d, e.targetFloor, e.targetX, e.targetY));
                break;
            }
            case EventAction::HiddenItem:
                if (e.items[0] > 0) w.found.items.insert(e.items[0]);
                break;
            case EventAction::DigUp:
                if (e.resultItem > 0) w.found.items.insert(e.resultItem);
                break;
            case EventAction::TransformItem:
                if (k.items.count(e.items[0]) && e.resultItem > 0)
                    w.found.items.insert(e.resultItem);
                break;
            case EventAction::SetFlag:
                setFlag(w.found, e.flag, e.flagValue);
                break;
            case EventAction::Lever:
                setFlag(w.found, e.flag, e.flagValue);
                if (e.toggle) setFlag(w.found, e.flag, 0);
                break;
            case EventAction::RandomPuzzle:
                for (std::int32_t v = 1; v <= e.flagValue; ++v)
                    setFlag(w.found, e.flag, v);
                break;
            case EventAction::PersonRoom:
                meetPerson(e.npc, k, w);
                break;
            case EventAction::FixedBattle:
                battle(e.encounter, c, k, w, 0);
                break;
            case EventAction::Pool:
                if (static_cast<PoolKind>(e.variant) == PoolKind::Monster)
                    battle(e.encounter, c, k, w, 0);
                break;
            case EventAction::Reward:
                if (e.resultItem > 0) w.found.items.insert(e.resultItem);
                setFlag(w.found, e.flag, e.flagValue);
                if (e.encounter > 0) battle(e.encounter, c, k, w, 1);
                break;
            default:
                break;
        }
    }

    Walk walk(const Knowledge& k) const {
        Walk w;
        w.found = k;
        std::deque<Cell> todo;
        auto stand = [&](Cell from, Cell c) {
            if (from >= 0) w.moves[from].insert(c);
            w.visited.insert(c);
            if (w.standable.insert(c).second) todo.push_back(c);
        };
        for (int d : openDungeons(k))
            if (!rock(d, 1, 0, 0)) stand(-1, cellOf(d, 1, 0, 0));
        while (!todo.empty()) {
            const Cell c = todo.front();
            todo.pop_front();
            const int d = dungeonOf(c), f = floorOf(c);
            // Turning on the cell, searching it and using items on it.
            for (EventTrigger t :
                 {EventTrigger::Arrival, EventTrigger::Search, EventTrigger::ItemUse})
                for (const MapEvent* e : possible(t, c, -1, false, k))
                    meet(*e, c, c, k, w, stand);
            for (int dir = 0; dir < 4; ++dir) {
                if (!passable(c, dir, k)) continue;
                const auto before = possible(EventTrigger::PreStep, c, dir, true, k);
                bool mayPass = !lastAlwaysRuns(before, dir);
                for (const MapEvent* e : before) {
                    meet(*e, c, c, k, w, stand);
                    mayPass = mayPass || lets(*e, k);
                }
                const Cell n = cellOf(d, f, (xOf(c) + kDx[dir] + kMazeSize) % kMazeSize,
                                      (yOf(c) + kDy[dir] + kMazeSize) % kMazeSize);
                if (!mayPass) {
                    w.shut.push_back({before.back(), n});
                    continue;
                }
                if (rock(d, f, xOf(n), yOf(n))) continue;
                w.visited.insert(n);
                const auto arrival = possible(EventTrigger::Arrival, n, dir, true, k);
                const bool away = lastAlwaysRuns(arrival, dir) &&
                                  std::all_of(arrival.begin(), arrival.end(),
                                              [](const MapEvent* e) { return forcedAway(*e); });
                for (const MapEvent* e : arrival)
                    meet(*e, n, away || forcedAway(*e) ? c : n, k, w, stand);
                if (!away) stand(c, n);
            }
        }
        return w;
    }

    // Random battles of the floors walked, event battles fought and, on the deepest floor
    // of the underworld, the rift.
    std::set<int> metMonsters(const Walk& w) const {
        std::set<std::pair<int, int>> floors;
        for (Cell c : w.standable)
            floors.insert({dungeonOf(c), floorOf(c)});
        std::set<int> rows(w.found.battles.begin(), w.found.battles.end());
        const auto& t = db_.encounterTable;
        for (int r = 1; r <= 2000; ++r) {
            const int d = t(r, kEncounterDungeon) + 20, f = t(r, kEncounterFloor);
            if (floors.count({d, f})) rows.insert(t(r, kEncounterId));
        }
        bool rift = false;
        for (Cell c : w.standable)
            rift = rift || (dungeonOf(c) == 24 && floorOf(c) == 7 &&
                            !byCell_.count({c, EventTrigger::Arrival}));
        if (rift)
            for (int r = kFirstRift; r <= kLastRift; ++r)
                rows.insert(r);
        std::set<int> met;
        for (int r : rows)
            if (r >= 1 && r <= 2000)
                for (int g = 0; g < 4; ++g)
                    if (int m = t(r, kEncounterFirstGroup + g); m != 0) met.insert(m);
        return met;
    }

    std::vector<int> demonsMissing(const Walk& w) const {
        const std::set<int> met = metMonsters(w);
        std::vector<int> missing;
        for (int m = kFirstBoundDemon; m <= kLastBoundDemon; ++m)
            if (!met.count(m)) missing.push_back(m);
        return missing;
    }

    void floorsAndEvents(const Walk& w) {
        std::set<std::pair<int, int>> walked;
        for (Cell c : w.standable)
            walked.insert({dungeonOf(c), floorOf(c)});
        for (int d = 21; d <= 26; ++d)
            for (int f = 1; f <= floorsInUse(d); ++f)
                if (!walked.count({d, f}))
                    fail(set_.at("mazes", d * 100 + f),
                         "dungeon " + std::to_string(d) + " floor " + std::to_string(f) +
                             " is never reached when the world is played from the town");
        for (const EventSpec& s : set_.events) {
            const MapEvent& e = s.event;
            if (!inUse(e.dungeon, e.floor) || !walked.count({e.dungeon, e.floor})) continue;
            if (!w.visited.count(cellOf(e.dungeon, e.floor, e.x, e.y)))
                fail({s.file, s.line},
                     "the party never gets to this cell when the world is played from the "
                     "town, whatever it finds, wins and opens on the way");
        }
    }

    void people(const Walk& w) {
        for (int n = 1; n <= 12; ++n) {
            const EventSpec* room = nullptr;
            for (const EventSpec& s : set_.events)
                if (!room && s.event.action == EventAction::PersonRoom && s.event.npc == n)
                    room = &s;
            if (room && !w.found.people.count(n))
                fail({room->file, room->line}, "the room of person " + std::to_string(n) +
                                                   " is never reached on foot from an entrance");
            if (!room)
                fail(eventsDir(), "person " + std::to_string(n) + " has no room in any dungeon");
        }
    }

    // The events that could hand out an item or set a flag to a value.
    std::vector<const MapEvent*> providers(int item, int flag, std::int32_t value) const {
        std::vector<const MapEvent*> out;
        for (const EventSpec& s : set_.events) {
            const MapEvent& e = s.event;
            const bool gives =
                item != 0 && ((e.action == EventAction::HiddenItem && e.items[0] == item) ||
                              ((e.action == EventAction::Reward || e.action == EventAction::DigUp ||
                                e.action == EventAction::TransformItem) &&
                               e.resultItem == item));
            const bool sets =
                flag >= 0 && e.flag == flag &&
                ((e.action == EventAction::SetFlag || e.action == EventAction::Reward ||
                  e.action == EventAction::Lever) &&
                 e.flagValue == value);
            if (gives || sets) out.push_back(&e);
        }
        return out;
    }

    void goal(bool reached, int item, int flag, std::int32_t value, const std::string& what) {
        if (reached) return;
        const auto from = providers(item, flag, value);
        const std::string thing =
            item != 0 ? "item " + std::to_string(item)
                      : "flag " + std::to_string(flag) + " = " + std::to_string(value);
        if (from.empty()) {
            fail(eventsDir(), "no event gives " + thing + ": " + what);
            return;
        }
        failAt(*from.front(), thing + " is never reached in play: " + what);
    }

    void progression(const Walk& w) {
        const Knowledge& k = w.found;
        goal(k.flags[11].count(1) > 0, 0, 11, 1, "ネガパンデモニウム (24) never opens");
        goal(k.items.count(635) > 0, 635, -1, 0, "レメゲトン (25) needs it in the roster");
        goal(k.items.count(636) > 0, 636, -1, 0, "レメゲトン (25) needs it in the roster");
        goal(k.flags[12].count(1) > 0, 0, 12, 1, "エデン (26) never opens");
        goal(k.flags[41].count(1) > 0, 0, 41, 1, "the ending needs it on the return to town");
        goal(k.items.count(657) > 0, 657, -1, 0, "the ending needs it in the party");
    }

    void monsters(const Walk& w) {
        for (int m : demonsMissing(w))
            fail(set_.at("monsters", m), "monster " + std::to_string(m) +
                                             " is never met in a battle the party can reach, "
                                             "so person 10's reward can never be earned");
    }

    void doors(const Walk& w) {
        std::set<const MapEvent*> told;
        for (const auto& [e, beyond] : w.shut) {
            if (w.standable.count(beyond) || !told.insert(e).second) continue;
            std::string why;
            if (e->action == EventAction::KeyDoor) {
                for (std::int16_t i : e->items)
                    if (i != 0 && !w.found.items.count(i))
                        why += (why.empty() ? "" : ", ") + std::to_string(i);
                why = "it needs item " + why + ", which the party never finds";
            } else {
                why = "flag " + std::to_string(e->flag) + " is never set";
            }
            failAt(*e, "this way never opens: " + why);
        }
    }

    // The picture line of a cell's row in its floor file.
    SourceLine rowOf(Cell c) const {
        SourceLine at = set_.at("mazes", dungeonOf(c) * 100 + floorOf(c));
        std::ifstream in(at.file);
        std::string line;
        int number = 0, picture = 0;
        while (std::getline(in, line)) {
            ++number;
            if (!line.empty() && line[0] == ';') continue;
            if (picture++ == 2 * yOf(c) + 1) return {at.file, number};
        }
        return at;
    }

    // Cells the party can stand on but never leave for the town again. A cell is judged
    // with what the party knows one walk after it first stood there (so a key found in a
    // room counts for the room's own door).
    void traps(const std::vector<Walk>& walks, const std::map<Cell, std::size_t>& firstStood) {
        std::map<std::pair<int, int>, std::vector<Cell>> trapped;
        for (std::size_t j = 0; j < walks.size(); ++j) {
            const Walk& w = walks[j];
            std::map<Cell, std::vector<Cell>> back;
            for (const auto& [from, tos] : w.moves)
                for (Cell to : tos)
                    back[to].push_back(from);
            std::set<Cell> home;
            std::deque<Cell> todo;
            for (Cell c : w.standable)
                if (floorOf(c) == 1 && xOf(c) == 0 && yOf(c) == 0 && home.insert(c).second)
                    todo.push_back(c);
            while (!todo.empty()) {
                const Cell c = todo.front();
                todo.pop_front();
                for (Cell p : back[c])
                    if (home.insert(p).second) todo.push_back(p);
            }
            for (Cell c : w.standable) {
                const std::size_t first = firstStood.at(c);
                const bool judged = first + 1 == j || (j + 1 == walks.size() && first == j);
                if (judged && !home.count(c)) trapped[{dungeonOf(c), floorOf(c)}].push_back(c);
            }
        }
        for (auto& [floor, cells] : trapped) {
            std::sort(cells.begin(), cells.end(), [](Cell a, Cell b) {
                return std::pair{yOf(a), xOf(a)} < std::pair{yOf(b), xOf(b)};
            });
            fail(rowOf(cells.front()),
                 "the party can stand on " + place(cells.front()) +
                     (cells.size() > 1 ? " (and " + std::to_string(cells.size() - 1) +
                                             " more cells of this floor)"
                                       : "") +
                     " but never find the way back to the town from there");
        }
    }

    const ContentSet& set_;
    const Database& db_;
    std::map<std::pair<Cell, EventTrigger>, std::vector<const EventSpec*>> byCell_;
    std::map<const MapEvent*, const EventSpec*> specOf_;
    std::string eventsDir_;
    std::vector<CheckProblem> problems_;
};

}  // namespace

std::vector<CheckProblem> checkWorld(const ContentSet& set) {
    return World(set).run();
}

}  // namespace dv
