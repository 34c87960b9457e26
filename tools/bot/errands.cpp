#include "errands.h"

#include <deque>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "campaign.h"
#include "characters/party.h"
#include "core/data/database.h"
#include "core/data/map_event_data.h"
#include "core/game.h"
#include "dungeon/expedition.h"
#include "dungeon/map_events.h"
#include "dungeon/maze.h"
#include "explorer.h"
#include "town/people_gifts.h"

namespace dv::bot {

namespace {

// The ending's flag: set by the last battle, it is what every chain leads to.
constexpr int kEndingFlag = 41;
// Links followed back from the ending before a chain is given up.
constexpr int kDeepestChain = 16;

constexpr int kDx[] = {0, 1, 0, -1}, kDy[] = {-1, 0, 1, 0};

struct Need {
    bool flag = false;
    int id = 0;
    auto operator<=>(const Need&) const = default;
};

std::string nameOf(const Need& n) {
    return (n.flag ? "flag " : "item ") + std::to_string(n.id);
}

std::string placeOf(int dungeon, const Spot& s) {
    return std::to_string(dungeon) + "/" + std::to_string(s.floor) + " (" + std::to_string(s.x) +
           "," + std::to_string(s.y) + ")";
}

int floorCount(int dungeon) {
    int n = 0;
    while (LevelNeeded(dungeon, n + 1) < 999)
        ++n;
    return n;
}

// A provider: where the party stands and what it does there, and what it needs besides the
// way there.
struct Link {
    int dungeon = 0;
    Spot cell;
    Errand::Kind kind = Errand::kStepOn;
    int item = 0;
    int encounter = 0;  // a battle to win there
    std::vector<Need> needs;
    std::string what;
};

class Planner {
  public:
    Planner(const Game& g, int level) : g_(g), level_(level) {}

    std::optional<Errand> want(const Need& n, int depth) {
        if (depth > kDeepestChain || open_.count(n)) return std::nullopt;
        open_.insert(n);
        std::optional<Errand> found;
        for (const Link& l : providers(n)) {
            found = tryLink(l, depth);
            if (found) break;
        }
        open_.erase(n);
        if (found) found->chain += " -> " + nameOf(n);
        return found;
    }

    bool holds(const Need& n) const {
        if (n.flag)
            return n.id >= 0 && n.id < kEventFlagCount &&
                   g_.save.eventFlags[static_cast<std::size_t>(n.id)] != 0;
        // The keeper's pack counts: the party takes from it what the dungeon ahead asks for.
        return PartyHasItem(g_, n.id, true);
    }

  private:
    // The needs of an event's conditions; false when they can no longer hold (a guardian
    // beaten, an item that must not be held but is).
    bool conditionNeeds(const MapEvent& e, std::vector<Need>& out) const {
        if (e.whenFlag >= 0 && e.whenFlag < kEventFlagCount && e.whenFlagTest != FlagTest::None) {
            const std::int32_t v = g_.save.eventFlags[static_cast<std::size_t>(e.whenFlag)];
            bool now = true;
            bool setWanted = false;
            switch (e.whenFlagTest) {
                case FlagTest::Equal:
                    now = v == e.whenFlagValue;
                    setWanted = e.whenFlagValue != 0;
                    break;
                case FlagTest::NotEqual:
                    now = v != e.whenFlagValue;
                    setWanted = e.whenFlagValue == 0;
                    break;
                case FlagTest::Less:
                    now = v < e.whenFlagValue;
                    break;
                case FlagTest::AtLeast:
                    now = v >= e.whenFlagValue;
                    setWanted = e.whenFlagValue == 1;
                    break;
                default:
                    break;
            }
            if (!now) {
                if (!setWanted || v != 0) return false;
                out.push_back({true, e.whenFlag});
            }
        }
        if (e.whenItem != 0) {
            const bool held = PartyHasItem(g_, e.whenItem, e.whenItemScope == ItemScope::Roster);
            if (held != e.whenItemHeld) {
                if (!e.whenItemHeld) return false;
                out.push_back({false, e.whenItem});
            }
        }
        return true;
    }

