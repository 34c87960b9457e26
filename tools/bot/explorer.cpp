#include "explorer.h"

#include <algorithm>

#include "battle_policy.h"
#include "bot_game.h"
#include "camp_care.h"
#include "characters/equipment_rules.h"
#include "characters/healing.h"
#include "characters/party.h"
#include "chests.h"
#include "core/data/map_event_data.h"
#include "core/game.h"
#include "dungeon/expedition.h"
#include "dungeon/map_events.h"
#include "dungeon/maze.h"
#include "items/item_actions.h"
#include "run_log.h"

namespace dv::bot {

namespace {

// Rounds after which a battle is given up as stuck (the party policy always ends one
// long before).
constexpr int kRoundLimit = 1000;
// Rounds after which a battle neither side is winning is fled.
constexpr int kGiveUpAfter = 60;
// Moves the party makes along one plan before it plans again.
constexpr std::size_t kPlanLength = 12;
// Members below this share of their hit points are healed between battles.
constexpr int kHealBelow = 60;
// A member below this share of its hit points after the healing turns the party home.
constexpr int kNearDeath = 30;
// The party's share of its hit points below which it walks home from the first floor,
// the more per floor below it, at most kMostSpare.
constexpr int kHomeBelow = 55;
constexpr int kSparePerFloor = 5;
constexpr int kMostSpare = 75;
// Levels a party wants above the strongest monster of an event battle, and half that
// monster's level more from kGreatGuardian on: Babel's guardians and those below cannot be
// fled from.
constexpr int kGuardianMargin = 3;
constexpr int kGreatGuardian = 20;
// The share of its hit points (and half that of its spell points) a party wants before
// it seeks out a guardian.
constexpr int kFreshForGuardian = 80;
// From this floor down a party in danger casts the spell home rather than walk.
constexpr int kFarFromHome = 3;
// The party's share of its hit points below which it is in danger.
constexpr int kDangerBelow = 45;
// The casters' share of their spell points below which the party walks home.
constexpr int kSpellsLeftBelow = 25;
// Members below this share are given potions when no spell is left.
constexpr int kDrinkBelow = 45;
// Plans an errand is walked along before it is given up (battles and spinners break a plan).
constexpr int kErrandLegs = 200;
// Times the party steps onto its errand's cell before it gives up there.
constexpr int kErrandVisits = 3;
// Empty slots the party keeps in the dungeon for what a guardian or a search gives.
constexpr int kRoomInDungeon = 2;
// A member below 1/kNewcomerGap of the party's highest level is a newcomer catching up.
constexpr int kNewcomerGap = 3;

bool at(const MapEvent& e, int dungeon, const Spot& s) {
    return e.dungeon == dungeon && e.floor == s.floor && e.x == s.x && e.y == s.y;
}

int deadCount(const Game& g) {
    int n = 0;
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i); c && (c->status & kStatusGone)) ++n;
    return n;
}

// A newcomer far below the others (it walks behind them to catch up): its fall or its
// wounds do not turn the party home.
bool newcomer(const Game& g, const Character& c) {
    int highest = 0;
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* m = PartyMember(g, i)) highest = std::max<int>(highest, m->level);
    return c.level * kNewcomerGap < highest;
}

int fallenCount(const Game& g) {
    int n = 0;
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i);
            c && (c->status & kStatusOutOfFight) && !newcomer(g, *c))
            ++n;
    return n;
}

// The casters' spell points left, as a share of their maximum (100 without casters).
int spellPointPercent(const Game& g) {
    long now = 0, max = 0;
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const Character* c = PartyMember(g, i);
        if (!c || (c->status & kStatusOutOfFight)) continue;
        for (int kind = 0; kind <= 3; ++kind)
            for (int level = 1; level <= 9; ++level) {
                max += std::max(0, static_cast<int>(c->maxSpellPoints(kind, level)));
                now += std::clamp(static_cast<int>(c->spellPoints(kind, level)), 0,
                                  std::max(0, static_cast<int>(c->maxSpellPoints(kind, level))));
            }
    }
    return max > 0 ? static_cast<int>(now * 100 / max) : 100;
}

