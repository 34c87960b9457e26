#include "adventurers.h"

#include <algorithm>
#include <numeric>

#include "characters/races_classes.h"
#include "core/data/save_data.h"

namespace dv::policy {

namespace {

constexpr std::int32_t kHuman = 1;
constexpr std::int32_t kFighter = 1;
constexpr std::int32_t kMage = 2;
constexpr std::int32_t kPriest = 4;

constexpr AdventurerPlan kParty[] = {
    {"戦士Ａ", kFighter, {5, 0, 0, 3, 0, 1, 0, 0}}, {"戦士Ｂ", kFighter, {5, 0, 0, 3, 0, 1, 0, 0}},
    {"戦士Ｃ", kFighter, {5, 0, 0, 3, 0, 1, 0, 0}}, {"戦士Ｄ", kFighter, {5, 0, 0, 3, 0, 1, 0, 0}},
    {"僧侶", kPriest, {0, 0, 6, 2, 0, 1, 0, 0}},    {"魔導士", kMage, {0, 5, 0, 2, 0, 2, 0, 0}},
};

}  // namespace

std::span<const AdventurerPlan> StandardParty() {
    return kParty;
}

CreationChoice PlanChoice(const AdventurerPlan& plan, const TableAttributes& bonus) {
    CreationChoice choice;
    choice.name = plan.name;
    choice.race = kHuman;
    choice.alignment = kLawful;
    choice.sex = kMale;
    choice.classBit = plan.classBit;
    TableAttributes a = StartingAttributes(kHuman, kMale);
    const ClassRecord* cls = ClassOf(plan.classBit);
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (cls) a[k] = std::max(a[k], cls->minimums[k]);
        const int limit = AttributeLimit(kHuman, static_cast<int>(k) + 1, false, kMale);
        a[k] = static_cast<std::uint8_t>(std::min(a[k] + bonus[k], limit));
    }
    choice.attributes = a;
    return choice;
}

TableAttributes SpreadBonus(const AdventurerPlan& plan, int points) {
    TableAttributes out{};
    const int weight = std::accumulate(plan.bonus.begin(), plan.bonus.end(), 0);
    if (weight <= 0 || points <= 0) return out;
    int given = 0;
    for (std::size_t k = 0; k < out.size(); ++k) {
        out[k] = static_cast<std::uint8_t>(plan.bonus[k] * points / weight);
        given += out[k];
    }
    const auto first = std::max_element(plan.bonus.begin(), plan.bonus.end());
    out[static_cast<std::size_t>(first - plan.bonus.begin())] +=
        static_cast<std::uint8_t>(points - given);
    return out;
}

Character NewAdventurer(const AdventurerPlan& plan, Rng& rng) {
    SaveData scratch;
    const int slot = CommitCharacter(scratch, PlanChoice(plan, plan.bonus), rng);
    return scratch.roster[static_cast<size_t>(slot)];
}

}  // namespace dv::policy
