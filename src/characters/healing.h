#pragma once

// Healing hit points without a word: the inn's rest and a level-up. The battle's heal
// builds its messages on the same rule.

#include <cstdint>

#include "core/data/character.h"

namespace dv {

// Dead, ashes, lost or diseased characters cannot be healed.
inline constexpr std::int32_t kStatusUnhealable = kStatusGone | kStatusDisease;

// Adds `amount` hit points, never past the maximum (a character already above it is
// brought down to it). A negative amount heals nothing. Returns false, changing nothing,
// for a character who cannot be healed.
bool HealHitPoints(Character& c, std::int64_t amount);

}  // namespace dv