// The highest level among the monsters of an encounter (0 for none): a player who has
// met a guardian once knows what waits there.
int strongest(const Game& g, int encounter) {
    int level = 0;
    if (encounter <= 0) return 0;
    for (int row = 1; row <= 2000; ++row) {
        if (g.db.encounterTable(row, kEncounterId) != encounter) continue;
        for (int c = kEncounterFirstGroup; c < kEncounterFirstGroup + 4; ++c)
            if (const Character* m = monsterAt(g.db, g.db.encounterTable(row, c)))
                level = std::max<int>(level, m->level);
        break;
    }
    return level;
}

bool readyFor(const Game& g, const MapEvent& e) {
    return ReadyForBattle(g, e.encounter);
}

}  // namespace

// Some levels above the battle's strongest monster, as guardians come with their guard.
bool ReadyForBattle(const Game& g, int encounter) {
    const int level = strongest(g, encounter);
    const int extra = level >= kGreatGuardian ? level / 2 : 0;
    return level == 0 || RunLog::partyLevel(g) >= level + kGuardianMargin + extra;
}

std::string Explorer::partyState() const {
    std::string text;
    for (int i = 1; i <= g_.place.partyCount; ++i)
        if (const Character* c = PartyMember(g_, i))
            text += (text.empty() ? "" : " ") + std::to_string(c->hitPoints) + "/" +
                    std::to_string(c->maxHitPoints) +
                    (c->status != 0 ? "s" + std::to_string(c->status) : "") + " xp" +
                    std::to_string(static_cast<long>(c->experience)) + " g" +
                    std::to_string(static_cast<long>(c->gold));
    return text;
}

Explorer::Explorer(Game& game, Intent& intent, RunLog& log) : g_(game), intent_(intent), log_(log) {
    // A guardian the party is not ready for, or met already at its level, is walked around
    // while a way around exists.
    planner_.setAvoid([this](const Spot& s) {
        const int d = g_.place.currentDungeon;
        for (const MapEvent& e : g_.dungeon.events) {
            // One already beaten lets the party by.
            if (!at(e, d, s) || e.trigger != EventTrigger::Arrival ||
                e.action != EventAction::FixedBattle || !EventConditionsHold(g_, e))
                continue;
            // Met already at this level (and left or fled): not again until it rises.
            const auto f = foughtAt_.find(&e);
            if (!readyFor(g_, e) || (f != foughtAt_.end() && RunLog::partyLevel(g_) <= f->second))
                return true;
        }
        return false;
    });
}

int Explorer::hitPointPercent() const {
    std::int64_t hp = 0, max = 0;
    for (int i = 1; i <= g_.place.partyCount; ++i) {
        const Character* c = PartyMember(g_, i);
        if (!c || (c->status & kStatusOutOfFight)) continue;
        max += c->maxHitPoints;
        hp += std::max(c->hitPoints, 0);
    }
    return max > 0 ? static_cast<int>(hp * 100 / max) : 0;
}

bool Explorer::inDanger() const {
    if (fallenCount(g_) > fallenAtEntry_ || hitPointPercent() < kDangerBelow) return true;
    for (int i = 1; i <= g_.place.partyCount; ++i)
        if (const Character* c = PartyMember(g_, i);
            c && !(c->status & kStatusGone) && (c->status & kStatusDisease))
            return true;
    return false;
}

