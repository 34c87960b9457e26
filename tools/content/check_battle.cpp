#include "content/check_battle.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "core/data/data_files.h"
#include "core/data/names.h"

namespace dv {

int floorsInUse(int dungeon) {
    switch (dungeon) {
        case 21:
            return 5;
        case 22:
            return 4;
        case 23:
            return 7;
        case 24:
            return 7;
        case 25:
            return 2;
        case 26:
            return 1;
        default:
            return 0;
    }
}

long mostOfRoll(long count, long sides, long bonus) {
    return count * std::max<long>(sides, 1) + bonus;
}

namespace {

constexpr int kFirstBoundDemon = 698, kLastBoundDemon = 769;
constexpr int kFirstRift = 1800, kLastRift = 1824;
constexpr int kFirstCall = 75, kLastCall = 110;
// The floor list of random battles holds this many rows; the rest are never drawn.
constexpr int kFloorListSize = 350;

// A resistance of 100 (or the absorb and reflect values above it) stops that kind of harm.
bool stops(int resistance) {
    return resistance >= 100;
}

// Why the party could never bring the monster down, or empty when it can.
std::string whyUnkillable(const Character& m) {
    if (std::max<long>(m.hpDiceCount, 0) + m.hpDiceBonus < 1) return "its hit points can be 0";
    const bool blows = !stops(m.resistances[1]) && m.damagePercent[1] > 0;
    bool spells = !stops(m.resistances[2]) && m.damagePercent[2] > 0;
    if (spells) {
        bool element = false;
        for (int k = 4; k <= 14; ++k)
            element = element || (!stops(m.resistances[k]) && m.damagePercent[k] > 0);
        spells = element;
    }
    return blows || spells ? std::string{} : "neither blows nor spells can hurt it";
}

class BattleChecker {
  public:
    explicit BattleChecker(const ContentSet& set) : set_(set), db_(set.db) {}

    std::vector<CheckProblem> run() {
        countedMonsters();
        boundDemonsRoam();
        rift();
        callTable();
        floors();
        fixedNames();
        monsterSpells();
        actionRows();
        meleeStatus();
        return problems_;
    }

  private:
    void fail(const SourceLine& where, const std::string& message) {
        problems_.push_back({where, message});
    }

    // The entry's own line, or for a missing entry the line of the entry before it (where
    // it belongs).
    SourceLine near(const std::string& table, int n) const {
        const auto t = set_.where.find(table);
        if (t == set_.where.end() || t->second.empty()) return set_.at(table, n);
        auto it = t->second.lower_bound(n);
        if (it != t->second.end() && it->first == n) return it->second;
        if (it == t->second.begin()) return it->second;
        return std::prev(it)->second;
    }

    bool monsterExists(int n) const {
        return n >= 1 && n < kMonsterCount && db_.monsterTable[n].rosterId == n;
    }

    bool callable(int n) const {
        if (!monsterExists(n)) return false;
        const Character& m = db_.monsterTable[n];
        return mostOfRoll(m.appearDiceCount, m.appearDiceSides, m.appearDiceBonus) <= 9;
    }

    bool hasGroups(int row) const {
        if (row < 1 || row > 2000) return false;
        for (int g = 0; g < 4; ++g)
            if (db_.encounterTable(row, kEncounterFirstGroup + g) != 0) return true;
        return false;
    }

    // The dungeon and floor whose random list the row joins, or {0, 0}.
    std::pair<int, int> placeOf(int row) const {
        const auto& t = db_.encounterTable;
        const int dungeon = t(row, kEncounterDungeon) + 20, floor = t(row, kEncounterFloor);
        if (floor < 1 || floor > floorsInUse(dungeon)) return {0, 0};
        return {dungeon, floor};
    }

    void require(int n, const std::string& why) {
        const std::string id = "monster " + std::to_string(n);
        if (!monsterExists(n)) {
            fail(near("monsters", n), id + " is missing: " + why);
            return;
        }
        const std::string reason = whyUnkillable(db_.monsterTable[n]);
        if (!reason.empty())
            fail(near("monsters", n), id + " cannot be killed (" + reason + "): " + why);
    }

