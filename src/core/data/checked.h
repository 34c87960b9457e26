#pragma once

// Arithmetic that must stay inside its field. A result that leaves the range of the field
// it is stored in is an error in the rules: the current action is abandoned and the
// message shown, instead of storing a wrapped value. Rules compute on wide numbers and
// store through these helpers; the event loop catches FieldRangeError around each
// handler, shows what() in the message dialog and goes on.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dv {

class FieldRangeError : public std::runtime_error {
  public:
    FieldRangeError(std::string_view field, double value);
    const std::string& field() const { return field_; }

  private:
    std::string field_;
};

template <std::integral T>
constexpr bool fitsField(std::int64_t value) {
    return value >= static_cast<std::int64_t>(std::numeric_limits<T>::min()) &&
           value <= static_cast<std::int64_t>(std::numeric_limits<T>::max());
}

// `value` as a T, or FieldRangeError naming `field`.
template <std::integral T>
T checkedField(std::int64_t value, std::string_view field) {
    if (!fitsField<T>(value)) throw FieldRangeError(field, static_cast<double>(value));
    return static_cast<T>(value);
}

// Stores `target + delta` into `target`, or throws and leaves `target` unchanged.
template <std::integral T>
void checkedAdd(T& target, std::int64_t delta, std::string_view field) {
    const std::int64_t current = static_cast<std::int64_t>(target);
    if ((delta > 0 && current > std::numeric_limits<std::int64_t>::max() - delta) ||
        (delta < 0 && current < std::numeric_limits<std::int64_t>::min() - delta)) {
        throw FieldRangeError(field, static_cast<double>(current) + static_cast<double>(delta));
    }
    target = checkedField<T>(current + delta, field);
}

// A fractional value stored in an integer field rounds to the nearest whole number,
// halves to the even neighbour.
template <std::integral T>
T roundToField(double value, std::string_view field) {
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max())) {
        throw FieldRangeError(field, value);
    }
    return static_cast<T>(rounded);
}

// For counters that are not rules (ages, tallies): stop at the field's limit instead.
template <std::integral T>
constexpr T clampToField(std::int64_t value) {
    if (value < static_cast<std::int64_t>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (value > static_cast<std::int64_t>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

}  // namespace dv