bool Explorer::tired() const {
    // Poison eats hit points with every step: a poisoned member nobody could cure goes
    // home at once.
    // So does a member brought near death on this expedition whom no spell could help.
    for (int i = 1; i <= g_.place.partyCount; ++i) {
        const Character* c = PartyMember(g_, i);
        if (!c || (c->status & kStatusGone) || newcomer(g_, *c)) continue;
        if (c->status & (kStatusPoison | kStatusDeadlyPoison)) return true;
        // Disease stops every healing but the temple's.
        if (c->status & kStatusDisease) return true;
        if (c->hitPoints * 100 < c->maxHitPoints * kNearDeath &&
            c->hitPoints < entryHitPoints_[static_cast<size_t>(i)])
            return true;
    }
    // A member fallen on this expedition sends the party home; one the temple could not
    // help yet walks with it as it was. A party the inn could not heal turns back after a
    // share of what it set out with.
    // Casters with their points spent leave the party without healing or spells in the
    // next battles: home, as a player would.
    if (spellPointPercent(g_) < kSpellsLeftBelow) return true;
    // The deeper the floor, the longer the walk home and the more battles on it: the party
    // turns back with more to spare.
    const int floor = std::max(1, static_cast<int>(g_.place.currentFloor));
    const int spare = std::min(kHomeBelow, homeBelow_) + kSparePerFloor * (floor - 1);
    return hitPointPercent() < std::min(kMostSpare, spare) || fallenCount(g_) > fallenAtEntry_;
}

// The gear a search turns up is not a world item (a sword found or broken in battle
// teaches the party nothing, and it may be sold like any other).
bool WorldItem(const Game& g, int id) {
    const ItemRecord* item = itemAt(g.db, id);
    if (!item) return false;
    if (item->kind == 11 || id >= kFirstWorldItem) return true;
    for (const MapEvent& e : g.dungeon.events) {
        if (e.whenItem == id && e.whenItemHeld) return true;
        if (e.action != EventAction::HiddenItem)
            for (std::int16_t n : e.items)
                if (n == id) return true;
    }
    return false;
}

std::string PartyKnowledge(const Game& g) {
    // Sorted and once each: the temple and the tavern reorder the party without it
    // learning anything.
    // The whole roster: what the keeper holds in town is known all the same.
    std::vector<int> ids;
    for (const Character& member : g.save.roster)
        if (const Character* c = &member; c->rosterId != 0)
            for (int s = 1; s <= kInventorySlots; ++s)
                if (int id = c->items[static_cast<size_t>(s)].itemId; id != 0 && WorldItem(g, id))
                    ids.push_back(id);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    std::string k;
    for (int id : ids)
        k += std::to_string(id) + ",";
    k += "|";
    for (std::int32_t f : g.save.eventFlags)
        k += std::to_string(f) + ",";
    return k;
}

// The flags whose values differ between two knowledge strings, as "index=value".
std::string changedFlags(const std::string& before, const std::string& now) {
    const auto values = [](const std::string& k) {
        std::vector<std::string> v;
        std::string cur;
        for (std::size_t i = k.find('|') + 1; i < k.size(); ++i)
            if (k[i] == ',') {
                v.push_back(cur);
                cur.clear();
            } else {
                cur += k[i];
            }
        return v;
    };
    const std::vector<std::string> a = values(before), b = values(now);
    std::string out;
    for (std::size_t i = 0; i < b.size(); ++i)
        if (i >= a.size() || a[i] != b[i]) out += std::to_string(i) + "=" + b[i] + " ";
    return out;
}

void Explorer::noteKnowledge() {
    std::string now = PartyKnowledge(g_);
    if (now == known_) return;
    if (!known_.empty())
        log_.detail(g_, "the party's items or flags changed: " + now.substr(0, now.find('|')) +
                            " flags " + changedFlags(known_, now));
    known_ = std::move(now);
    planner_.forget();
    done_.clear();
    tries_.clear();
}

