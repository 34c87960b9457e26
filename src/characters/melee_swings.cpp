#include "characters/melee_swings.h"

#include <algorithm>

#include "characters/races_classes.h"

namespace dv {

std::int16_t MeleeSwingCount(const Character& c) {
    const ClassRecord* cls = ClassOf(c.classBit);
    if (!cls || cls->swingLevels == 0) return 1;
    const std::int64_t most = std::int64_t{cls->maxSwings} + (c.skills[kSkillExtraSwings] ? 3 : 0);
    const std::int64_t byLevel = std::int64_t{c.level} / cls->swingLevels + 1;
    return static_cast<std::int16_t>(std::max<std::int64_t>(1, std::min(most, byLevel)));
}

}  // namespace dv
