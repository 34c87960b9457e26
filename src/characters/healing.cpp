#include "characters/healing.h"

#include <algorithm>

namespace dv {

bool HealHitPoints(Character& c, std::int64_t amount) {
    if ((c.status & kStatusUnhealable) != 0) return false;
    amount = std::max<std::int64_t>(amount, 0);
    // Compared before adding, so that no amount can overflow.
    if (amount >= std::int64_t{c.maxHitPoints} - c.hitPoints)
        c.hitPoints = c.maxHitPoints;
    else
        c.hitPoints = static_cast<std::int32_t>(c.hitPoints + amount);
    return true;
}

}  // namespace dv
