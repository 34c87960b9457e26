#include "battle_sim.h"

#include <algorithm>
#include <exception>
#include <string>

#include "adventurers.h"
#include "battle/encounter.h"
#include "battle_policy.h"
#include "characters/level_up.h"
#include "characters/melee_swings.h"
#include "characters/party.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "dungeon/maze.h"
#include "gear.h"

namespace dv::sim {

BattleSimulator::BattleSimulator(const Database& db, std::uint64_t seed)
    : game_(std::make_unique<Game>()) {
    Game& g = *game_;
    g.db = db;
    g.rng.seed(seed);
    g.savesOff = true;
    g.dungeon.events = {};
    // Every message is read at once; a friendly meeting is fought.
    g.answerPrompt = [](const std::string&, int mode) {
        return mode == kPromptQuestion ? std::string("-1") : std::string("0");
    };
    setPartyLevel(1);
}

BattleSimulator::~BattleSimulator() = default;

void BattleSimulator::setPartyLevel(int level) {
    Game& g = *game_;
    party_.clear();
    for (const policy::AdventurerPlan& m : policy::StandardParty()) {
        Character c = policy::NewAdventurer(m, g.rng);
        // A seasoned adventurer of the same make has gone up level by level, with the hit
        // points, attributes and spells each level gave, and is rested.
        while (c.level < level) {
            try {
                LevelUp(c, g.db, g.rng);
            } catch (const std::exception&) {
                break;
            }
        }
        c.hitPoints = c.maxHitPoints;
        for (int kind = 0; kind <= 3; ++kind)
            for (int l = 1; l <= 9; ++l)
                c.spellPoints(kind, l) = c.maxSpellPoints(kind, l);
        c.attackCount = static_cast<std::int16_t>(MeleeSwingCount(c));
        party_.push_back(std::move(c));
    }
    outfitFloor_ = -1;
}

void BattleSimulator::setGearByDepth(std::vector<int> shopItems) {
    gearByDepth_ = true;
    shopItems_ = std::move(shopItems);
    outfitFloor_ = -1;
}

int BattleSimulator::chestLevel(int dungeon, int floor) {
    placeParty(dungeon, floor);
    const Game& g = *game_;
    long sum = 0;
    int count = 0;
    for (int e : g.dungeon.floorEncounters) {
        if (e < 1 || e >= static_cast<int>(decltype(g.db.encounterTable)::kDims[0])) continue;
        for (int group = 0; group < kMonsterGroups; ++group) {
            const Character* m =
                monsterAt(g.db, g.db.encounterTable(e, kEncounterFirstGroup + group));
            if (!m || m->rosterId <= 0) continue;
            sum += m->level;
            ++count;
        }
    }
    return count == 0 ? 0 : static_cast<int>(std::min<long>(sum / count + 1, 35));
}

void BattleSimulator::outfit(int dungeon, int floor) {
    if (!gearByDepth_ || (dungeon == outfitDungeon_ && floor == outfitFloor_)) return;
    outfitDungeon_ = dungeon;
    outfitFloor_ = floor;
    const int level = chestLevel(dungeon, floor);
    Game& g = *game_;
    std::vector<int> offered = shopItems_;
    for (int n = 1; n < static_cast<int>(g.db.itemTable.size()); ++n) {
        const ItemRecord& r = g.db.itemTable[static_cast<size_t>(n)];
        if (r.chestRank != 0 && r.chestRank <= level && r.chestAllowed > 0) offered.push_back(n);
    }
    for (Character& c : party_) {
        for (ItemSlot& slot : c.items)
            slot = {};
        policy::OutfitWith(g, c, offered);
        c.attackCount = static_cast<std::int16_t>(MeleeSwingCount(c));
    }
}

void BattleSimulator::placeParty(int dungeon, int floor) {
    Game& g = *game_;
    Place& p = g.place;
    p = Place{};
    p.currentDungeon = dungeon;
    p.currentFloor = static_cast<std::int16_t>(floor);
    p.partyId = 1;
    p.partyX = p.previousX = 5;
    p.partyY = p.previousY = 5;
    for (size_t i = 0; i < party_.size(); ++i) {
        const int slot = static_cast<int>(i) + 1;
        Character& c = g.save.roster[static_cast<size_t>(slot)];
        c = party_[i];
        c.rosterId = slot;
        c.partyId = 1;
        c.dungeonId = static_cast<std::uint8_t>(dungeon);
        c.floor = static_cast<std::uint8_t>(floor);
        c.partyPosition = static_cast<std::uint8_t>(slot);
        p.partyMembers[static_cast<size_t>(slot)] = slot;
    }
    p.partyCount = static_cast<int>(party_.size());
    if (dungeon != loadedDungeon_ || floor != loadedFloor_) {
        LoadFloor(g);
        loadedDungeon_ = dungeon;
        loadedFloor_ = floor;
    }
}

int BattleSimulator::fallenMembers() const {
    const Game& g = *game_;
    int n = 0;
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i); c && (c->status & kStatusGone)) ++n;
    return n;
}

BattleEnd BattleSimulator::fight(int dungeon, int floor, int encounter) {
    Game& g = *game_;
    outfit(dungeon, floor);
    placeParty(dungeon, floor);
    // The moons stand wherever the walk has brought them: lycanthropes and demons are at
    // full strength only under a full moon.
    g.save.lunaPhase = static_cast<std::int16_t>(g.rng.uniform(0, kLunaPeriod - 1));
    g.save.artemisPhase = static_cast<std::int16_t>(g.rng.uniform(0, kArtemisPeriod - 1));
    g.battle.lastEnd = BattleEnd::None;
    StartEncounter(g, EncounterCall{encounter, 12, 0});
    lastRounds_ = policy::PlayBattle(g, fleeBelow_, kRoundLimit);
    const BattleState& b = g.battle;
    return b.battlePhase == kNoBattle ? b.lastEnd : BattleEnd::None;
}

std::vector<int> BattleSimulator::floorEncounters(int dungeon, int floor) {
    placeParty(dungeon, floor);
    std::vector<int> list = game_->dungeon.floorEncounters;
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}

Tally BattleSimulator::floor(int dungeon, int floorNumber, int battles) {
    placeParty(dungeon, floorNumber);
    if (game_->dungeon.floorEncounters.empty()) return {};
    return encounter(dungeon, floorNumber, 0, battles);
}

Tally BattleSimulator::encounter(int dungeon, int floorNumber, int encounter, int battles) {
    Tally t;
    for (int n = 0; n < battles; ++n) {
        const BattleEnd end = fight(dungeon, floorNumber, encounter);
        ++t.battles;
        t.rounds += lastRounds_;
        switch (end) {
            case BattleEnd::Victory:
            case BattleEnd::Refused:
                ++t.won;
                t.fallen += fallenMembers();
                break;
            case BattleEnd::Flight:
                ++t.fled;
                t.fallen += fallenMembers();
                break;
            case BattleEnd::WipeOut:
                ++t.wipedOut;
                break;
            default:
                ++t.undecided;
                break;
        }
    }
    return t;
}

}  // namespace dv::sim
