#include "characters/melee_swings.h"

#include <algorithm>

#include "characters/races_classes.h"

namespace dv {

int MeleeSwingCount(const Character& c) {
    const ClassRecord* cls = ClassOf(c.classBit);
    if (!cls || cls->swingLevels == 0) return 1;
    const std::int64_t most = std::int64_t{cls->maxSwings} + (c.skills[83] != 0 ? 3 : 0);
    const std::int64_t byLevel = std::int64_t{c.level} / cls->swingLevels + 1;
    return static_cast<int>(std::clamp<std::int64_t>(std::min(most, byLevel), 0, 32767));
}

}  // namespace dv
