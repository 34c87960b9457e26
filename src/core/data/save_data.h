#pragma once

// The whole changeable state of a game, as kept in QTR1.DAT.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/data/character.h"
#include "core/data/grid.h"

namespace dv {

inline constexpr int kEventFlagCount = 101;  // flags 0..100
inline constexpr int kCounterCount = 2001;   // per item or monster number 0..2000
inline constexpr int kRosterSlots = 51;      // slot 0 is the blank template, 1..50 characters
inline constexpr int kChestSpotCount = 51;   // spots 0..50
inline constexpr int kLunaPeriod = 480;      // lunaPhase 0..479
inline constexpr int kArtemisPeriod = 640;   // artemisPhase 0..639
inline constexpr std::size_t kSaveFileSize = 128154;

struct SaveData {
    std::array<std::int32_t, kEventFlagCount> eventFlags{};  // element 19 = skill slots
    std::int16_t lunaPhase = 0;
    std::int16_t artemisPhase = 0;
    std::array<std::int32_t, kCounterCount> defeatedCounts{};
    std::array<std::int32_t, kCounterCount> itemFoundCounts{};
    std::array<std::int32_t, kCounterCount> shopStock{};  // > 0 offered, < 0 never dealt in
    Grid<std::int16_t, kChestSpotCount, 6> chestSpots{};
    std::array<Character, kRosterSlots> roster{};

    bool operator==(const SaveData&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("eventFlags", r.eventFlags);
        v("lunaPhase", r.lunaPhase);
        v("artemisPhase", r.artemisPhase);
        v("defeatedCounts", r.defeatedCounts);
        v("itemFoundCounts", r.itemFoundCounts);
        v("shopStock", r.shopStock);
        v("chestSpots", r.chestSpots);
        v("roster", r.roster);
    }
};

}  // namespace dv
