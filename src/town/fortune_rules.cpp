#include "town/fortune_rules.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string_view>
#include <utility>

#include "characters/races_classes.h"
#include "core/data/message.h"
#include "core/data/text.h"

namespace dv {

namespace {

constexpr int kLastNumber = 2000;  // items and monsters 1..2000

std::string numberText(double v) {
    char buf[40];
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15)
        std::snprintf(buf, sizeof buf, "%.0f", v);
    else
        std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string wideNumber(std::int64_t v) {
    return ToWide(std::to_string(v));
}

// The ranking's sort: descending by key, on positions lo..hi of `order`. The order that
// equal keys end up in is the one this procedure leaves, which the rankings show, so it
// is kept as it is. A rounded pivot may lie outside every key of the range: the scans stop
// at the range's ends, and when every key then falls on one side (nothing would be split)
// the range is split on its true middle key instead.
void rankSort(std::vector<int>& order, int lo, int hi, const std::function<double(int)>& key,
              bool roundPivot) {
    const auto at = [&](int p) { return key(order[static_cast<std::size_t>(p)]); };
    while (lo < hi) {
        const double middle = at((lo + hi) / 2);
        int i = lo;
        int j = hi;
        const auto partition = [&](double pivot) {
            i = lo;
            j = hi;
            do {
                while (i <= hi && at(i) > pivot)
                    ++i;
                while (j >= lo && at(j) < pivot)
                    --j;
                if (i <= j) {
                    std::swap(order[static_cast<std::size_t>(i)],
                              order[static_cast<std::size_t>(j)]);
                    ++i;
                    --j;
                }
            } while (i <= j);
        };
        partition(roundPivot ? std::nearbyint(middle) : middle);
        if (j >= hi || i <= lo) partition(middle);
        // The smaller side by recursion, the larger by the loop: the same order, with the
        // stack kept short.
        if (j - lo < hi - i) {
            rankSort(order, lo, j, key, roundPivot);
            lo = i;
        } else {
            rankSort(order, i, hi, key, roundPivot);
            hi = j;
        }
    }
}

Report rosterRanking(const SaveData& save, ReportKind kind) {
    const auto& roster = save.roster;
    std::function<double(int)> key;
    switch (kind) {
        case ReportKind::Marks:
            key = [&](int s) { return roster[static_cast<std::size_t>(s)].marks; };
            break;
        case ReportKind::Rip:
            key = [&](int s) {
                return static_cast<double>(roster[static_cast<std::size_t>(s)].ripCount);
            };
            break;
        case ReportKind::MaxHitPoints:
            key = [&](int s) {
                return static_cast<double>(roster[static_cast<std::size_t>(s)].maxHitPoints);
            };
            break;
        case ReportKind::CriticalHits:
            key = [&](int s) {
                return static_cast<double>(roster[static_cast<std::size_t>(s)].criticalKills);
            };
            break;
        default:
            key = [&](int s) {
                return static_cast<double>(roster[static_cast<std::size_t>(s)].level);
            };
            break;
    }
    std::vector<int> order(kRosterSlots);
    for (int s = 0; s < kRosterSlots; ++s)
        order[static_cast<std::size_t>(s)] = s;
    // Slot 0 is the blank record: only 1..50 are ranked.
    rankSort(order, 1, kRosterSlots - 1, key, kind == ReportKind::Marks);
    Report r;
    for (int pos = 1; pos < kRosterSlots; ++pos) {
        const int slot = order[static_cast<std::size_t>(pos)];
        const Character& c = roster[static_cast<std::size_t>(slot)];
        if (c.rosterId < 1) continue;
        std::string row = FieldRight(std::to_string(c.level), 4) + ":" + FieldLeft(c.name, 16) +
                          "  " + FieldRight(ClassLabel(c.alignment, c.classBit), 9);
        if (kind != ReportKind::Level) row += " " + FieldRight(numberText(key(slot)), 6);
        r.rows.push_back(ToWide(row));
        r.numbers.push_back(slot);
    }
    return r;
}

// Items obtained and monsters defeated: the numbers 1..2000 ranked by their counters.
Report counterRanking(const Database& db, const SaveData& save, bool items) {
    const auto& counts = items ? save.itemFoundCounts : save.defeatedCounts;
    std::vector<int> order(kLastNumber + 1);
    std::int64_t total = 0;
    for (int n = 0; n <= kLastNumber; ++n) {
        order[static_cast<std::size_t>(n)] = n;
        if (n > 0) total += CounterValue(counts[static_cast<std::size_t>(n)]);
    }
    const auto key = [&](int n) {
        return static_cast<double>(CounterValue(counts[static_cast<std::size_t>(n)]));
    };
    rankSort(order, 1, kLastNumber, key, false);
    Report r;
    for (int pos = 1; pos <= kLastNumber; ++pos) {
        const int n = order[static_cast<std::size_t>(pos)];
        const std::int64_t count = CounterValue(counts[static_cast<std::size_t>(n)]);
        if (count < 1) break;
        std::string row;
        if (items) {
            const ItemRecord& item = db.itemTable[static_cast<std::size_t>(n)];
            row = FieldLeft(item.name, 18) + " " + FieldLeft(KindName(item.kind), 10) + " ";
        } else {
            row = FieldLeft(db.monsterTable[static_cast<std::size_t>(n)].name, 18) + " ";
        }
        row += FieldRight(std::to_string(count), 6);
        r.rows.push_back(ToWide(row));
        r.numbers.push_back(n);
    }
    const std::int64_t found = static_cast<std::int64_t>(r.rows.size());
    std::int64_t types = 0;
    for (int n = 1; n <= kLastNumber; ++n) {
        // Empty records count as kinds too; event items do not.
        if (items ? db.itemTable[static_cast<std::size_t>(n)].kind != 11
                  : db.monsterTable[static_cast<std::size_t>(n)].rosterId > 0)
            ++types;
    }
    if (items)
        r.summary = "獲得アイテム総数　" + wideNumber(total) + "　　取得アイテム種数　" +
                    wideNumber(found) + "/" + wideNumber(types);
    else
        r.summary = "倒打モンスター総数　" + wideNumber(total) + "　　倒打モンスター種数　" +
                    wideNumber(found) + "/" + wideNumber(types);
    return r;
}

std::string unknownRow(int n) {
    const std::string q(Message(3024));
    return ToWide(FieldRight(std::to_string(n), 4) + " ") + q + q;
}

Report itemCatalogue(const Database& db, const SaveData& save) {
    Report r;
    int listed = 0;
    int obtained = 0;
    // The table ends at the first record without a number, or after item 2000.
    for (int id = 1; id <= kLastNumber; ++id) {
        const ItemRecord& item = db.itemTable[static_cast<std::size_t>(id)];
        if (item.itemNumber < 1) break;
        if (item.kind == 11) continue;
        ++listed;
        const std::int64_t count = CounterValue(save.itemFoundCounts[static_cast<std::size_t>(id)]);
        if (count >= 1) {
            ++obtained;
            r.rows.push_back(ToWide(FieldRight(std::to_string(listed), 4) + " " +
                                    FieldLeft(item.name, 18) + " " + FieldLeft(item.altName, 18) +
                                    " " + FieldLeft(KindName(item.kind), 7) + " " +
                                    FieldRight(std::to_string(count), 6)));
        } else {
            r.rows.push_back(unknownRow(listed));
        }
        r.numbers.push_back(id);
    }
    r.summary = "全" + std::to_string(listed) + "種中  " + std::to_string(obtained) +
                "種ＧＥＴ   　　　残り" + std::to_string(listed - obtained);
    return r;
}

Report monsterCatalogue(const Database& db, const SaveData& save) {
    Report r;
    int listed = 0;
    int defeated = 0;
    for (int id = 1; id <= kLastNumber; ++id) {
        const Character& m = db.monsterTable[static_cast<std::size_t>(id)];
        if (m.rosterId <= 0) continue;
        ++listed;
        const std::int64_t count = CounterValue(save.defeatedCounts[static_cast<std::size_t>(id)]);
        if (count >= 1) {
            ++defeated;
            r.rows.push_back(ToWide(FieldRight(std::to_string(id), 4) + " " +
                                    FieldLeft(m.name, 18) + " " + FieldLeft(m.altName, 18) + " " +
                                    FieldRight(std::to_string(count), 6)));
        } else {
            r.rows.push_back(unknownRow(id) + ToWide(FieldRight("0", 6)));
        }
        r.numbers.push_back(id);
    }
    r.summary = "全" + std::to_string(listed) + "種中" + std::to_string(defeated) +
                "種倒打 　　　  残り" + std::to_string(listed - defeated);
    return r;
}

}  // namespace

std::int64_t CounterValue(std::int32_t stored) {
    return stored < 0 ? 0 : stored;
}

std::int64_t TotalDefeated(const SaveData& save) {
    std::int64_t total = 0;
    for (int n = 1; n <= kLastNumber; ++n)
        total += CounterValue(save.defeatedCounts[static_cast<std::size_t>(n)]);
    return total;
}

Report BuildReport(const Database& db, const SaveData& save, ReportKind kind) {
    switch (kind) {
        case ReportKind::ItemsObtained:
            return counterRanking(db, save, true);
        case ReportKind::MonstersDefeated:
            return counterRanking(db, save, false);
        case ReportKind::ItemCatalogue:
            return itemCatalogue(db, save);
        case ReportKind::MonsterCatalogue:
            return monsterCatalogue(db, save);
        default:
            return rosterRanking(save, kind);
    }
}

FusionRecipe RecipeAt(const Database& db, int k) {
    FusionRecipe r;
    if (k < 1 || k > kRecipeCount) return r;
    r.result = db.fusionTable(k, 1);
    r.failure = db.fusionTable(k, 2);
    for (int c = 0; c < 4; ++c)
        r.ingredients[static_cast<std::size_t>(c)] = db.fusionTable(k, 3 + c);
    return r;
}

bool RecipeRevealed(const Database& db, const SaveData& save, int k) {
    if (k < 1 || k > kRecipeCount) return false;
    if (!itemAt(db, RecipeAt(db, k).result)) return false;
    return 30LL * k * k < TotalDefeated(save);
}

std::string FusionRow(const Database& db, const SaveData& save, int k) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d:", k);
    if (!RecipeRevealed(db, save, k)) return std::string(number) + kHiddenRecipe;
    return std::string(number) + itemAt(db, RecipeAt(db, k).result)->name;
}

FusionOutcome DrawFusionOutcome(Rng& rng) {
    if (rollDice(rng, 1, 24, 0) != 1) return FusionOutcome::Success;
    return rollDice(rng, 1, 3, 0) != 1 ? FusionOutcome::Destroyed : FusionOutcome::WrongItem;
}

}  // namespace dv