    void countedMonsters() {
        for (int n = kFirstBoundDemon; n <= kLastBoundDemon; ++n)
            require(n, "person 10 rewards the party that has defeated all of 698..769");
        require(472, "ability 308 counts its kills");
        require(836, "ability 307 counts its kills");
        require(837, "ability 306 counts its kills");
    }

    void boundDemonsRoam() {
        std::set<int> met;
        for (int row = 1; row <= 2000; ++row) {
            const int id = db_.encounterTable(row, kEncounterId);
            if (placeOf(row).first == 0 || id < 1 || id > 2000) continue;
            for (int g = 0; g < 4; ++g)
                met.insert(db_.encounterTable(id, kEncounterFirstGroup + g));
        }
        for (int n = kFirstBoundDemon; n <= kLastBoundDemon; ++n)
            if (monsterExists(n) && !met.count(n))
                fail(near("monsters", n),
                     "monster " + std::to_string(n) +
                         " is met in no random battle of a floor the game enters: person 10 "
                         "asks for all of 698..769");
    }

    void rift() {
        for (int n = kFirstRift; n <= kLastRift; ++n)
            if (!hasGroups(n))
                fail(near("encounters", n),
                     "encounter " + std::to_string(n) +
                         " is missing or has no monster: the rift of dungeon 24 floor 7 fights "
                         "1800..1824");
    }

    void callTable() {
        for (int e = kFirstCall; e <= kLastCall; ++e) {
            const int m = db_.callTable[e];
            if (callable(m)) continue;
            const std::string what =
                m == 0 ? "no monster"
                       : "monster " + std::to_string(m) +
                             ", which does not exist or comes more than nine at once";
            fail(near("call_table", e), "call table element " + std::to_string(e) + " names " +
                                            what + ": actions 90..95 call from 75..110");
        }
    }

    void floors() {
        std::map<std::pair<int, int>, int> rows;
        for (int row = 1; row <= 2000; ++row) {
            const auto place = placeOf(row);
            if (place.first == 0 || !hasGroups(db_.encounterTable(row, kEncounterId))) continue;
            if (++rows[place] == kFloorListSize + 1)
                fail(near("encounters", row),
                     "dungeon " + std::to_string(place.first) + " floor " +
                         std::to_string(place.second) +
                         " lists more than 350 random battles: this row and the ones after it "
                         "are never drawn");
        }
        for (int d = 21; d <= 26; ++d)
            for (int f = 1; f <= floorsInUse(d); ++f)
                if (!rows.count({d, f}))
                    fail(firstRowOf(d), "dungeon " + std::to_string(d) + " floor " +
                                            std::to_string(f) + " has no random battle");
    }

    // The first row placed in the dungeon, else the first row of the file.
    SourceLine firstRowOf(int dungeon) const {
        for (int row = 1; row <= 2000; ++row)
            if (placeOf(row).first == dungeon) return near("encounters", row);
        return near("encounters", 0);
    }

    void fixedNames() {
        for (int n = 1; n < kMonsterCount; ++n) {
            const std::string_view fixed = FixedMonsterName(n);
            if (fixed.empty() || !monsterExists(n)) continue;
            if (DecodeNameCodes(db_.monsterTable[n].nameCodes) != fixed)
                fail(near("monsters", n), "monster " + std::to_string(n) + " is named " +
                                              std::string(fixed) +
                                              " by the program: write that name here");
        }
    }

    // Monsters cast spells 1..81 marked for them (flag 4) of the school and level the
    // action names, and only some effects do anything in a monster's hands (damage, armour,
    // healing, sleep, fear, confusion, silence, loss, shields, lingering elements).
    bool castable(int school, int level) const {
        static const std::set<int> effects = {2,  4,  5,  7,  15, 17, 18, 23,
                                              33, 46, 47, 48, 52, 53, 65};
        for (int s = 1; s <= 81; ++s) {
            const SpellRecord& r = db_.spellTable[s];
            if ((r.flags & 4) && r.kind == school && r.level == level && effects.count(r.effect))
                return true;
        }
        return false;
    }

