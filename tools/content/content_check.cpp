#include "content/content_check.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <array>
#include <bit>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <string_view>
#include <type_traits>

#include "content/check_battle.h"
#include "content/check_items.h"
#include "content/check_world.h"
#include "content/content_error.h"
#include "content/people_source.h"
#include "content/yaml_record.h"
#include "core/data/atomic_file.h"
#include "core/data/data_files.h"
#include "core/data/save_file.h"

namespace dv {

namespace fs = std::filesystem;

namespace {

// Action ids whose behaviour is fixed by the program: their rows must be scripted (kind 3).
bool isScriptedAction(int id) {
    static const std::set<int> ids = [] {
        std::set<int> s;
        auto range = [&s](int a, int b) {
            for (int i = a; i <= b; ++i)
                s.insert(i);
        };
        range(0, 29);
        range(33, 39);
        for (int i :
             {42, 43, 54, 67, 68, 76, 141, 146, 153, 154, 156, 157, 161, 164, 187, 188, 269})
            s.insert(i);
        range(45, 49);
        range(56, 61);
        range(71, 74);
        range(78, 80);
        range(83, 88);
        range(90, 137);
        range(148, 150);
        range(167, 172);
        range(300, 311);
        range(316, 318);
        return s;
    }();
    return ids.count(id) > 0;
}

// Messages the program shows by number with a fixed text.
const std::vector<int>& requiredMessages() {
    static const std::vector<int> numbers = [] {
        std::vector<int> n = {1,    302,  500,  501,  998,  1003, 1015, 1018, 1020, 1021, 1022,
                              1023, 1024, 1025, 1026, 1040, 1041, 1042, 1043, 1044, 1048, 1049,
                              1050, 1051, 1052, 1053, 1054, 1055, 1058, 1060, 1062, 1063, 1066,
                              1074, 1080, 1115, 1116, 1117, 1400, 1401, 1402, 3015, 3016, 3017,
                              3018, 3019, 3020, 3021, 3024, 3025, 3038};
        for (int i = 200; i <= 205; ++i)
            n.push_back(i);
        for (int i = 701; i <= 708; ++i)
            n.push_back(i);
        for (int i = 995; i <= 999; ++i)
            n.push_back(i);
        for (int i = 1100; i <= 1110; ++i)
            if (i != 1109) n.push_back(i);
        for (int i = 1300; i <= 1334; ++i)
            n.push_back(i);
        for (int i = 1421; i <= 1426; ++i)
            n.push_back(i);
        for (int i = 4204; i <= 4214; ++i)
            n.push_back(i);
        for (int i = 9001; i <= 9012; ++i)
            n.push_back(i);
        // The people's replies: person p answers its k-th keyword (the greeting first) with
        // 20000 + 100 p + k; the program holds person 2's last four and person 6's third.
        static constexpr int kKeywords[] = {0, 17, 15, 14, 11, 12, 18, 13, 12, 14, 16, 15};
        for (int p = 1; p <= 11; ++p)
            for (int k = 1; k <= kKeywords[p]; ++k)
                if (!(p == 2 && k >= 12) && !(p == 6 && k == 3)) n.push_back(20000 + 100 * p + k);
        // Gifts and the rules of persons 3, 4, 5, 6 and 10.
        for (int i : {20315, 20414, 20513, 20514, 20622, 20623, 21019})
            n.push_back(i);
        return n;
    }();
    return numbers;
}

// Arrays of numbers, whose limits hold for every element.
template <class T>
constexpr bool kNumberArray = false;
template <class E, std::size_t N>
constexpr bool kNumberArray<std::array<E, N>> = std::is_arithmetic_v<E>;

class Checker {
  public:
    Checker(const ContentSet& set, const std::vector<int>& messages)
        : set_(set), db_(set.db), messages_(messages.begin(), messages.end()) {}

    std::vector<CheckProblem> run() {
        limits();
        items();
        monsters();
        encounters();
        spells();
        traps();
        tables();
        mazes();
        messages();
        events();
        for (CheckProblem& p : checkBattleContent(set_))
            problems_.push_back(std::move(p));
        // Whether the world can be played to its end is judged on mazes that can be walked.
        if (!mazeGaps_)
            for (CheckProblem& p : checkWorld(set_))
                problems_.push_back(std::move(p));
        return problems_;
    }

  private:
    // Filled member by member: a braced temporary of the record trips GCC 12's
    // maybe-uninitialized warning in optimised builds.
    void report(SourceLine where, std::string message) {
        CheckProblem& p = problems_.emplace_back();
        p.where = std::move(where);
        p.message = std::move(message);
    }

    void fail(const std::string& table, int entry, const std::string& message) {
        report(set_.at(table, entry), message);
    }