void Explorer::settleBattles() {
    while (g_.battle.battlePhase == kCommandEntry && g_.place.currentFloor > 0) {
        Tallies& t = log_.tallies();
        t.battles += 1;
        const int deadBefore = deadCount(g_);
        policy::PlayBattle(g_, fleeBelow_, kRoundLimit, kGiveUpAfter);
        if (g_.battle.battlePhase == kCommandEntry) {
            log_.line(g_, "a battle did not end after " + std::to_string(kRoundLimit) + " rounds");
            return;
        }
        const BattleEnd end = g_.battle.lastEnd;
        log_.detail(g_, std::string("battle ") +
                            (end == BattleEnd::Victory   ? "won"
                             : end == BattleEnd::Flight  ? "fled"
                             : end == BattleEnd::WipeOut ? "lost"
                                                         : "left") +
                            " on floor " + std::to_string(g_.place.currentFloor));
        if (end == BattleEnd::Victory || end == BattleEnd::Refused) t.won += 1;
        if (end == BattleEnd::Flight) t.fled += 1;
        if (end == BattleEnd::WipeOut) {
            t.wipeOuts += 1;
            t.deaths += g_.place.partyCount;
            return;
        }
        t.deaths += std::max(0, deadCount(g_) - deadBefore);
        if (g_.battle.battlePhase != kCommandEntry) HandleBattleChests(g_, log_);
    }
}

// The guardians' rewards and the searches' finds go to a member with room: while the
// party has fewer than kRoomInDungeon empty slots, the least of its loot is left behind
// (unnamed things first; never what is worn, what the world asks for or a remedy).
void Explorer::makeRoom() {
    const auto free = [this] {
        int n = 0;
        for (int i = 1; i <= g_.place.partyCount; ++i)
            if (const Character* c = PartyMember(g_, i))
                for (int s = 1; s <= kInventorySlots; ++s)
                    n += c->items[static_cast<size_t>(s)].itemId == 0 ? 1 : 0;
        return n;
    };
    for (int guard = 0; guard < 4 * kInventorySlots && free() < kRoomInDungeon; ++guard) {
        int who = 0, slot = 0;
        for (int pass = 0; pass < 2 && slot == 0; ++pass)
            for (int i = g_.place.partyCount; i >= 1 && slot == 0; --i) {
                const Character* c = PartyMember(g_, i);
                for (int s = kInventorySlots; c && s >= 1 && slot == 0; --s) {
                    const ItemSlot& it = c->items[static_cast<size_t>(s)];
                    const ItemRecord* item = itemAt(g_.db, it.itemId);
                    const bool unnamed = (it.itemFlags & kItemUnidentified) != 0;
                    if (!item || (it.itemFlags & kEquipCodeBits) || item->kind == 11 ||
                        WorldItem(g_, it.itemId) || (pass == 0 && !unnamed) ||
                        (!unnamed && IsRemedy(g_, it.itemId)))
                        continue;
                    who = c->rosterId;
                    slot = s;
                }
            }
        if (slot == 0 || DropItem(g_, who, slot) != DropOutcome::Dropped) return;
        log_.detail(g_, "left an item behind to make room");
    }
}

