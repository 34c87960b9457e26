#pragma once

#include <string_view>

namespace dv {

// The numbered message table, compiled into the program from content/messages.yaml.
// A number the table does not hold gives the empty text.
std::string_view Message(int number);

}  // namespace dv