    bool itemExists(int n) const { return n >= 1 && n <= 2000 && db_.itemTable[n].itemNumber == n; }
    bool monsterExists(int n) const {
        return n >= 1 && n <= 2000 && db_.monsterTable[n].rosterId == n;
    }
    // A value a field can hold but the game cannot use (a negative level, a percent above
    // 100, an element past the 37 resistances) is refused at the line that wrote it.
    struct Limit {
        const char* field;
        double lowest, highest;
    };
    static constexpr double kNoLimit = 1e18;

    template <class R>
    void limits(const std::string& table, const char* entryName, const std::vector<R>& records,
                std::initializer_list<Limit> limits) {
        const auto t = set_.where.find(table);
        if (t == set_.where.end()) return;
        for (const auto& entry : t->second) {
            const int n = entry.first;
            if (n < 0 || static_cast<std::size_t>(n) >= records.size()) continue;
            R::fields(records[static_cast<std::size_t>(n)],
                      [&](std::string_view name, const auto& member) {
                          for (const Limit& limit : limits)
                              if (name == limit.field)
                                  checkLimit(table, entryName, n, limit, member);
                      });
        }
    }

    template <class M>
    void checkLimit(const std::string& table, const char* entryName, int n, const Limit& limit,
                    const M& member) {
        auto check = [&](const std::string& what, double v) {
            if (v >= limit.lowest && v <= limit.highest) return;
            std::ostringstream text;
            text << entryName << " " << n << ": " << what << " " << v;
            if (limit.highest >= kNoLimit)
                text << " is below " << limit.lowest;
            else
                text << " is outside " << limit.lowest << ".." << limit.highest;
            report(set_.at(table, n, limit.field), text.str());
        };
        if constexpr (std::is_arithmetic_v<M>) {
            check(limit.field, static_cast<double>(member));
        } else if constexpr (kNumberArray<M>) {
            for (std::size_t k = 0; k < member.size(); ++k)
                check(std::string(limit.field) + "[" + std::to_string(k) + "]",
                      static_cast<double>(member[k]));
        }
    }

    void limits() {
        constexpr double kAny = kNoLimit;
        constexpr double kElement = 36;  // resistances 0..36
        // The rest of an item's fields are checked in check_items.cpp. A break chance is
        // compared with a roll of 1..100: 101 breaks every time.
        limits<ItemRecord>(
            "items", "item", db_.itemTable,
            {{"kind", 1, 12}, {"breakChance", 0, 101}, {"powerBreakChance", 0, 101}});
        limits<Character>("monsters", "monster", db_.monsterTable,
                          {{"level", 1, kAny},
                           {"experience", 0, kAny},
                           {"gold", 0, kAny},
                           {"hitPoints", 0, kAny},
                           {"maxHitPoints", 0, kAny},
                           {"hpDiceCount", 0, kAny},
                           {"hpDiceSides", 0, kAny},
                           {"damageDiceCount", 0, kAny},
                           {"damageDiceSides", 0, kAny},
                           {"appearDiceCount", 0, kAny},
                           {"appearDiceSides", 0, kAny},
                           {"attackCount", 0, kAny},
                           {"attackElement", 0, kElement},
                           {"breathCount", 0, kAny},
                           {"identified", 0, 1},
                           {"longReach", 0, 1},
                           {"meleeStatusChance", 0, 100}});
        limits<SpellRecord>("spells", "spell", db_.spellTable,
                            {{"kind", 0, 3},
                             {"number", 0, 4},
                             {"element", 0, kElement},
                             {"diceCount", 0, kAny},
                             {"diceSides", 0, kAny}});
        limits<ActionRecord>("actions", "action", db_.monsterActions,
                             {{"kind", 0, 4},
                              {"element", 0, kElement},
                              {"secondResistance", 0, kElement},
                              {"drawCount", 0, kAny},
                              {"drawSides", 0, kAny},
                              {"statusChance", 0, 100}});
        limits<SkillRecord>("skills", "skill", db_.skillTable, {{"classLevel", 0, kAny}});
    }

    // Which items must exist, and the rest of their fields, are checked in check_items.cpp.
    void items() {
        for (int n = 1; n <= 2000; ++n) {
            const ItemRecord& r = db_.itemTable[n];
            if (r.itemNumber < 1) continue;
            if (r.spellLink != 0 && !(r.spellLink >= 1 && r.spellLink <= 200 &&
                                      db_.spellTable[r.spellLink].id == r.spellLink &&
                                      !db_.spellTable[r.spellLink].name.empty()))
                fail("items", n, "spellLink " + std::to_string(r.spellLink) + " names no spell");
            if (r.brokenInto != 0 && !itemExists(r.brokenInto))
                fail("items", n, "brokenInto names no item");
            if (r.grantedSkill < 0 || r.grantedSkill >= 300)
                fail("items", n, "grantedSkill must be 0..299");
        }
    }