// Searches and item uses where the floor has something for them, once per state of
// what the party knows; arrival events of the cell count as met.
void Explorer::lookAround() {
    const int d = g_.place.currentDungeon;
    const Spot here = Here(g_);
    if (seen_[d].insert(here).second) {
        ++progress_;
        if (here.floor >= 1) log_.floorReached(g_);
    }
    for (const MapEvent& e : g_.dungeon.events) {
        if (!at(e, d, here) || done_.count(&e)) continue;
        if (e.trigger == EventTrigger::Arrival) {
            done_.insert(&e);
            if (e.action == EventAction::FixedBattle) foughtAt_[&e] = RunLog::partyLevel(g_);
            continue;
        }
        if (e.trigger != EventTrigger::Search && e.trigger != EventTrigger::ItemUse) continue;
        if (!EventConditionsHold(g_, e)) continue;
        if (e.trigger == EventTrigger::ItemUse && !PartyHasItem(g_, e.items[0])) continue;
        // A search that wakes a guardian waits until the party can face it.
        if (!readyFor(g_, e)) continue;
        // A lever in a wall, a word on a door: the party turns to the side it is on.
        if (e.facing != kAnyFacing) {
            for (int turns = 0; turns < 4 && g_.place.facing != (e.facing & 3) &&
                                g_.place.currentFloor > 0 && g_.battle.battlePhase != kCommandEntry;
                 ++turns) {
                const int turn = ((e.facing & 3) - g_.place.facing + 4) % 4;
                Step(g_, turn == 1 ? 1 : turn == 2 ? 2 : 3);
                settleBattles();
            }
            if (g_.place.currentFloor <= 0 || !(Here(g_) == here)) return;
            if (g_.place.facing != (e.facing & 3)) continue;
        }
        done_.insert(&e);
        ++progress_;
        const EncounterCall call =
            e.trigger == EventTrigger::Search ? SearchCheck(g_) : ItemUseCheck(g_, e.items[0]);
        log_.detail(g_, std::string(e.trigger == EventTrigger::Search ? "searched" : "used item ") +
                            (e.trigger == EventTrigger::Search ? "" : std::to_string(e.items[0])) +
                            " at floor " + std::to_string(here.floor) + " (" +
                            std::to_string(here.x) + ", " + std::to_string(here.y) + ")");
        if (call.encounter > 0 && g_.place.currentFloor > 0) StartEventBattle(g_, call);
        settleBattles();
        if (g_.place.currentFloor <= 0 || !(Here(g_) == here)) return;
    }
}

// A cell worth walking to: not seen yet, or an event there may give something now.
bool Explorer::pending(const Spot& s) const {
    const int d = g_.place.currentDungeon;
    const auto it = seen_.find(d);
    if (it == seen_.end() || !it->second.count(s)) return true;
    for (const MapEvent& e : g_.dungeon.events) {
        if (!at(e, d, s) || done_.count(&e) || !EventConditionsHold(g_, e)) continue;
        switch (e.trigger) {
            case EventTrigger::Search:
                if (readyFor(g_, e)) return true;
                break;
            case EventTrigger::ItemUse:
                if (PartyHasItem(g_, e.items[0])) return true;
                break;
            case EventTrigger::Arrival:
                switch (e.action) {
                    case EventAction::PersonRoom:
                    case EventAction::HiddenItem:
                    case EventAction::SetFlag:
                    case EventAction::Reward:
                        return true;
                    case EventAction::Lever:
                        if (e.flag >= 0 && e.flag < kEventFlagCount &&
                            g_.save.eventFlags[static_cast<size_t>(e.flag)] != e.flagValue)
                            return true;
                        break;
                    case EventAction::FixedBattle: {
                        const auto f = foughtAt_.find(&e);
                        // A guardian is sought out fresh, not on the way back.
                        if (readyFor(g_, e) && hitPointPercent() >= kFreshForGuardian &&
                            spellPointPercent(g_) >= kFreshForGuardian / 2 &&
                            (f == foughtAt_.end() || RunLog::partyLevel(g_) > f->second))
                            return true;
                        break;
                    }
                    default:
                        break;
                }
                break;
            default:
                break;
        }
        // Only the first event whose conditions hold runs on arrival.
        if (e.trigger == EventTrigger::Arrival) break;
    }
    return false;
}

