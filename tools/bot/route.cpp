#include "route.h"

#include <deque>

#include "core/data/map_event_data.h"
#include "core/game.h"
#include "dungeon/map_events.h"
#include "dungeon/maze.h"

namespace dv::bot {

namespace {

constexpr int kDx[] = {0, 1, 0, -1}, kDy[] = {-1, 0, 1, 0};

std::int16_t doorsAt(const Game& g, const Spot& s) {
    if (s.floor == g.place.currentFloor) return g.dungeon.floorDoors(s.x, s.y);
    return g.db.mazeDoors.at(g.place.currentDungeon, s.floor, s.x, s.y);
}

bool forced(const MapEvent& e) {
    if (e.action != EventAction::Teleporter) return false;
    const auto w = static_cast<TeleportWording>(e.variant);
    return w != TeleportWording::Circle && w != TeleportWording::Mist;
}

// The stairs, circle or teleporter of a spot whose conditions hold now, for a party
// arriving facing a side (kAnyFacing: whichever way it stands).
const MapEvent* mover(const Game& g, const Spot& s, int facing = kAnyFacing) {
    for (const MapEvent& e : g.dungeon.events) {
        if (e.trigger != EventTrigger::Arrival || e.dungeon != g.place.currentDungeon ||
            e.floor != s.floor || e.x != s.x || e.y != s.y)
            continue;
        // A mirror that throws back only those who walk into it one way.
        if (facing != kAnyFacing && e.facing != kAnyFacing && (e.facing & 3) != facing) continue;
        if (e.action != EventAction::Stairs && e.action != EventAction::Teleporter) continue;
        if (EventConditionsHold(g, e)) return &e;
    }
    return nullptr;
}

}  // namespace

std::int16_t RoutePlanner::wallsAt(const Game& g, const Spot& s) const {
    if (s.floor == g.place.currentFloor) return g.dungeon.floorWalls(s.x, s.y);
    // Other floors as the maze file draws them with the patches their flags make.
    auto it = walls_.find(s.floor);
    if (it == walls_.end()) {
        FloorWalls w{};
        for (int x = 0; x < kFloorSize; ++x)
            for (int y = 0; y < kFloorSize; ++y)
                w(x, y) = g.db.mazeWalls.at(g.place.currentDungeon, s.floor, x, y);
        PatchWalls(g.save, g.place.currentDungeon, s.floor, w);
        it = walls_.emplace(s.floor, w).first;
    }
    return it->second(s.x, s.y);
}

Spot Here(const Game& g) {
    return {g.place.currentFloor, g.place.partyX, g.place.partyY};
}

bool RoutePlanner::standable(const Game& g, const Spot& s) const {
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
        if (const MapEvent* e = mover(g, to, d); e && forced(*e)) {
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
                                        const std::function<bool(const Spot&)>& wanted,
                                        bool throughAvoided) const {
    if (!avoid_) return search(g, wanted, false);
    std::vector<Move> around = search(g, wanted, true);
    if (!around.empty() || !throughAvoided) return around;
    return search(g, wanted, false);
}

std::vector<Move> RoutePlanner::search(const Game& g,
                                       const std::function<bool(const Spot&)>& wanted,
                                       bool avoiding) const {
    const Spot start = Here(g);
    walls_.clear();
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
            if (avoiding && avoid_(to)) continue;
            cameFrom[to] = {s, move};
            todo.push_back(to);
        }
    }
    return {};
}

}  // namespace dv::bot