    void monsters() {
        std::map<std::string, int> names;
        for (int n = 1; n <= 2000; ++n) {
            const Character& m = db_.monsterTable[n];
            if (m == Character{}) continue;
            const std::string id = "monster " + std::to_string(n);
            if (m.rosterId != n) fail("monsters", n, id + ": rosterId must equal its number");
            if (m.sex != 4) fail("monsters", n, id + ": sex must be 4");
            if (m.classBit == 0 || !std::has_single_bit(static_cast<std::uint32_t>(m.classBit)))
                fail("monsters", n, id + ": classBit must hold exactly one type bit");
            const long most = mostOfRoll(m.appearDiceCount, m.appearDiceSides, m.appearDiceBonus);
            if (most > 9 || most < 1)
                fail("monsters", n, id + ": the group size roll must stay within 1..9");
            const std::string name = DecodeNameCodes(m.nameCodes);
            if (name.find_first_of("=[]") != std::string::npos)
                fail("monsters", n, id + ": a name may not hold '=', '[' or ']'");
            if (!name.empty() && !names.emplace(name, n).second)
                fail("monsters", n,
                     id + ": name also used by monster " + std::to_string(names[name]));
            for (int s = 1; s <= 20; ++s) {
                const int a = m.actions[s];
                if (a < 0 || a > 500) {
                    fail("monsters", n,
                         id + ": action slot " + std::to_string(s) + " outside 0..500");
                    continue;
                }
                const int kind = db_.monsterActions[a].kind;
                if (isScriptedAction(a) && kind != 3)
                    fail("monsters", n,
                         id + " uses action " + std::to_string(a) +
                             ", which needs a row of kind 3 in actions");
                if (!isScriptedAction(a) && kind != 1 && kind != 2 && kind != 4)
                    fail("monsters", n,
                         id + " uses action " + std::to_string(a) +
                             ", which needs a row of kind 1, 2 or 4 in actions");
            }
            for (int s : {1, 2, 3})
                if (m.items[s].itemId != 0 && !itemExists(m.items[s].itemId))
                    fail("monsters", n,
                         id + ": items slot " + std::to_string(s) + " names no item");
            if (m.items[4].itemId < 0 || m.items[4].itemId > 100)
                fail("monsters", n, id + ": the drop chance (items slot 4) must be 0..100");
        }
    }

    bool callable(int n) const {
        if (!monsterExists(n)) return false;
        const Character& m = db_.monsterTable[n];
        return mostOfRoll(m.appearDiceCount, m.appearDiceSides, m.appearDiceBonus) <= 9;
    }

    bool encounterUsable(int row) const {
        if (row < 1 || row > 2000) return false;
        for (int g = 0; g < 4; ++g)
            if (db_.encounterTable(row, kEncounterFirstGroup + g) != 0) return true;
        return false;
    }

    void encounters() {
        const auto& t = db_.encounterTable;
        for (int n = 1; n <= 2000; ++n) {
            bool any = false;
            for (int c = 0; c < 7; ++c)
                any = any || (c != kEncounterId && t(n, c) != 0);
            if (!any) continue;
            const std::string id = "encounter " + std::to_string(n);
            if (!encounterUsable(n))
                fail("encounters", n, id + " has no monster group: the battle would be empty");
            for (int g = 0; g < 4; ++g) {
                const int m = t(n, kEncounterFirstGroup + g);
                if (m != 0 && !callable(m))
                    fail("encounters", n,
                         id + " group " + std::to_string(g + 1) + " names monster " +
                             std::to_string(m) +
                             ", which does not exist or comes more than nine at once");
            }
            const int dungeon = t(n, kEncounterDungeon) + 20, floor = t(n, kEncounterFloor);
            if (t(n, kEncounterDungeon) != 0 || floor != 0) {
                if (floor < 1 || floor > floorsInUse(dungeon))
                    fail("encounters", n, id + " is placed on a floor the game never enters");
                if (!encounterUsable(t(n, kEncounterId)))
                    fail("encounters", n,
                         id + ": id " + std::to_string(t(n, kEncounterId)) +
                             " is no encounter with monsters");
            }
        }
    }

    void spells() {
        std::map<std::string, int> names;
        std::map<std::tuple<int, int, int>, int> triples;
        int trapIdentify = 0;
        for (int n = 0; n <= 200; ++n) {
            const SpellRecord& s = db_.spellTable[n];
            if (s == SpellRecord{}) continue;
            const std::string id = "spell " + std::to_string(n);
            if (s.id != n) fail("spells", n, id + ": id must equal its number");
            if (n >= 1 && !s.name.empty() && !names.emplace(s.name, n).second)
                fail("spells", n,
                     id + ": name also used by spell " + std::to_string(names[s.name]));
            std::string upper = s.name;
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (upper != s.name) fail("spells", n, id + ": names are kept in upper case");
            if (s.number >= 1 && s.number <= 3 && s.level >= 1 && s.level <= 9 &&
                !triples.emplace(std::tuple{int{s.kind}, int{s.level}, int{s.number}}, n).second)
                fail("spells", n,
                     id + " shares kind, level and number with spell " +
                         std::to_string(triples[{s.kind, s.level, s.number}]));
            if ((s.flags & 4) && (n > 81 || s.kind > 2))
                fail("spells", n, id + ": monsters only cast spells 1..81 of kinds 0..2");
            if (s.level >= 10 && (s.flags & 1))
                fail("spells", n, id + ": a forbidden spell cannot be usable in battle");
            if (s.effect == 41 && n >= 1 && n <= 60 && trapIdentify == 0) trapIdentify = n;
        }
        if (db_.spellTable[0].effect != 0) fail("spells", 0, "spell 0 must do nothing (effect 0)");
        bool anySpell = !triples.empty();
        if (anySpell && trapIdentify == 0)
            fail("spells", 1, "no spell among 1..60 identifies chest traps (effect 41)");
        // A triple a character can learn without a record is a nameless spell.
        for (int kind = 0; kind <= 3 && anySpell; ++kind)
            for (int level = 1; level <= 9; ++level)
                for (int number = 1; number <= 3; ++number)
                    if (!triples.count({kind, level, number}))
                        fail("spells", 1,
                             "no spell of kind " + std::to_string(kind) + ", level " +
                                 std::to_string(level) + ", number " + std::to_string(number));
    }

