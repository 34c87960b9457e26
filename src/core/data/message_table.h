#pragma once

#include <span>
#include <string_view>

namespace dv {

struct MessageEntry {
    int number;
    std::string_view text;
};

// The compiled message table, sorted by number (generated at build time).
std::span<const MessageEntry> MessageTable();

}  // namespace dv
