#pragma once

#include <string>

namespace dv {

struct Game;

// Asks for a name in the input dialog. Line breaks are removed; a name the record cannot
// hold (over 50 characters, or a character code page 932 cannot store) is refused with a
// message and asked for again. Returns the name, or "" when the player gave none.
std::string AskName(Game& game, const std::string& prompt);

}  // namespace dv