// One step in a direction (turning first); the party may end up elsewhere (an event, a
// battle). transitAfter: a yes to the stairs or circle of the cell stepped on.
bool Explorer::walk(int direction, bool transitAfter) {
    const Spot from = Here(g_);
    while (g_.place.currentFloor > 0 && g_.place.facing != direction &&
           g_.battle.battlePhase != kCommandEntry) {
        const int turn = (direction - g_.place.facing + 4) % 4;
        Step(g_, turn == 1 ? 1 : turn == 2 ? 2 : 3);
        settleBattles();
        if (!(Here(g_) == from)) return false;
    }
    if (g_.place.currentFloor <= 0) return false;
    // A lever that would switch back what it opened is left alone.
    static constexpr int kDx[] = {0, 1, 0, -1}, kDy[] = {-1, 0, 1, 0};
    const Spot ahead{from.floor, WrapOnce(from.x + kDx[direction]),
                     WrapOnce(from.y + kDy[direction])};
    intent_.pullLever = true;
    for (const MapEvent& e : g_.dungeon.events)
        if (at(e, g_.place.currentDungeon, ahead) && e.action == EventAction::Lever && e.toggle &&
            e.flag >= 0 && e.flag < kEventFlagCount &&
            g_.save.eventFlags[static_cast<size_t>(e.flag)] == e.flagValue)
            intent_.pullLever = false;
    // The guardian waiting ahead, if any: met now, whether it is beaten, fled from or
    // the party is thrown back.
    const MapEvent* guardian = nullptr;
    for (const MapEvent& e : g_.dungeon.events)
        if (at(e, g_.place.currentDungeon, ahead) && e.trigger == EventTrigger::Arrival &&
            e.action == EventAction::FixedBattle && EventConditionsHold(g_, e) && !guardian)
            guardian = &e;
    // A lock is opened by the member with the picking skill and the surest hands.
    for (const MapEvent& e : g_.dungeon.events)
        if (at(e, g_.place.currentDungeon, from) && e.trigger == EventTrigger::PreStep &&
            e.action == EventAction::LockedDoor &&
            (e.facing == kAnyFacing || (e.facing & 3) == direction)) {
            int best = -1;
            for (int i = 1; i <= g_.place.partyCount; ++i) {
                const Character* c = PartyMember(g_, i);
                if (!c || c->skills[3] == 0 || (c->status & kStatusCannotAct)) continue;
                if (const int sure = c->dexterity + c->level; sure > best) {
                    best = sure;
                    intent_.pickSlot = c->rosterId;
                }
            }
        }
    intent_.transit = transitAfter;
    WalkForward(g_, true);
    intent_.transit = false;
    log_.tallies().steps += 1;
    ++expeditionSteps_;
    const bool fought = g_.battle.battlePhase == kCommandEntry;
    settleBattles();
    if (guardian && fought) foughtAt_[guardian] = RunLog::partyLevel(g_);
    if (g_.place.currentFloor > 0 && Here(g_) == from && !fought) {
        // Shut: a riddle is tried with every word the party knows before it gives up.
        int limit = 1;
        const Spot s = from;
        for (const MapEvent& e : g_.dungeon.events)
            if (at(e, g_.place.currentDungeon, s) && e.trigger == EventTrigger::PreStep &&
                e.action == EventAction::RiddleDoor)
                limit = std::max<int>(1, static_cast<int>(intent_.riddleWords.size()));
        if (++tries_[{s.floor, s.x, s.y, direction}] >= limit) {
            planner_.markShut(s, direction);
            log_.detail(g_, "shut: floor " + std::to_string(s.floor) + " (" + std::to_string(s.x) +
                                ", " + std::to_string(s.y) + ") side " + std::to_string(direction));
        }
        return false;
    }
    return true;
}

// Stands on stairs or a circle and takes them: the party steps off and back on with the
// question answered yes.
bool Explorer::transitHere() {
    const Spot here = Here(g_);
    for (int d = 0; d < 4; ++d) {
        const int bit = SideBit(d);
        if (((g_.dungeon.floorWalls(here.x, here.y) & bit) &&
             !(g_.dungeon.floorDoors(here.x, here.y) & bit)) ||
            planner_.isShut(here, d))
            continue;
        // A locked door beside the stairs leaves the party where it was: the next side.
        if (!walk(d, false)) {
            if (g_.place.currentFloor > 0 && Here(g_) == here &&
                g_.battle.battlePhase != kCommandEntry)
                continue;
            return false;
        }
        return walk((d + 2) % 4, true);
    }
    return false;
}

