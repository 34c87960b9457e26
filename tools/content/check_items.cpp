#include "content/check_items.h"

#include <map>
#include <set>
#include <string>

#include "core/data/names.h"

namespace dv {

namespace {

// Items the program names, with what it does with them. The gifts and tokens are event
// items so that the shop and the people never buy them.
struct EngineItem {
    int number;
    bool eventItem;
    const char* role;
};

constexpr EngineItem kEngineItems[] = {
    {609, true, "person 6 hands it out for \"卑しい盗賊\""},
    {613, false, "person 3 gives it for item 630"},
    {614, true, "person 4 takes it and gives item 634"},
    {615, true, "person 5 takes it and sets flag 4"},
    {617, true, "person 8 takes it and gives item 637"},
    {627, true, "person 9 takes it and names the seven demon lords"},
    {630, true, "person 3 takes it and gives item 613"},
    {634, false, "person 4 gives it for item 614"},
    {635, true, "with item 636 in the roster it opens dungeon 25"},
    {636, true, "with item 635 in the roster it opens dungeon 25"},
    {637, true, "person 8 gives it; person 9 takes it and gives item 638"},
    {638, false, "person 9 gives it for item 637"},
    {656, true, "person 10 gives it once the 72 monsters 698..769 are defeated"},
    {657, true, "carried home with flag 41 set it starts the ending"},
};
constexpr int kLastEngineItem = 657;

// Skills the program tests; each needs a name and a description for the skill window.
bool testedSkill(int n) {
    static const std::set<int> skills = [] {
        std::set<int> s;
        auto range = [&s](int a, int b) {
            for (int i = a; i <= b; ++i)
                s.insert(i);
        };
        range(1, 23);
        range(25, 49);
        range(51, 52);
        range(54, 68);
        s.insert(70);
        range(73, 86);
        range(88, 104);
        range(110, 111);
        s.insert(113);
        range(116, 152);
        range(154, 162);
        for (int i : {166, 168, 170})
            s.insert(i);
        range(174, 212);
        range(214, 266);
        return s;
    }();
    return skills.count(n) > 0;
}

// Found-chest levels the dungeons produce, and where.
constexpr std::pair<int, const char*> kFoundChestLevels[] = {
    {1, "亜獣人の谷, アヴァロン, アンダーバベル"},
    {2, "アンダーバベル floor 7, レメゲトン, エデン"},
    {3, "ネガパンデモニウム"},
    {5, "ネガパンデモニウム floor 6"},
};
constexpr int kHighestBattleChest = 35;
constexpr int kPriceDigits = 99999999;  // the shop's price column is eight digits wide

std::string itemName(int n) {
    return "item " + std::to_string(n);
}

std::string span(int a, int b) {
    return a == b ? std::to_string(a) : std::to_string(a) + ".." + std::to_string(b);
}

// "1, 2, 5..9" for a sorted list of numbers.
std::string runsOf(const std::vector<int>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        text += (text.empty() ? "" : ", ") + span(numbers[i], numbers[j]);
        i = j + 1;
    }
    return text;
}

class ItemChecker {
  public:
    explicit ItemChecker(const ContentSet& set) : set_(set), db_(set.db) {}

    std::vector<CheckProblem> run() {
        presence();
        engineItems();
        fields();
        shop();
        chests();
        people();
        recipes();
        skills();
        return problems_;
    }

  private:
    // A table without entries has no file name on record; its source is named after it.
    void fail(const std::string& table, int entry, const std::string& message) {
        SourceLine where = set_.at(table, entry);
        if (where.file == table) where.file = table + ".yaml";
        problems_.push_back({where, message});
    }

    // For something missing: the entry written before it, where it belongs.
    void failAfter(const std::string& table, int missing, const std::string& message) {
        int before = missing - 1;
        const auto t = set_.where.find(table);
        while (before > 0 && (t == set_.where.end() || !t->second.count(before)))
            --before;
        fail(table, before > 0 ? before : missing, message);
    }

    bool present(int n) const {
        return n >= 1 && n < static_cast<int>(db_.itemTable.size()) &&
               db_.itemTable[n].itemNumber >= 1;
    }
    const ItemRecord& item(int n) const { return db_.itemTable[n]; }

    // The catalogue walks the items from 1 and stops at the first gap, and the program
    // names items up to 657: every number up to the last item, and up to 657, is written.
    void presence() {
        int last = 0;
        for (int n = 1; n < static_cast<int>(db_.itemTable.size()); ++n)
            if (present(n)) last = n;
        const int end = std::max(last, kLastEngineItem);
        for (int n = 1; n <= end;) {
            if (present(n)) {
                if (item(n).itemNumber != n) fail("items", n, "itemNumber must equal its number");
                ++n;
                continue;
            }
            int b = n;
            while (b + 1 <= end && !present(b + 1))
                ++b;
            std::string message = (n == b ? "item " : "items ") + span(n, b) +
                                  (n == b ? " is" : " are") +
                                  " missing: the item catalogue stops at the first gap";
            for (const EngineItem& e : kEngineItems)
                if (e.number >= n && e.number <= b)
                    message += "; " + itemName(e.number) + ": " + e.role;
            fail("items", b < last ? b + 1 : last, message);
            n = b + 1;
        }
    }

