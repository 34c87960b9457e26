#include "core/data/checked.h"

#include <cstdio>

namespace dv {

namespace {

std::string rangeMessage(std::string_view field, double value) {
    char number[64];
    std::snprintf(number, sizeof number, "%.0f", value);
    return "数値が範囲を超えたため、この行動を中止しました\n(" + std::string(field) + " = " +
           number + ")";
}

}  // namespace

FieldRangeError::FieldRangeError(std::string_view field, double value)
    : std::runtime_error(rangeMessage(field, value)), field_(field) {}

}  // namespace dv