bool Explorer::follow(const std::vector<Move>& moves) {
    for (std::size_t i = 0; i < moves.size() && i < kPlanLength; ++i) {
        const Move& m = moves[i];
        const bool transitNext = i + 1 < moves.size() && moves[i + 1].kind == Move::kTransit;
        if (m.kind == Move::kTransit) {
            if (!transitHere()) return false;
        } else if (!walk(m.direction, transitNext)) {
            return false;
        }
        if (g_.place.currentFloor <= 0) return false;
        makeRoom();
        lookAround();
        if (g_.place.currentFloor <= 0) return false;
        if (!(Here(g_) == m.to)) return false;
        if (const int cast = CampCare(g_, intent_, kHealBelow); cast > 0)
            log_.detail(g_, std::to_string(cast) + " camp spells (" + partyState() + ")");
        // The potions keep a badly hurt member on its feet when the spells are spent.
        if (const int used = DrinkPotions(g_, intent_, kDrinkBelow); used > 0) {
            log_.tallies().potionsUsed += used;
            log_.detail(g_, std::to_string(used) + " potions (" + partyState() + ")");
        }
        const std::string before = known_;
        noteKnowledge();
        if (known_ != before || tired()) return false;
    }
    return true;
}

void Explorer::goHome() {
    const Spot entrance{1, 0, 0};
    if (Here(g_) == entrance) {
        intent_.home = true;
        for (int turn = 0; turn < 4 && g_.place.currentFloor > 0; ++turn) {
            Step(g_, 3);
            settleBattles();
        }
        intent_.home = false;
        return;
    }
    const auto moves = planner_.routeTo(
        g_, [&](const Spot& s) { return s == entrance; }, true);
    if (moves.empty()) {
        const Spot h = Here(g_);
        log_.line(g_, "no way back to the entrance from floor " + std::to_string(h.floor) + " (" +
                          std::to_string(h.x) + ", " + std::to_string(h.y) + ")");
        planner_.forget();
        return;
    }
    intent_.home = moves.size() == 1;
    follow(moves);
    intent_.home = false;
}

ExpeditionResult Explorer::runErrand(int dungeon, const Spot& cell) {
    errand_ = cell;
    // What was tried at the cell under the same knowledge is tried again: the errand is
    // planned for it.
    for (const MapEvent& e : g_.dungeon.events)
        if (at(e, dungeon, cell)) done_.erase(&e);
    const ExpeditionResult r = run(dungeon, cell.floor, 0, false);
    errand_.reset();
    return r;
}

