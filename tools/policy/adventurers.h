#pragma once

// The party the tools play with: four fighters in front and behind them a priest and a
// mage, human and lawful, each made by the creation rules with its bonus points spent as
// a player would.

#include <cstdint>
#include <span>

#include "characters/creation_rules.h"
#include "core/data/character.h"
#include "core/data/dice.h"

namespace dv::policy {

struct AdventurerPlan {
    const char* name;
    std::int32_t classBit;
    // Where the bonus points go, in table order (力 知恵 信仰心 生命力 器用さ 素早さ 運 魅力).
    TableAttributes bonus;
};

// The six members, front row first.
std::span<const AdventurerPlan> StandardParty();

// The creation choice of a plan: the race's attributes raised to the class minimums, then
// the bonus added (each attribute up to the race's limit).
CreationChoice PlanChoice(const AdventurerPlan& plan, const TableAttributes& bonus);

// The plan's bonus scaled to a rolled number of points: each attribute gets its share,
// what rounding leaves goes to the first attribute the plan favours.
TableAttributes SpreadBonus(const AdventurerPlan& plan, int points);

// A new adventurer of the plan with the plan's own bonus (the simulator's party).
Character NewAdventurer(const AdventurerPlan& plan, Rng& rng);

}  // namespace dv::policy
