#include "core/data/dice.h"

#include <chrono>
#include <cmath>

#include "core/data/checked.h"

namespace dv {

std::int64_t Rng::uniform(std::int64_t lo, std::int64_t hi) {
    return std::uniform_int_distribution<std::int64_t>(lo, hi)(engine_);
}

double Rng::unit() {
    return std::generate_canonical<double, 53>(engine_);
}

std::uint64_t seedFromEntropy() {
    std::random_device device;
    const auto now = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seq{device(), device(), static_cast<std::uint32_t>(now),
                      static_cast<std::uint32_t>(now >> 32)};
    std::uint32_t words[2];
    seq.generate(words, words + 2);
    return (static_cast<std::uint64_t>(words[0]) << 32) | words[1];
}

std::int32_t rollDice(Rng& rng, std::int64_t count, std::int64_t sides, std::int64_t bonus) {
    checkedField<std::int16_t>(count, "dice count");
    std::int64_t total = 0;
    for (std::int64_t i = 0; i < count; ++i) {
        if (sides >= 1) {
            total += rng.uniform(1, sides);
        } else if (sides == 0) {
            total += 1;
        } else {
            // Int(r * sides + 1): sides + 1 .. 0, and 1 only for a draw of exactly 0.
            total += static_cast<std::int64_t>(
                std::floor(rng.unit() * static_cast<double>(sides) + 1.0));
        }
    }
    return checkedField<std::int32_t>(total + bonus, "dice total");
}

}  // namespace dv