    void monsterSpells() {
        for (int n = 1; n < kMonsterCount; ++n) {
            if (!monsterExists(n)) continue;
            std::set<int> reported;
            for (int slot = 1; slot <= 20; ++slot) {
                const int a = db_.monsterTable[n].actions[slot];
                if (a < 2 || a > 28 || reported.count(a)) continue;
                const int school = (a - 2) / 9, level = (a - 2) % 9 + 1;
                if (castable(school, level)) continue;
                reported.insert(a);
                fail(near("monsters", n),
                     "monster " + std::to_string(n) + " uses action " + std::to_string(a) +
                         ", a spell of school " + std::to_string(school) + " and level " +
                         std::to_string(level) +
                         ", but no spell among 1..81 of that school and level is one monsters "
                         "can cast to any effect");
            }
        }
    }

    // Status types a status attempt can set (the rest set no bit, and 28 and 30 are only
    // resistance indexes).
    static bool settableStatus(int type) {
        return (type >= 15 && type <= 27) || type == 29 || (type >= 31 && type <= 34);
    }

    static bool diceText(const std::string& s) {
        if (s == "da" || s == "db" || s == "dc" || s == "wc") return true;
        return !s.empty() && s.size() <= 9 &&
               s.find_first_not_of("0123456789") == std::string::npos;
    }

    // Rows of kinds 1, 2 and 4 are carried out from their fields alone; the scripted rows
    // 269 and 300..305 also show their message.
    void actionRows() {
        std::set<int> used;
        for (int n = 1; n < kMonsterCount; ++n)
            if (monsterExists(n))
                for (int slot = 1; slot <= 20; ++slot)
                    used.insert(db_.monsterTable[n].actions[slot]);
        for (int a = 0; a < kActionCount; ++a) {
            const ActionRecord& r = db_.monsterActions[a];
            const bool table = r.kind == 1 || r.kind == 2 || r.kind == 4;
            const bool showsMessage = r.kind == 3 && (a == 269 || (a >= 300 && a <= 305));
            if (!table && !(showsMessage && used.count(a))) continue;
            const std::string id = "action " + std::to_string(a);
            auto problem = [&](const std::string& what) { fail(near("actions", a), id + what); };
            if (r.message.rfind("は", 0) != 0 && r.message.rfind("の", 0) != 0)
                problem(": the message follows the monster's name and starts with は or の");
            if (!table) continue;
            const std::set<int> targets = {2, 3, 4, 5, 12, 14, 15};
            if (!targets.count(r.targetKind))
                problem(": targetKind " + std::to_string(r.targetKind) +
                        " strikes nobody (2, 3, 4, 5, 12, 14 or 15)");
            else if (r.kind != 1 && (r.targetKind == 5 || r.targetKind == 15))
                problem(": a status row with targetKind 5 or 15 strikes nobody");
            if (r.kind != 2) {
                if (r.element < 0 || r.element > 36 || r.secondResistance < 0 ||
                    r.secondResistance > 36)
                    problem(": element and secondResistance are resistance indexes 0..36");
                for (const std::string* dice :
                     {&r.diceCount, &r.diceSides, &r.diceBonus, &r.multiplier})
                    if (!diceText(*dice))
                        problem(": dice '" + *dice + "' is neither a number nor da, db, dc or wc");
            }
            bool sets = false, dead = false;
            for (int k = 1; k <= 36; ++k)
                if (r.statusChance[k] > 0) {
                    if (settableStatus(k))
                        sets = true;
                    else
                        dead = true;
                }
            if (r.kind == 1 && (sets || dead))
                problem(": a damage row (kind 1) makes no status attempts; kind 4 does");
            if (r.kind != 1 && (dead || !sets))
                problem(": status chances are for types 15..27, 29 and 31..34");
        }
    }

    // Monster blows make status attempts of some types only.
    void meleeStatus() {
        for (int n = 1; n < kMonsterCount; ++n) {
            if (!monsterExists(n)) continue;
            for (int k : {25, 26, 27, 28, 33, 34})
                if (db_.monsterTable[n].meleeStatusChance[k] > 0)
                    fail(near("monsters", n),
                         "monster " + std::to_string(n) + ": a monster's blows never make status " +
                             std::to_string(k) +
                             " (meleeStatusChance serves 15..24, 29, 30, 31 and 32)");
        }
    }

    const ContentSet& set_;
    const Database& db_;
    std::vector<CheckProblem> problems_;
};

}  // namespace

std::vector<CheckProblem> checkBattleContent(const ContentSet& set) {
    return BattleChecker(set).run();
}

}  // namespace dv