    void traps() {
        bool any = false;
        for (int n = 1; n <= 50; ++n)
            any = any || !(db_.trapTable[n] == TrapRecord{});
        if (!any) return;
        for (int n = 1; n <= 50; ++n) {
            const TrapRecord& t = db_.trapTable[n];
            if (t.trapTitle.empty() || t.trapName.empty())
                fail("traps", n,
                     "trap " + std::to_string(n) +
                         " needs a title and a name: chests draw from all fifty rows");
            if (t.trapKind > 41) fail("traps", n, "trapKind must be 0..41");
        }
    }

    void tables() {
        for (int r = 1; r <= 50; ++r) {
            const int level = db_.chestItemTable(r, 0), item = db_.chestItemTable(r, 1);
            if (level < 1 || level > 99)
                fail("chest_items", r,
                     "chest row " + std::to_string(r) + ": level " + std::to_string(level) +
                         " is outside 1..99");
            if (level <= 5 && !itemExists(item))
                fail("chest_items", r, "chest row " + std::to_string(r) + " names no item");
        }
        for (int p = 1; p <= 20; ++p) {
            const NpcRecord& r = db_.npcTable[p];
            bool any = false;
            for (int g = 1; g <= 10; ++g)
                any = any || r.npcGoods[g] != 0;
            if (!any) continue;
            for (int g = 1; g <= 10; ++g)
                if (!itemExists(r.npcGoods[g]))
                    fail("npc", p,
                         "person " + std::to_string(p) + " goods " + std::to_string(g) +
                             " names no item: all ten are offered");
        }
        for (int r = 1; r <= 120; ++r) {
            const auto& t = db_.alchemyTable;
            if (t[r] == 0 && t[121 + r] == 0 && t[242 + r] == 0) continue;
            for (int e : {r, 121 + r, 242 + r})
                if (!itemExists(t[e]))
                    fail("alchemy", r,
                         "recipe " + std::to_string(r) + " names no item (" + std::to_string(t[e]) +
                             ")");
        }
        for (int k = 1; k <= 60; ++k) {
            const auto& t = db_.fusionTable;
            bool any = false;
            for (int c = 1; c <= 6; ++c)
                any = any || t(k, c) != 0;
            if (!any) continue;
            for (int c = 1; c <= 6; ++c)
                if ((c <= 2 || t(k, c) != 0) && !itemExists(t(k, c)))
                    fail("fusion", k,
                         "fusion " + std::to_string(k) + " names no item (" +
                             std::to_string(t(k, c)) + ")");
        }
        for (int n = 0; n <= 300; ++n) {
            const SkillRecord& s = db_.skillTable[n];
            // Records that only carry the previous skill's description have no number.
            if (s.name.empty() && s.classLevel == decltype(s.classLevel){}) continue;
            if (s.skillNumber != n) fail("skills", n, "skillNumber must equal its number");
            if (n == 300)
                for (int c = 1; c <= 18; ++c)
                    if (s.classLevel[c] != 0) fail("skills", n, "skill 300 must never be offered");
        }
        bool anyStock = false;
        for (int n = 1; n <= 2000; ++n)
            anyStock = anyStock || (set_.starter.shopStock[n] > 0 && itemExists(n));
        bool anyItem = false;
        for (int n = 1; n <= 2000; ++n)
            anyItem = anyItem || itemExists(n);
        if (anyItem && !anyStock)
            fail("shop", 1, "the shop has nothing to sell: shop.yaml stocks no item");
        for (int n = 1; n <= 2000; ++n) {
            const int stock = set_.starter.shopStock[n];
            if (stock != 0 && !itemExists(n))
                fail("shop", n,
                     "the shop stocks item " + std::to_string(n) + ", which does not exist");
            if (stock > 0 && itemExists(n) && db_.itemTable[n].kind == 11)
                fail("shop", n, "the shop never sells event items");
        }
        std::set<int> talkers;
        for (int c = 1; c <= 50; ++c) {
            const ConversationRecord& r = db_.conversationTable[c];
            if (r.giftItem != 0 && !itemExists(r.giftItem))
                fail("conversations", c, "giftItem names no item");
            if (r.metKind != 0 && !monsterExists(r.metKind))
                fail("conversations", c, "metKind names no monster");
            if (r.summonKind == 0) continue;
            // A talk starts right after a summon of summonKind; only the first row of a
            // kind is ever read.
            if (!monsterExists(r.summonKind) || db_.monsterTable[r.summonKind].summonLevel < 1)
                fail("conversations", c, "summonKind names no monster that can be summoned");
            if (!talkers.insert(r.summonKind).second)
                fail("conversations", c,
                     "an earlier row already speaks for summonKind " +
                         std::to_string(r.summonKind) + ": this one is never read");
            if (r.metKind == 0 || r.giftItem == 0)
                fail("conversations", c, "a talk needs the monster met and the gift it gives");
            if (r.talkLine1.empty() || r.talkLine2.empty() || r.talkLine3.empty())
                fail("conversations", c, "a talk shows three lines: write all of them");
        }
    }

