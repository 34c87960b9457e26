#include "battle_sim.h"

#include <algorithm>
#include <string>

#include "battle/command_entry.h"
#include "battle/encounter.h"
#include "battle/rounds.h"
#include "characters/creation_rules.h"
#include "characters/melee_swings.h"
#include "characters/party.h"
#include "characters/races_classes.h"
#include "combat/fighters.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "dungeon/maze.h"

namespace dv::sim {

namespace {

constexpr std::int32_t kHuman = 1;
constexpr std::int32_t kFighter = 1;
constexpr std::int32_t kMage = 2;
constexpr std::int32_t kPriest = 4;

struct Member {
    const char* name;
    std::int32_t classBit;
    // Where the bonus points go, in table order (力 知恵 信仰心 生命力 器用さ 素早さ 運 魅力).
    TableAttributes bonus;
};

// Four fighters in front and behind them a priest and a mage; bonus points as a player
// would spend them.
constexpr Member kParty[] = {
    {"戦士Ａ", kFighter, {5, 0, 0, 3, 0, 1, 0, 0}}, {"戦士Ｂ", kFighter, {5, 0, 0, 3, 0, 1, 0, 0}},
    {"戦士Ｃ", kFighter, {5, 0, 0, 3, 0, 1, 0, 0}}, {"戦士Ｄ", kFighter, {5, 0, 0, 3, 0, 1, 0, 0}},
    {"僧侶", kPriest, {0, 0, 6, 2, 0, 1, 0, 0}},    {"魔導士", kMage, {0, 5, 0, 2, 0, 2, 0, 0}},
};

Character newAdventurer(const Member& m, Rng& rng) {
    CreationChoice choice;
    choice.name = m.name;
    choice.race = kHuman;
    choice.alignment = kLawful;
    choice.sex = kMale;
    choice.classBit = m.classBit;
    TableAttributes a = StartingAttributes(kHuman, kMale);
    const ClassRecord* cls = ClassOf(m.classBit);
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (cls) a[k] = std::max(a[k], cls->minimums[k]);
        const int limit = AttributeLimit(kHuman, static_cast<int>(k) + 1, false, kMale);
        a[k] = static_cast<std::uint8_t>(std::min(a[k] + m.bonus[k], limit));
    }
    choice.attributes = a;
    SaveData scratch;
    const int slot = CommitCharacter(scratch, choice, rng);
    return scratch.roster[static_cast<size_t>(slot)];
}

}  // namespace

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
    for (const Member& m : kParty) {
        Character c = newAdventurer(m, g.rng);
        if (level > 1) {
            // A seasoned adventurer of the same make: its level's hit points and swings.
            c.level = level;
            c.maxHitPoints = hitPointRoll(g.rng, level, c.classBit, c.vitality);
            c.hitPoints = c.maxHitPoints;
        }
        c.attackCount = static_cast<std::int16_t>(MeleeSwingCount(c));
        party_.push_back(std::move(c));
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

bool BattleSimulator::frontRowDown() const {
    const Game& g = *game_;
    for (int i = 1; i <= FrontRowCount(g); ++i)
        if (const Character* c = PartyMember(g, i); c && (c->status & kStatusOutOfFight))
            return true;
    return false;
}

bool BattleSimulator::partyLow() const {
    const Game& g = *game_;
    std::int64_t hp = 0, max = 0;
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const Character* c = PartyMember(g, i);
        if (!c) continue;
        max += c->maxHitPoints;
        if (!(c->status & kStatusOutOfFight)) hp += std::max(c->hitPoints, 0);
    }
    return hp * 100 < max * fleeBelow_;
}

BattleEnd BattleSimulator::fight(int dungeon, int floor, int encounter) {
    Game& g = *game_;
    placeParty(dungeon, floor);
    g.battle.lastEnd = BattleEnd::None;
    StartEncounter(g, EncounterCall{encounter, 12, 0});
    BattleState& b = g.battle;
    int rounds = 0;
    while (b.battlePhase == kCommandEntry && rounds < kRoundLimit) {
        if (partyLow()) {
            // The first member who can act asks to flee; a failure gives the monsters a
            // round.
            int slot = MoveCommandSlot(g, 1, 1);
            if (slot <= g.place.partyCount) {
                FlightTest(g, slot);
                ++rounds;
                continue;
            }
        }
        // As a player would with the reorder panel: the fallen go behind, so that members
        // who can still fight stand in the front row.
        if (frontRowDown()) RebuildParty(g);
        NormalAuto(g);
        StartRound(g);
        ++rounds;
    }
    lastRounds_ = rounds;
    return b.battlePhase == kNoBattle ? b.lastEnd : BattleEnd::None;
}

Tally BattleSimulator::floor(int dungeon, int floorNumber, int battles) {
    Tally t;
    placeParty(dungeon, floorNumber);
    if (game_->dungeon.floorEncounters.empty()) return t;
    for (int n = 0; n < battles; ++n) {
        const BattleEnd end = fight(dungeon, floorNumber);
        ++t.battles;
        t.rounds += lastRounds_;
        switch (end) {
            case BattleEnd::Victory:
            case BattleEnd::Refused:
                ++t.won;
                break;
            case BattleEnd::Flight:
                ++t.fled;
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