    const std::vector<const MapEvent*>& eventsAt(int dungeon, const Spot& s) {
        if (index_.empty())
            for (const MapEvent& e : g_.dungeon.events)
                index_[{e.dungeon, e.floor, e.x, e.y}].push_back(&e);
        static const std::vector<const MapEvent*> none;
        const auto it = index_.find({dungeon, s.floor, s.x, s.y});
        return it == index_.end() ? none : it->second;
    }

    // The battle a reward follows: the guardian met on the cell, called up by an item or
    // woken by a search there.
    bool battleLink(const MapEvent& reward, Link& l) {
        for (const MapEvent* e : eventsAt(reward.dungeon, l.cell)) {
            if (e->action != EventAction::FixedBattle && e->action != EventAction::Pool) continue;
            if (e->encounter <= 0) continue;
            if (!conditionNeeds(*e, l.needs)) return false;
            l.encounter = e->encounter;
            if (e->trigger == EventTrigger::ItemUse) {
                l.kind = Errand::kUseItem;
                l.item = e->items[0];
                l.needs.push_back({false, e->items[0]});
            } else {
                l.kind = e->trigger == EventTrigger::Search ? Errand::kSearch : Errand::kStepOn;
            }
            return true;
        }
        return false;
    }

    std::vector<Link> providers(const Need& n) {
        std::vector<Link> out;
        for (const MapEvent& e : g_.dungeon.events) {
            Link l;
            l.dungeon = e.dungeon;
            l.cell = {e.floor, e.x, e.y};
            bool gives = false;
            switch (e.action) {
                case EventAction::HiddenItem:
                    gives = !n.flag && e.items[0] == n.id && e.trigger != EventTrigger::ItemUse;
                    l.kind = e.trigger == EventTrigger::Search ? Errand::kSearch : Errand::kStepOn;
                    l.what = "search";
                    break;
                case EventAction::Reward:
                    gives = n.flag ? e.flag == n.id && e.flagValue != 0 : e.resultItem == n.id;
                    l.what = "battle";
                    if (gives && !battleLink(e, l)) continue;
                    break;
                case EventAction::SetFlag:
                case EventAction::Lever:
                case EventAction::RandomPuzzle:
                    gives = n.flag && e.flag == n.id && e.flagValue != 0;
                    l.kind = e.trigger == EventTrigger::Search ? Errand::kSearch : Errand::kStepOn;
                    l.what = "step on";
                    break;
                case EventAction::TransformItem:
                case EventAction::DigUp:
                    gives = !n.flag && e.resultItem == n.id && e.trigger == EventTrigger::ItemUse;
                    l.kind = Errand::kUseItem;
                    l.item = e.items[0];
                    l.needs.push_back({false, e.items[0]});
                    l.what = "use item";
                    break;
                default:
                    break;
            }
            if (!gives || !conditionNeeds(e, l.needs)) continue;
            out.push_back(std::move(l));
        }
        // The people: a trade (the item handed over is a need) or a word.
        const auto personLink = [&](int person, int item) {
            for (const MapEvent& e : g_.dungeon.events) {
                if (e.action != EventAction::PersonRoom || e.npc != person) continue;
                Link l;
                l.dungeon = e.dungeon;
                l.cell = {e.floor, e.x, e.y};
                l.kind = Errand::kStepOn;
                l.what = "visit person " + std::to_string(person);
                if (item != 0) l.needs.push_back({false, item});
                if (conditionNeeds(e, l.needs)) out.push_back(std::move(l));
                return;
            }
        };
        for (const GiftTrade& t : GiftTrades())
            if (n.flag ? t.flag == n.id : (t.reward != 0 && t.reward == n.id))
                personLink(t.person, t.item);
        for (const WordGiftRule& w : WordGifts())
            if (!n.flag && w.reward == n.id) personLink(w.person, 0);
        return out;
    }