    int wall(int d, int f, int x, int y) const { return db_.mazeWalls.at(d, f, x, y); }

    void requireWall(int d, int f, int x, int y, int bit, const std::string& why) {
        if (!(wall(d, f, x, y) & bit))
            fail("mazes", d * 100 + f,
                 "dungeon " + std::to_string(d) + " floor " + std::to_string(f) + ": cell (" +
                     std::to_string(x) + ", " + std::to_string(y) + ") needs the wall " + why);
    }

    void mazes() {
        for (int d = kFirstDungeon; d <= kLastDungeon; ++d) {
            for (int f = 0; f < kMazeFloors; ++f) {
                const FloorGrid g = floorOf(db_, d, f);
                const std::string name =
                    "dungeon " + std::to_string(d) + " floor " + std::to_string(f);
                const auto drawn = set_.where.find("mazes");
                if (f >= 1 && f <= floorsInUse(d) &&
                    (drawn == set_.where.end() || !drawn->second.count(d * 100 + f))) {
                    fail("mazes", d * 100 + f,
                         name + " is entered by the game but its picture " + floorFileName(d, f) +
                             " is missing");
                    continue;
                }
                if (f < 1 || f > floorsInUse(d)) {
                    if (!g.isSolidRock())
                        fail("mazes", d * 100 + f,
                             name + " is never entered and must be solid rock");
                    continue;
                }
                if (f == 1) {
                    if (g.isRock(0, 0) || g.isRock(0, 1))
                        fail("mazes", d * 100 + f,
                             name +
                                 ": the entrance (0, 0) and the cell south of it must not be rock");
                    else if ((g.walls[0][0] & kSouth) || (g.doors[0][0] & kSouth))
                        fail("mazes", d * 100 + f,
                             name + ": the entrance (0, 0) must open to the south");
                }
            }
        }
        // Walls that the engine opens from event flags.
        if (floorsInUse(21) >= 3) {
            requireWall(21, 3, 7, 2, kEast, "on its east side (opened by flag 2)");
            requireWall(21, 3, 8, 2, kWest, "on its west side (opened by flag 2)");
        }
        for (int c = 1; c <= 5; ++c) {
            requireWall(21, 5, c, 12, kSouth, "on its south side (the gap row of flag 5)");
            requireWall(21, 5, c, 13, kNorth, "on its north side (the gap row of flag 5)");
        }
        requireWall(23, 7, 9, 14, kSouth, "on its south side (opened by flag 10)");
        requireWall(23, 7, 9, 15, kNorth, "on its north side (opened by flag 10)");
        for (int x : {4, 13}) {
            requireWall(24, 1, x, 9, kSouth, "on its south side (opened by flags 15 and 16)");
            requireWall(24, 1, x, 10, kNorth, "on its north side (opened by flags 15 and 16)");
        }
    }

    void messages() {
        if (messages_.empty()) {
            report(set_.at("messages", 0),
                   "the message table is missing or empty: the program shows " +
                       std::to_string(requiredMessages().size()) + " messages by number");
            return;
        }
        for (int n : requiredMessages())
            if (!messages_.count(n))
                report(set_.at("messages", 0),
                       "message " + std::to_string(n) + " is shown by the program");
    }

    void eventFail(const EventSpec& s, const std::string& message) {
        report({s.file, s.line}, message);
    }

    bool cellOpen(int d, int f, int x, int y) const {
        return f >= 1 && f <= floorsInUse(d) && x >= 0 && x < kMazeSize && y >= 0 &&
               y < kMazeSize &&
               !(db_.mazeWalls.at(d, f, x, y) == 15 && db_.mazeDoors.at(d, f, x, y) == 0);
    }

