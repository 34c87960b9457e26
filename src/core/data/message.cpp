#include "core/data/message.h"

#include <algorithm>

#include "core/data/message_table.h"

namespace dv {

std::string_view Message(int number) {
    const auto table = MessageTable();
    const auto it = std::lower_bound(
        table.begin(), table.end(), number,
        [](const MessageEntry& entry, int wanted) { return entry.number < wanted; });
    return (it != table.end() && it->number == number) ? it->text : std::string_view();
}

}  // namespace dv