    void engineItems() {
        for (const EngineItem& e : kEngineItems)
            if (present(e.number) && e.eventItem && item(e.number).kind != 11)
                fail("items", e.number,
                     itemName(e.number) + " must be an event item (kind 11): " + e.role);
    }

    void fields() {
        std::map<std::string, int> names;
        for (int n = 1; n < static_cast<int>(db_.itemTable.size()); ++n) {
            if (!present(n)) continue;
            const ItemRecord& r = item(n);
            const std::string id = itemName(n);
            const std::string name = DecodeNameCodes(r.nameCodes) + r.name;
            const std::string altName = DecodeNameCodes(r.altNameCodes) + r.altName;
            if (name.empty() || altName.empty())
                fail("items", n, id + " needs a name and an unidentified name (altName)");
            else if (!names.emplace(name, n).second)
                fail("items", n, id + ": name also used by item " + std::to_string(names[name]));
            if (r.kind == 1) {
                if (r.weaponType < 1 || r.weaponType > 13)
                    fail("items", n, id + ": a weapon's weaponType is 1..13");
                if (r.reach < 1 || r.reach > 3) fail("items", n, id + ": a weapon's reach is 1..3");
            } else if (r.weaponType != 0 || r.secondaryCapable != 0 || r.twoHanded != 0) {
                fail("items", n,
                     id + ": only weapons have a weaponType, a second hand or both hands");
            }
            if (r.twoHanded != 0 && r.twoHanded != -1)
                fail("items", n, id + ": twoHanded is 0 or -1");
            if (r.cursed != 0 && r.cursed != -1) fail("items", n, id + ": cursed is 0 or -1");
            if (r.useType < 0 || r.useType > 2)
                fail("items", n, id + ": useType is 0, 1 (monster book) or 2 (item book)");
            if (r.element > 36) fail("items", n, id + ": element indexes resistances 0..36");
            for (int k = 0; k <= 36; ++k) {
                if (r.statusChance[k] > 100)
                    fail("items", n,
                         id + ": statusChance " + std::to_string(k) + " is a percent 0..100");
                const int v = r.resistances[k];
                if (v > 100 && v != 200 && v != 255)
                    fail("items", n,
                         id + ": resistances " + std::to_string(k) +
                             " is 0..100, 200 (absorb) or 255 (reflect)");
            }
            if (r.specialPower < 0 || (r.specialPower >= 15 && r.specialPower <= 20) ||
                r.specialPower > 62)
                fail("items", n,
                     id + ": specialPower " + std::to_string(r.specialPower) + " does nothing");
            if (r.chestRank > kHighestBattleChest)
                fail("items", n, id + ": chestRank is 0..35, the levels of battle chests");
            if (r.chestRank > 0 && r.chestAllowed <= 0)
                fail("items", n, id + ": a chestRank with chestAllowed 0 is never drawn");
            if (r.kind == 11 && r.chestRank > 0)
                fail("items", n, id + ": an event item is handed out by events, not chests");
            if (r.kind >= 1 && r.kind <= 7 &&
                ((r.sexMask & 3) == 0 || (r.alignmentMask & 7) == 0 || (r.raceMask & 2047) == 0 ||
                 (r.classMask & 262143) == 0))
                fail("items", n, id + ": its masks leave nobody who can wear it");
            if (r.price < 0 || r.price > kPriceDigits)
                fail("items", n, id + ": price is 0..99999999 (the shop shows eight digits)");
            if (r.grantedSkill > 0) {
                if (r.kind < 1 || r.kind > 7)
                    fail("items", n, id + ": only worn items offer a skill");
                else if (r.grantedSkill < 300 && db_.skillTable[r.grantedSkill].name.empty())
                    fail("items", n,
                         id + ": grantedSkill " + std::to_string(r.grantedSkill) +
                             " names no skill");
            }
            if (r.spellLink >= 1 && r.spellLink < static_cast<int>(db_.spellTable.size()) &&
                !db_.spellTable[r.spellLink].name.empty()) {
                const int flags = db_.spellTable[r.spellLink].flags;
                if (r.kind == 9 && !(flags & 1))
                    fail("items", n,
                         id + ": songs need a spell usable in battle (spellLink " +
                             std::to_string(r.spellLink) + ")");
                else if (!(flags & 3))
                    fail("items", n,
                         id + ": spellLink " + std::to_string(r.spellLink) +
                             " works neither in battle nor in camp");
            }
        }
    }

    void shop() {
        const auto& stock = set_.starter.shopStock;
        for (int n = 1; n < static_cast<int>(stock.size()); ++n) {
            if (stock[n] < -1) fail("shop", n, "write -1 for an item the shop never sells");
            if (stock[n] > 0 && present(n) && item(n).price == 0)
                fail("shop", n, itemName(n) + " has no price: the shop would give it away");
        }
    }