    // Cells the party can walk to on a floor from the places it arrives at: the entrance
    // of floor 1 and the targets of stairs and teleporters. Doors count as open, and so do
    // the walls that event flags open.
    std::set<std::pair<int, int>> reachable(int d, int f) const {
        std::vector<std::pair<int, int>> todo;
        if (f == 1) todo.push_back({0, 0});
        for (const EventSpec& s : set_.events) {
            const MapEvent& e = s.event;
            const bool moves = e.action == EventAction::Stairs ||
                               e.action == EventAction::Teleporter ||
                               e.action == EventAction::NewStairs;
            if (moves && e.dungeon == d && e.targetFloor == f)
                todo.push_back({e.targetX, e.targetY});
        }
        FloorGrid g = floorOf(db_, d, f);
        auto open = [&](int x, int y, int bit) {
            g.walls[x][y] = static_cast<std::int16_t>(g.walls[x][y] & ~bit);
        };
        if (d == 21 && f == 3) open(7, 2, kEast), open(8, 2, kWest);
        if (d == 21 && f == 5)
            for (int c = 1; c <= 5; ++c)
                open(c, 12, kSouth), open(c, 13, kNorth);
        if (d == 23 && f == 7) open(9, 14, kSouth), open(9, 15, kNorth);
        if (d == 24 && f == 1)
            for (int x : {4, 13})
                open(x, 9, kSouth), open(x, 10, kNorth);
        std::set<std::pair<int, int>> seen;
        while (!todo.empty()) {
            auto [x, y] = todo.back();
            todo.pop_back();
            if (x < 0 || x >= kMazeSize || y < 0 || y >= kMazeSize || !seen.insert({x, y}).second)
                continue;
            const int dx[] = {0, 1, 0, -1}, dy[] = {-1, 0, 1, 0};
            for (int dir = 0; dir < 4; ++dir) {
                const int bit = 1 << dir;
                if ((g.walls[x][y] & bit) && !(g.doors[x][y] & bit)) continue;
                todo.push_back(
                    {(x + dx[dir] + kMazeSize) % kMazeSize, (y + dy[dir] + kMazeSize) % kMazeSize});
            }
        }
        return seen;
    }

    void events() {
        std::map<std::pair<int, int>, std::set<std::pair<int, int>>> walkable;
        for (int d = 21; d <= 26; ++d)
            for (int f = 1; f <= floorsInUse(d); ++f) {
                walkable[{d, f}] = reachable(d, f);
                if (walkable[{d, f}].empty()) {
                    mazeGaps_ = true;
                    fail("mazes", d * 100 + f,
                         "dungeon " + std::to_string(d) + " floor " + std::to_string(f) +
                             ": no stairs lead here");
                }
            }
        for (const EventSpec& s : set_.events) {
            const auto w = walkable.find({s.event.dungeon, s.event.floor});
            if (w != walkable.end() && !w->second.empty() &&
                !w->second.count({s.event.x, s.event.y})) {
                mazeGaps_ = true;
                eventFail(s, "the party can never reach this cell");
            }
        }
        for (const EventSpec& s : set_.events) {
            const MapEvent& e = s.event;
            if (!cellOpen(e.dungeon, e.floor, e.x, e.y))
                eventFail(s, "the event's cell is rock or outside a floor the game enters");
            if (e.trigger == EventTrigger::Arrival && e.floor == 1 && e.x == 0 && e.y == 0)
                eventFail(s, "the entrance (0, 0) of floor 1 has its own arrival event");
            for (int flag : {int{e.whenFlag}, int{e.flag}})
                if (flag != -1 && (flag < 0 || flag > 43))
                    eventFail(s, "flag " + std::to_string(flag) + " is outside 0..43");
            for (int item : e.items)
                if (item != 0 && !itemExists(item))
                    eventFail(s, "item " + std::to_string(item) + " does not exist");
            if (e.whenSkill < 0 || e.whenSkill > 299)
                eventFail(s, "skill " + std::to_string(e.whenSkill) + " is outside 1..299");
            if (e.whenItem != 0 && !itemExists(e.whenItem))
                eventFail(s, "item " + std::to_string(e.whenItem) + " does not exist");
            if (e.resultItem != 0 && !itemExists(e.resultItem))
                eventFail(s, "item " + std::to_string(e.resultItem) + " does not exist");
            for (const auto* list : {&e.texts[0], &e.passTexts[0], &e.failTexts[0]}) {
                const std::size_t n = list == &e.texts[0] ? e.texts.size() : 4;
                for (std::size_t i = 0; i < n; ++i)
                    if (list[i] != 0 && !messages_.empty() && !messages_.count(list[i]))
                        eventFail(s, "message " + std::to_string(list[i]) +
                                         " is not in the message table");
            }
            switch (e.action) {
                case EventAction::Stairs:
                case EventAction::Teleporter:
                case EventAction::NewStairs:
                    if (!cellOpen(e.dungeon, e.targetFloor, e.targetX, e.targetY))
                        eventFail(s, "the target (" + std::to_string(e.targetFloor) + ", " +
                                         std::to_string(e.targetX) + ", " +
                                         std::to_string(e.targetY) +
                                         ") is rock or on a floor the game never enters");
                    break;
                case EventAction::FixedBattle:
                    if (!encounterUsable(e.encounter))
                        eventFail(s,
                                  "encounter " + std::to_string(e.encounter) + " has no monsters");
                    if (e.music < 12 || e.music > 15) eventFail(s, "battle music is 12..15");
                    break;
                case EventAction::Reward:
                    if (e.encounter != 0 && !encounterUsable(e.encounter))
                        eventFail(s,
                                  "encounter " + std::to_string(e.encounter) + " has no monsters");
                    break;
                case EventAction::Pool:
                    if (e.variant == 3 && !encounterUsable(e.encounter))
                        eventFail(s,
                                  "encounter " + std::to_string(e.encounter) + " has no monsters");
                    break;
                case EventAction::TrapFloor:
                    if (e.diceCount < 1) eventFail(s, "a trap floor needs dice");
                    if (e.status < 0 || e.status > 36)
                        eventFail(s, "status is a resistance index 0..36");
                    break;
                case EventAction::KeyDoor:
                case EventAction::HiddenItem:
                case EventAction::TransformItem:
                    if (e.items[0] == 0) eventFail(s, "the event needs an item");
                    break;
                case EventAction::FlagGate:
                case EventAction::Lever:
                case EventAction::RandomPuzzle:
                case EventAction::SetFlag:
                    if (e.flag < 0) eventFail(s, "the event needs a flag");
                    break;
                case EventAction::RiddleDoor:
                    if (s.answer.empty()) eventFail(s, "a riddle needs an answer");
                    break;
                case EventAction::PasswordGhost:
                    if (s.words.size() != 10) eventFail(s, "a password ghost needs ten words");
                    break;
                case EventAction::PersonRoom:
                    if (e.npc < 1 || e.npc > 12) eventFail(s, "people are numbered 1..12");
                    break;
                default:
                    break;
            }
            if (e.trigger == EventTrigger::ItemUse && e.items[0] == 0)
                eventFail(s, "an item-use event names its item");
        }
    }

