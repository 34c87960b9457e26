#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dv {

// One 20 x 20 floor as the three maze layers hold it, indexed [x][y].
struct FloorGrid {
    static constexpr int kSize = 20;
    std::array<std::array<int16_t, kSize>, kSize> walls{};
    std::array<std::array<int16_t, kSize>, kSize> doors{};
    std::array<std::array<int16_t, kSize>, kSize> attributes{};

    bool operator==(const FloorGrid&) const = default;

    static FloorGrid solidRock();
    bool isSolidRock() const;
    bool isRock(int x, int y) const { return walls[x][y] == 15 && doors[x][y] == 0; }
};

// Side bits of a cell: 1 north, 2 east, 4 south, 8 west.
enum Side : int { kNorth = 1, kEast = 2, kSouth = 4, kWest = 8 };

// The drawn form of a floor: a 41 x 41 character picture (cell centres at odd
// positions, edges between them) followed by optional "raw" lines for values the
// picture cannot show. The legend is in content/README.md.
std::string writeFloorText(const FloorGrid& floor, std::string_view title);

// Throws ContentError naming `fileName` and the line.
FloorGrid parseFloorText(std::string_view text, const std::string& fileName);

}  // namespace dv
