#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dv {

// Decodes UTF-8; invalid bytes become U+FFFD so text from anywhere can be drawn safely.
std::u32string decodeUtf8(std::string_view s);
std::string encodeUtf8(std::u32string_view s);
void appendUtf8(std::string& out, char32_t c);

// A character stored in one byte of the legacy code page (ASCII and half-width kana)
// takes one cell of the fixed-pitch face; every other character takes two.
bool isHalfWidth(char32_t c);
int cellsOf(std::u32string_view s);
int cellsOf(std::string_view utf8);

// Number of characters (code points).
size_t charCount(std::string_view utf8);

}  // namespace dv