    const ContentSet& set_;
    const Database& db_;
    std::set<int> messages_;
    std::vector<CheckProblem> problems_;
    bool mazeGaps_ = false;  // a floor or an event cell cannot be walked to at all
};

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::vector<std::uint8_t> bytes(fs::file_size(path));
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// The sources a content folder holds; a folder with none of them is some other folder.
constexpr const char* kContentEntries[] = {"items.yaml",      "monsters.yaml", "spells.yaml",
                                           "traps.yaml",      "actions.yaml",  "skills.yaml",
                                           "encounters.yaml", "npc.yaml",      "conversations.yaml",
                                           "alchemy.yaml",    "fusion.yaml",   "chest_items.yaml",
                                           "call_table.yaml", "shop.yaml",     "messages.yaml",
                                           "mazes",           "events"};

// Empty when `src` is a content folder, otherwise the one line that says what it is.
std::string notAContentFolder(const fs::path& src) {
    std::error_code ec;
    if (!fs::exists(src, ec)) return src.string() + ": no such folder";
    if (!fs::is_directory(src, ec)) return src.string() + ": not a folder";
    for (const char* entry : kContentEntries)
        if (fs::exists(src / entry, ec)) return "";
    return src.string() +
           ": not a content folder (it holds none of items.yaml, monsters.yaml, messages.yaml, "
           "mazes/, events/ and the other sources)";
}

// The counts of what a content set holds, for the line a successful command prints.
std::string summary(const ContentSet& set, std::size_t messages) {
    auto count = [&](const char* table) {
        const auto t = set.where.find(table);
        return t == set.where.end() ? std::size_t{0} : t->second.size();
    };
    std::ostringstream s;
    s << count("items") << " items, " << count("monsters") << " monsters, " << count("spells")
      << " spells, " << count("traps") << " traps, " << count("actions") << " actions, "
      << count("skills") << " skills, " << count("encounters") << " encounters, " << count("shop")
      << " shop items, " << count("mazes") << " floors, " << set.events.size() << " map events, "
      << messages << " messages";
    return s.str();
}

// Reads and checks the sources of `src`; prints every problem to `err`. Returns the exit
// status (0: the content may be built).
int readAndCheck(const fs::path& src, ContentSet& set, std::size_t& messageCount,
                 std::ostream& err) {
    if (const std::string why = notAContentFolder(src); !why.empty()) {
        err << why << "\n";
        return 1;
    }
    try {
        set = readContentSources(src);
        const std::vector<int> messages = readMessageNumbers(src / "messages.yaml");
        messageCount = messages.size();
        auto problems = checkContent(set, messages);
        for (CheckProblem& p : checkReplyMessages(src / "people.yaml", messages))
            problems.push_back(std::move(p));
        for (const auto& p : problems)
            err << p.where.file << (p.where.line > 0 ? ":" + std::to_string(p.where.line) : "")
                << ": " << p.message << "\n";
        return problems.empty() ? 0 : 1;
    } catch (const ContentError& e) {
        err << e.what() << "\n";
    } catch (const YAML::Exception& e) {
        err << src.string() << ":" << e.mark.line + 1 << ": " << e.msg << "\n";
    } catch (const std::exception& e) {
        err << src.string() << ": " << e.what() << "\n";
    }
    return 1;
}

}  // namespace

std::vector<CheckProblem> checkContent(const ContentSet& set,
                                       const std::vector<int>& messageNumbers) {
    std::vector<CheckProblem> problems = Checker(set, messageNumbers).run();
    for (CheckProblem& p : checkItems(set))
        problems.push_back(std::move(p));
    return problems;
}

std::vector<CheckProblem> checkReplyMessages(const fs::path& peopleYaml,
                                             const std::vector<int>& messageNumbers) {
    const std::set<int> known(messageNumbers.begin(), messageNumbers.end());
    std::vector<CheckProblem> problems;
    for (const ReplySpec& r : readPeopleReplies(peopleYaml))
        for (int m : r.messages)
            if (!known.count(m))
                problems.push_back({{peopleYaml.string(), r.line},
                                    "'" + r.keyword + "': message " + std::to_string(m) +
                                        " is not in the message table"});
    return problems;
}

std::vector<int> readMessageNumbers(const fs::path& messagesYaml) {
    std::vector<int> numbers;
    if (!fs::exists(messagesYaml)) return numbers;
    YAML::Node root;
    try {
        root = YAML::LoadFile(messagesYaml.string());
    } catch (const YAML::Exception& e) {
        throw ContentError(messagesYaml.string(), e.mark.line + 1, e.msg);
    }
    for (auto it = root.begin(); it != root.end(); ++it) {
        int n = 0;
        parseNumber(it->first, n, messagesYaml.string());
        numbers.push_back(n);
    }
    return numbers;
}

int runBuild(const fs::path& src, const fs::path& out, std::ostream& log, std::ostream& err) {
    // Content the checks refuse is never built.
    auto set = std::make_unique<ContentSet>();
    std::size_t messages = 0;
    if (readAndCheck(src, *set, messages, err) != 0) return 1;
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec) {
        err << out.string() << ": cannot make the folder: " << ec.message() << "\n";
        return 1;
    }
    const std::pair<const char*, std::vector<std::uint8_t>> files[] = {
        {"QTR3.DAT", writeQtr3(set->db)},
        {"QTR4.DAT", writeQtr4(set->db)},
        {"QTR5.DAT", writeQtr5(set->db)},
        {"QTR6.DAT", writeQtr6(set->db)}};
    for (const auto& [name, bytes] : files) {
        std::string error;
        if (!WriteFileAtomically(out / name, bytes, {}, &error)) {
            err << (out / name).string() << ": cannot write: " << error << "\n";
            return 1;
        }
    }
    // The starter save is only a beginning: a save already there is the player's.
    const fs::path save = FindFileNoCase(out, kSaveFileName);
    const bool keepSave = fs::exists(save, ec);
    if (!keepSave) {
        std::string error;
        if (!WriteFileAtomically(out / kSaveFileName, BuildSaveImage(set->starter), {}, &error)) {
            err << (out / kSaveFileName).string() << ": cannot write: " << error << "\n";
            return 1;
        }
    }
    log << "built " << out.string() << ": QTR3..QTR6.DAT"
        << (keepSave ? " (the save " + save.filename().string() + " kept)" : " and QTR1.DAT")
        << " from " << summary(*set, messages) << "\n";
    return 0;
}

