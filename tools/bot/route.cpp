#include "route.h"

#include <deque>

#include "core/data/map_event_data.h"
#include "core/game.h"
#include "dungeon/map_events.h"
#include "dungeon/maze.h"

namespace dv::bot {

namespace {

constexpr int kDx[] = {0, 1, 0, -1}, kDy[] = {-1, 0, 1, 0};

std::int16_t wallsAt(const Game& g, const Spot& s) {
    if (s.floor == g.place.currentFloor) return g.dungeon.floorWalls(s.x, s.y);
    return g.db.mazeWalls.at(g.place.currentDungeon, s.floor, s.x, s.y);
}

std::int16_t doorsAt(const Game& g, const Spot& s) {
    if (s.floor == g.place.currentFloor) return g.dungeon.floorDoors(s.x, s.y);
    return g.db.mazeDoors.at(g.place.currentDungeon, s.floor, s.x, s.y);
}

bool forced(const MapEvent& e) {
    if (e.action != EventAction::Teleporter) return false;
    const auto w = static_cast<TeleportWording>(e.variant);
    return w != TeleportWording::Circle && w != TeleportWording::Mist;
}

// The arrival event that would run on a spot now (any facing counts), if it moves the
// party: stairs, a circle or a teleporter.
const MapEvent* mover(const Game& g, const Spot& s) {
    for (const MapEvent& e : g.dungeon.events) {
        if (e.trigger != EventTrigger::Arrival || e.dungeon != g.place.currentDungeon ||
            e.floor != s.floor || e.x != s.x || e.y != s.y)
            continue;
        if (!EventConditionsHold(g, e)) continue;
        if (e.action == EventAction::Stairs || e.action == EventAction::Teleporter) return &e;
        return nullptr;
    }
    return nullptr;
}

}  // namespace

Spot Here(const Game& g) {
    return {g.place.currentFloor, g.place.partyX, g.place.partyY};
}

bool RoutePlanner::standable(const Game& g, const Spot& s) {
    if (s.floor < 1 || s.floor > 21 || s.x < 0 || s.x >= kFloorSize || s.y < 0 || s.y >= kFloorSize)
        return false;
    return !(wallsAt(g, s) == 15 && doorsAt(g, s) == 0);
}

void RoutePlanner::markShut(const Spot& from, int direction) {
    ++shut_[{from.floor, from.x, from.y, direction}];
}

std::vector<std::pair<Spot, Move>> RoutePlanner::next(const Game& g, const Spot& s) const {
    std::vector<std::pair<Spot, Move>> out;
    for (int d = 0; d < 4; ++d) {
        const int bit = SideBit(d);
        if ((wallsAt(g, s) & bit) && !(doorsAt(g, s) & bit)) continue;
        if (shut_.count({s.floor, s.x, s.y, d})) continue;
        Spot to{s.floor, WrapOnce(s.x + kDx[d]), WrapOnce(s.y + kDy[d])};
        if (!standable(g, to)) continue;
        // A teleporter that will not be declined takes the party on at once.
        if (const MapEvent* e = mover(g, to); e && forced(*e)) {
            Spot beyond{e->targetFloor, e->targetX, e->targetY};
            if (standable(g, beyond) && beyond.floor <= deepest_)
                out.push_back({beyond, {Move::kWalk, d, beyond}});
            continue;
        }
        out.push_back({to, {Move::kWalk, d, to}});
    }
    if (const MapEvent* e = mover(g, s); e && !forced(*e)) {
        Spot beyond{e->targetFloor, e->targetX, e->targetY};
        if (standable(g, beyond) && beyond.floor <= deepest_)
            out.push_back({beyond, {Move::kTransit, 0, beyond}});
    }
    return out;
}

std::vector<Move> RoutePlanner::routeTo(const Game& g,
                                        const std::function<bool(const Spot&)>& wanted) const {
    const Spot start = Here(g);
    std::map<Spot, std::pair<Spot, Move>> cameFrom;
    std::deque<Spot> todo{start};
    cameFrom[start] = {start, {}};
    while (!todo.empty()) {
        const Spot s = todo.front();
        todo.pop_front();
        if (!(s == start) && wanted(s)) {
            std::vector<Move> moves;
            for (Spot at = s; !(at == start); at = cameFrom[at].first)
                moves.insert(moves.begin(), cameFrom[at].second);
            return moves;
        }
        for (const auto& [to, move] : next(g, s)) {
            if (cameFrom.count(to)) continue;
            cameFrom[to] = {s, move};
            todo.push_back(to);
        }
    }
    return {};
}

}  // namespace dv::bot
