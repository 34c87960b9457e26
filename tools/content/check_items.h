#pragma once

// The checks of the item table and of everything that trades in items: the shop's stock,
// chest loot, people's goods, alchemy and fusion recipes, and the skills classes and
// items offer.

#include <vector>

#include "content/content_check.h"

namespace dv {

std::vector<CheckProblem> checkItems(const ContentSet& set);

}  // namespace dv