int runDump(const fs::path& dataDir, const fs::path& src, std::ostream& err) {
    Database db;
    const std::pair<const char*, bool (*)(std::span<const std::uint8_t>, Database&)> files[] = {
        {"QTR3.DAT", readQtr3},
        {"QTR4.DAT", readQtr4},
        {"QTR5.DAT", readQtr5},
        {"QTR6.DAT", readQtr6}};
    for (const auto& [name, reader] : files) {
        const fs::path path = dataDir / name;
        if (!fs::exists(path)) {
            err << path.string() << ": missing\n";
            return 1;
        }
        if (!reader(readBytes(path), db)) {
            err << path.string() << ": shorter than its tables\n";
            return 1;
        }
    }
    SaveData save;
    const bool haveSave = fs::exists(dataDir / kSaveFileName);
    if (haveSave) ReadSaveImage(readBytes(dataDir / kSaveFileName), save);
    try {
        writeContentSources(db, haveSave ? &save : nullptr, src);
    } catch (const std::exception& e) {
        err << src.string() << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

int runCheck(const fs::path& src, std::ostream& log, std::ostream& err) {
    auto set = std::make_unique<ContentSet>();
    std::size_t messages = 0;
    if (readAndCheck(src, *set, messages, err) != 0) return 1;
    log << "content OK: " << summary(*set, messages) << "\n";
    return 0;
}

}  // namespace dv