    void chests() {
        const auto& t = db_.chestItemTable;
        std::string uncovered;
        for (const auto& [level, where] : kFoundChestLevels) {
            bool any = false;
            for (int r = 1; r <= 50; ++r)
                any = any || (t(r, 0) <= level && present(t(r, 1)));
            if (!any)
                uncovered +=
                    (uncovered.empty() ? "" : ", ") + std::to_string(level) + " (" + where + ")";
        }
        if (!uncovered.empty())
            fail("chest_items", 1, "found chests of level " + uncovered + " have no loot row");
        for (int r = 1; r <= 50; ++r) {
            const int level = t(r, 0), n = t(r, 1);
            if (level > 5 && level < 99 && n != 0)
                fail(
                    "chest_items", r,
                    "row " + std::to_string(r) +
                        " is never drawn: found chests are of level 1..5 (99 marks an unused row)");
            if (level <= 5 && present(n) && item(n).kind == 11)
                fail("chest_items", r,
                     "row " + std::to_string(r) +
                         ": event items are handed out by events, not "
                         "chests");
        }
        std::vector<int> empty;
        for (int level = 1; level <= kHighestBattleChest; ++level) {
            bool any = false;
            for (int n = 1; n < static_cast<int>(db_.itemTable.size()) && !any; ++n)
                any = present(n) && item(n).chestRank >= 1 && item(n).chestRank <= level &&
                      item(n).chestAllowed > 0;
            if (!any) empty.push_back(level);
        }
        if (!empty.empty())
            fail("items", 1,
                 "battle chests of level " + runsOf(empty) +
                     " have nothing to hold: no item has a chestRank that low");
    }

    void people() {
        for (int p = 1; p <= 12; ++p) {
            const NpcRecord& r = db_.npcTable[p];
            bool any = false;
            for (int g = 1; g <= 10; ++g)
                any = any || r.npcGoods[g] != 0;
            if (!any)
                fail("npc", p,
                     "person " + std::to_string(p) + " has no goods: a visit shows five of ten");
            if (!(r.npcPriceFactor > 0 && r.npcPriceFactor <= 1))
                fail("npc", p,
                     "person " + std::to_string(p) +
                         ": npcPriceFactor is above 0 and at most 1 (above 1, buying in the shop "
                         "and selling here makes money)");
        }
    }

    void recipes() {
        const auto& a = db_.alchemyTable;
        for (int r = 1; r <= 120; ++r)
            if (a[121 + r] != 0 && a[242 + r] == 0)
                fail("alchemy", r,
                     "recipe " + std::to_string(r) +
                         " needs two materials: with one it is listed once per empty slot");
        const auto& f = db_.fusionTable;
        std::vector<int> empty;
        for (int k = 1; k <= 60; ++k) {
            if (f(k, 1) == 0) {
                empty.push_back(k);
                continue;
            }
            std::set<int> seen;
            int count = 0;
            for (int c = 3; c <= 6; ++c) {
                if (f(k, c) == 0) continue;
                ++count;
                if (!seen.insert(f(k, c)).second)
                    fail("fusion", k,
                         "fusion " + std::to_string(k) + " names item " + std::to_string(f(k, c)) +
                             " twice: one unit is enough to qualify, so the second is free");
            }
            if (count == 0)
                fail("fusion", k, "fusion " + std::to_string(k) + " has no ingredients");
        }
        if (!empty.empty())
            failAfter(
                "fusion", empty.front(),
                "fusion rows " + runsOf(empty) +
                    " hold no recipe: the fortune house lists all sixty, and a revealed empty "
                    "row would make item 0");
    }

    void skills() {
        // Skills items offer without a name are reported with the item.
        std::set<int> offered, byClass;
        for (int n = 1; n < 300; ++n)
            for (int c = 1; c <= 18; ++c)
                if (db_.skillTable[n].classLevel[c] != 0) byClass.insert(n);
        offered = byClass;
        for (int n = 1; n < static_cast<int>(db_.itemTable.size()); ++n)
            if (present(n) && item(n).grantedSkill > 0 && item(n).grantedSkill < 300)
                offered.insert(item(n).grantedSkill);
        for (int n : offered) {
            const std::string id = "skill " + std::to_string(n);
            if (db_.skillTable[n].name.empty()) {
                if (byClass.count(n)) fail("skills", n, id + " is offered but has no name");
            } else if (db_.skillTable[n + 1].descriptionCodes ==
                       decltype(SkillRecord::descriptionCodes){}) {
                fail("skills", n, id + " is offered but has no description");
            }
        }
        std::vector<int> missing;
        for (int n = 1; n < 300; ++n)
            if (testedSkill(n) && db_.skillTable[n].name.empty()) missing.push_back(n);
        if (!missing.empty())
            failAfter("skills", missing.front(),
                      "the program tests skills " + runsOf(missing) +
                          ", which have no name for the skill window");
    }

    const ContentSet& set_;
    const Database& db_;
    std::vector<CheckProblem> problems_;
};

}  // namespace

std::vector<CheckProblem> checkItems(const ContentSet& set) {
    return ItemChecker(set).run();
}

}  // namespace dv
