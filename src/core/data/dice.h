#pragma once

#include <cstdint>
#include <random>

namespace dv {

// The game's one random generator, owned by the game state. It is seeded once (at
// start-up from seedFromEntropy(), in tests with a fixed number) and never reseeded from
// the clock: rolls made within one clock tick would otherwise repeat.
class Rng {
  public:
    Rng() = default;
    explicit Rng(std::uint64_t seedValue) { seed(seedValue); }

    void seed(std::uint64_t seedValue) { engine_.seed(seedValue); }

    // Uniform whole number in lo..hi (lo <= hi).
    std::int64_t uniform(std::int64_t lo, std::int64_t hi);
    // Uniform in [0, 1).
    double unit();

    std::mt19937_64& engine() { return engine_; }

  private:
    std::mt19937_64 engine_{0};
};

// A seed from the system's entropy source mixed with the clock.
std::uint64_t seedFromEntropy();

// The sum of `count` dice of `sides` sides, plus `bonus`. No dice when count <= 0; a die of
// 0 sides shows 1; a die of negative sides shows sides + 1 .. 1 (the value of
// Int(r * sides + 1) with r uniform in [0, 1)). The count is a 16-bit field and the total a
// 32-bit one: leaving either range throws FieldRangeError (core/data/checked.h).
std::int32_t rollDice(Rng& rng, std::int64_t count, std::int64_t sides, std::int64_t bonus);

}  // namespace dv