    std::optional<Errand> tryLink(const Link& l, int depth) {
        std::vector<Need> needs = l.needs;
        const bool reached = reach(l.dungeon, l.cell, needs);
        if (!reached) return std::nullopt;
        std::vector<Need> missing;
        for (const Need& n : needs)
            if (!holds(n)) missing.push_back(n);
        if (missing.empty()) {
            if (LevelNeeded(l.dungeon, l.cell.floor) > level_) return std::nullopt;
            if (l.encounter > 0 && !ReadyForBattle(g_, l.encounter)) return std::nullopt;
            Errand e;
            e.kind = l.kind;
            e.dungeon = l.dungeon;
            e.cell = l.cell;
            e.item = l.item;
            e.chain = l.what + " at " + placeOf(l.dungeon, l.cell);
            return e;
        }
        for (const Need& m : missing)
            if (std::optional<Errand> e = want(m, depth + 1)) return e;
        return std::nullopt;
    }

    std::int16_t wallsAt(int dungeon, const Spot& s) {
        auto it = walls_.find({dungeon, s.floor});
        if (it == walls_.end()) {
            FloorWalls w{};
            for (int x = 0; x < kFloorSize; ++x)
                for (int y = 0; y < kFloorSize; ++y)
                    w(x, y) = g_.db.mazeWalls.at(dungeon, s.floor, x, y);
            PatchWalls(g_.save, dungeon, s.floor, w);
            it = walls_.emplace(std::make_pair(dungeon, s.floor), w).first;
        }
        return it->second(s.x, s.y);
    }

    bool standable(int dungeon, const Spot& s) {
        if (s.floor < 1 || s.floor > floorCount(dungeon) || s.x < 0 || s.x >= kFloorSize ||
            s.y < 0 || s.y >= kFloorSize)
            return false;
        return !(wallsAt(dungeon, s) == 15 && g_.db.mazeDoors.at(dungeon, s.floor, s.x, s.y) == 0);
    }

    // A stairs, circle or teleporter of a cell that works now (for a party arriving facing a
    // side; kAnyFacing for one standing there); forced: the teleporters that cannot be
    // declined.
    const MapEvent* mover(int dungeon, const Spot& s, int facing, bool& forced) {
        for (const MapEvent* e : eventsAt(dungeon, s)) {
            if (e->trigger != EventTrigger::Arrival) continue;
            if (e->action != EventAction::Stairs && e->action != EventAction::Teleporter) continue;
            if (facing != kAnyFacing && e->facing != kAnyFacing && (e->facing & 3) != facing)
                continue;
            if (!EventConditionsHold(g_, *e)) continue;
            const auto w = static_cast<TeleportWording>(e->variant);
            forced = e->action == EventAction::Teleporter && w != TeleportWording::Circle &&
                     w != TeleportWording::Mist;
            return e;
        }
        return nullptr;
    }

    // The gate on a side of a cell that is shut now, with what would open it.
    const MapEvent* shutGate(int dungeon, const Spot& s, int side) {
        for (const MapEvent* e : eventsAt(dungeon, s)) {
            if (e->trigger != EventTrigger::PreStep) continue;
            if (e->facing != kAnyFacing && (e->facing & 3) != side) continue;
            if (!EventConditionsHold(g_, *e)) continue;
            if (e->action == EventAction::KeyDoor) {
                for (std::int16_t item : e->items)
                    if (item != 0 && !PartyHasItem(g_, item, e->itemScope == ItemScope::Roster))
                        return e;
            } else if (e->action == EventAction::FlagGate) {
                if (e->flag < 0 || e->flag >= kEventFlagCount ||
                    g_.save.eventFlags[static_cast<std::size_t>(e->flag)] == 0)
                    return e;
            }
        }
        return nullptr;
    }

    // A guardian the party is not ready for waits on the cell: the explorer walks around
    // it, so no way through it counts.
    bool guarded(int dungeon, const Spot& s) {
        for (const MapEvent* e : eventsAt(dungeon, s))
            if (e->trigger == EventTrigger::Arrival && e->action == EventAction::FixedBattle &&
                EventConditionsHold(g_, *e) && !ReadyForBattle(g_, e->encounter))
                return true;
        return false;
    }