ExpeditionResult Explorer::run(int dungeon, int deepest, int goalFloor, bool grind) {
    ExpeditionResult r;
    expeditionSteps_ = 0;
    planner_.setDeepest(deepest);
    planner_.forget();
    // The searches and meetings of earlier expeditions stay done while what the party
    // knows is the same: no walking the upper floors again for nothing.
    EnterDungeon(g_, dungeon);
    fallenAtEntry_ = fallenCount(g_);
    for (int i = 1; i <= kPartySlots; ++i) {
        const Character* c = i <= g_.place.partyCount ? PartyMember(g_, i) : nullptr;
        entryHitPoints_[static_cast<size_t>(i)] = c ? c->hitPoints : 0;
    }
    homeBelow_ = hitPointPercent() * 6 / 10;
    log_.tallies().expeditions += 1;
    log_.detail(g_, "entered dungeon " + std::to_string(dungeon) + " down to floor " +
                        std::to_string(deepest));
    noteKnowledge();
    lookAround();
    bool homeward = false;
    int stuck = 0;
    const std::string knownAtEntry = PartyKnowledge(g_);
    const long progressAtEntry = progress_;
    int errandLegs = 0;
    int errandVisits = 0;
    while (g_.place.currentFloor > 0) {
        if (goalFloor > 0 && g_.place.currentFloor == goalFloor) r.goalReached = true;
        if (!homeward && (tired() || r.goalReached || expeditionSteps_ >= stepLimit_)) {
            homeward = true;
            // Deep down and in a bad way: the spell home is worth the purse it costs.
            // Two fallen are too many to carry past even the first floor's monsters.
            if ((g_.place.currentFloor >= kFarFromHome || fallenCount(g_) >= fallenAtEntry_ + 2) &&
                inDanger() && CastReturn(g_, intent_)) {
                log_.tallies().returnSpells += 1;
                log_.detail(g_, "cast the spell home from deep down (" + partyState() + ")");
            }
            log_.detail(g_, r.goalReached ? "goal reached, going home"
                                          : "going home to rest (" + partyState() + ")");
        }
        if (homeward) {
            goHome();
            if (++stuck > 400) break;
            continue;
        }
        if (errand_) {
            // Once there (or once the party learned something on the way) it turns home.
            const bool learned = PartyKnowledge(g_) != knownAtEntry;
            if (Here(g_) == *errand_ && !learned && ++errandVisits <= kErrandVisits) {
                // A battle on the step in takes the place of the cell's own meeting: off
                // the cell and on again.
                const auto off =
                    planner_.routeTo(g_, [&](const Spot& s) { return !(s == *errand_); });
                if (!off.empty()) {
                    follow({off.front()});
                    continue;
                }
            }
            if (Here(g_) == *errand_ || learned) {
                homeward = true;
                log_.detail(g_, std::string(learned ? "learned something on the errand"
                                                    : "stood on the errand's cell") +
                                    ", going home");
                continue;
            }
            const auto way = planner_.routeTo(g_, [&](const Spot& s) { return s == *errand_; });
            if (way.empty() || ++errandLegs > kErrandLegs) {
                log_.detail(g_, "no way to the errand's cell");
                homeward = true;
                continue;
            }
            follow(way);
            continue;
        }
        auto moves = planner_.routeTo(g_, [&](const Spot& s) { return pending(s); });
        if (!moves.empty()) {
            follow(moves);
            continue;
        }
        if (!grind) {
            homeward = true;
            continue;
        }
        // Nothing left to see: walk to random cells of the deepest floor for battles.
        const int x = static_cast<int>(g_.rng.uniform(0, kFloorSize - 1));
        const int y = static_cast<int>(g_.rng.uniform(0, kFloorSize - 1));
        moves = planner_.routeTo(g_, [&](const Spot& s) {
            return s.floor == deepest && std::abs(s.x - x) + std::abs(s.y - y) <= 2;
        });
        if (moves.empty())
            moves = planner_.routeTo(g_, [&](const Spot& s) { return s.floor == deepest; });
        if (moves.empty()) {
            moves = planner_.routeTo(
                g_, [&](const Spot& s) { return std::abs(s.x - x) + std::abs(s.y - y) <= 1; });
        }
        if (moves.empty()) {
            homeward = true;
            continue;
        }
        follow(moves);
    }
    // A party ended in the monsters' opening blows never saw the command entry: it is
    // counted here.
    if (g_.place.partyCount == 0 && g_.battle.lastEnd == BattleEnd::WipeOut &&
        log_.tallies().wipeOuts == 0) {
        log_.tallies().wipeOuts += 1;
        log_.tallies().battles += 1;
    }
    // Home with every member kept out of the party (disease, paralysis, the dead): the
    // temple has them all, but the company is not lost.
    r.wipedOut =
        log_.tallies().wipeOuts > 0 || (g_.place.partyCount == 0 && g_.place.currentFloor != 0);
    r.backInTown = g_.place.currentFloor == 0 && !r.wipedOut;
    // Work was left only where the party saw or tried something new: a way it walked to
    // and found shut (a lock nobody can pick) is no reason to come back.
    r.workLeft = progress_ > progressAtEntry || PartyKnowledge(g_) != knownAtEntry;
    return r;
}

}  // namespace dv::bot
