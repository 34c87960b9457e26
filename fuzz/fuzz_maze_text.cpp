// The maze pictures (content/mazes/*.txt) on arbitrary text: a fault is a ContentError
// naming a line; a picture that reads writes back to a picture that reads the same floor.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "content/content_error.h"
#include "content/maze_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    dv::FloorGrid floor;
    try {
        floor = dv::parseFloorText(text, "fuzz.txt");
    } catch (const dv::ContentError&) {
        return 0;
    }
    const std::string written = dv::writeFloorText(floor, "fuzz");
    if (!(dv::parseFloorText(written, "again.txt") == floor)) std::abort();
    return 0;
}