    // Whether the cell can be reached from the dungeon's entrance, adding the dungeon's
    // opening and the gates of the way to needs (the fewest gates first: the way with none
    // is taken when there is one).
    bool reach(int dungeon, const Spot& target, std::vector<Need>& needs) {
        const DungeonOpening o = DungeonOpeningNeeds(dungeon);
        if (!o.known) return false;
        for (int item : o.items)
            if (item != 0 && !PartyHasItem(g_, item, true)) needs.push_back({false, item});
        if (o.flag >= 0) needs.push_back({true, o.flag});
        for (const bool throughGates : {false, true}) {
            const Spot start{1, 0, 0};
            std::map<Spot, std::pair<Spot, const MapEvent*>> cameFrom;
            std::deque<Spot> todo{start};
            cameFrom[start] = {start, nullptr};
            while (!todo.empty()) {
                const Spot s = todo.front();
                todo.pop_front();
                if (s == target) {
                    for (Spot at = s; !(at == start); at = cameFrom[at].first)
                        if (const MapEvent* gate = cameFrom[at].second) {
                            if (gate->action == EventAction::FlagGate)
                                needs.push_back({true, gate->flag});
                            for (std::int16_t item : gate->action == EventAction::KeyDoor
                                                         ? gate->items
                                                         : std::array<std::int16_t, 4>{})
                                if (item != 0) needs.push_back({false, item});
                        }
                    return true;
                }
                const auto add = [&](const Spot& to, const MapEvent* gate) {
                    if (cameFrom.count(to) || (!(to == target) && guarded(dungeon, to))) return;
                    cameFrom[to] = {s, gate};
                    todo.push_back(to);
                };
                const std::int16_t walls = wallsAt(dungeon, s);
                const std::int16_t doors = g_.db.mazeDoors.at(dungeon, s.floor, s.x, s.y);
                for (int d = 0; d < 4; ++d) {
                    const int bit = SideBit(d);
                    if ((walls & bit) && !(doors & bit)) continue;
                    Spot to{s.floor, WrapOnce(s.x + kDx[d]), WrapOnce(s.y + kDy[d])};
                    if (!standable(dungeon, to)) continue;
                    const MapEvent* gate = shutGate(dungeon, s, d);
                    if (gate && !throughGates) continue;
                    bool forced = false;
                    if (const MapEvent* e = mover(dungeon, to, d, forced); e && forced) {
                        const Spot beyond{e->targetFloor, e->targetX, e->targetY};
                        if (standable(dungeon, beyond)) add(beyond, gate);
                        continue;
                    }
                    add(to, gate);
                }
                bool forced = false;
                if (const MapEvent* e = mover(dungeon, s, kAnyFacing, forced); e && !forced) {
                    const Spot beyond{e->targetFloor, e->targetX, e->targetY};
                    if (standable(dungeon, beyond)) add(beyond, nullptr);
                }
            }
        }
        // A floor whose walls a puzzle settles on the first visit (the valley's rubble
        // row) is drawn shut until then: the puzzle's flag is what the way needs.
        bool unsettled = false;
        for (const MapEvent& e : g_.dungeon.events)
            if (e.dungeon == dungeon && e.floor <= target.floor &&
                e.action == EventAction::RandomPuzzle && e.flag >= 0 && e.flag < kEventFlagCount &&
                g_.save.eventFlags[static_cast<std::size_t>(e.flag)] == 0) {
                needs.push_back({true, e.flag});
                unsettled = true;
            }
        return unsettled;
    }

    const Game& g_;
    int level_;
    std::set<Need> open_;
    std::map<std::tuple<int, int, int, int>, std::vector<const MapEvent*>> index_;
    std::map<std::pair<int, int>, FloorWalls> walls_;
};

}  // namespace

std::optional<Errand> NextErrand(const Game& game, int level) {
    Planner p(game, level);
    const Need ending{true, kEndingFlag};
    if (p.holds(ending)) return std::nullopt;
    return p.want(ending, 0);
}

}  // namespace dv::bot
