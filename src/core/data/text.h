#pragma once

// Display names and the layout of list rows and numbers.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dv {

// The name of the first set status bit in priority order ("消滅" before "灰燼" before "死"
// ...); empty when no named bit is set.
std::string_view StatusName(std::int32_t status);

// Item kind names for lists: 1 "武器" ... 12 "護符・宝珠"; every other kind "その他".
std::string_view KindName(std::int64_t kind);

// Every half-width character to its full-width form: ASCII letters, digits and punctuation,
// the space (to "　"), and half-width kana (joined with a following voiced or semi-voiced
// mark where the full-width kana has one). Other text is kept.
std::string ToWide(std::string_view utf8);

// Fixed-width fields counted in characters. A text longer than its field is not cut.
std::string FieldRight(std::string_view text, std::size_t width);  // pads on the left
std::string FieldLeft(std::string_view text, std::size_t width);   // pads on the right

// Number formats: "###############" (0 shows as nothing) and "#############0" (0 shows as
// "0"). Fractions round to the nearest whole number, halves away from zero.
std::string FormatNumber(double value);      // "###############"
std::string FormatNumberZero(double value);  // "#############0"

}  // namespace dv
