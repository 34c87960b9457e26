#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

namespace dv {

// A fixed table with several indexes, stored with the first index varying fastest, which is
// the element order of the game's files. Indexes start at 0; a table that starts elsewhere
// (the maze layers start at dungeon 20) subtracts its base before asking.
template <class T, std::size_t... Dims>
class Grid {
  public:
    static constexpr std::size_t kSize = (Dims * ...);
    static constexpr std::array<std::size_t, sizeof...(Dims)> kDims{Dims...};

    template <class... I>
    static constexpr bool inRange(I... idx) {
        static_assert(sizeof...(I) == sizeof...(Dims));
        std::size_t k = 0;
        bool ok = true;
        ((ok = ok && isIndex(idx, kDims[k++])), ...);
        return ok;
    }

    // Callers check indexes that come from files or the player with inRange first.
    template <class... I>
    T& operator()(I... idx) {
        return data[offset(idx...)];
    }
    template <class... I>
    const T& operator()(I... idx) const {
        return data[offset(idx...)];
    }

    bool operator==(const Grid&) const = default;

    std::array<T, kSize> data{};

  private:
    template <class I>
    static constexpr bool isIndex(I idx, std::size_t bound) {
        if constexpr (std::is_signed_v<I>) {
            if (idx < 0) return false;
        }
        return static_cast<std::size_t>(idx) < bound;
    }

    template <class... I>
    static constexpr std::size_t offset(I... idx) {
        static_assert(sizeof...(I) == sizeof...(Dims));
        const std::size_t index[] = {static_cast<std::size_t>(idx)...};
        std::size_t result = 0;
        for (std::size_t k = sizeof...(Dims); k-- > 0;)
            result = result * kDims[k] + index[k];
        return result;
    }
};

}  // namespace dv
