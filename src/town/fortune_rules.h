#pragma once

// The fortune house's records without a screen: the rankings of the roster, of the items
// found and the monsters defeated, the two catalogues, and the fusion recipes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/data/database.h"
#include "core/data/dice.h"
#include "core/data/save_data.h"

namespace dv {

// The reports of the report window, by their numbers.
enum class ReportKind {
    Marks = 1,
    Rip = 2,
    Level = 3,
    MaxHitPoints = 4,
    ItemsObtained = 5,
    MonstersDefeated = 6,
    CriticalHits = 7,
    ItemCatalogue = 8,
    MonsterCatalogue = 9,
};

struct Report {
    // Every row already in full width.
    std::vector<std::string> rows;
    // The item, monster or roster number behind each row.
    std::vector<int> numbers;
    std::string summary;
};

Report BuildReport(const Database& db, const SaveData& save, ReportKind kind);

// A counter read from the save: a negative value (a damaged save) counts as none.
std::int64_t CounterValue(std::int32_t stored);
// The sum of defeatedCounts over monsters 1..2000.
std::int64_t TotalDefeated(const SaveData& save);

inline constexpr int kRecipeCount = 60;

struct FusionRecipe {
    int result = 0;
    int failure = 0;  // what a fusion gone wrong may give instead
    std::array<int, 4> ingredients{};
};
// Recipe k (1..60); an empty recipe outside that range.
FusionRecipe RecipeAt(const Database& db, int k);
// Shown (and fusable) once more than 30 k^2 monsters have been defeated, when its result is
// an item of the table.
bool RecipeRevealed(const Database& db, const SaveData& save, int k);
// "01:" followed by the result's name, or question marks while the recipe is hidden.
std::string FusionRow(const Database& db, const SaveData& save, int k);
inline constexpr const char* kHiddenRecipe = "？？？？？？？？？？";

enum class FusionOutcome { Success, WrongItem, Destroyed };
// One in 24 fails; a failure leaves the wrong item one time in three and nothing otherwise.
FusionOutcome DrawFusionOutcome(Rng& rng);

}  // namespace dv
