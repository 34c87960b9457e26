#pragma once

// One database file's reader on arbitrary bytes shaped like that file (the seeds are cut
// from the shipped file). Whatever reads whole must write back to exactly the bytes it was
// read from, and its names must decode.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "core/data/data_files.h"

namespace dv::fuzz {

using Reader = bool (*)(std::span<const std::uint8_t>, Database&);
using Writer = std::vector<std::uint8_t> (*)(const Database&);

inline int readDatFile(const std::uint8_t* data, std::size_t size, Reader read, Writer write) {
    static const auto db = std::make_unique<Database>();
    const std::span<const std::uint8_t> bytes(data, size);
    if (!read(bytes, *db)) return 0;
    const std::vector<std::uint8_t> again = write(*db);
    // Trailing bytes are ignored; everything before them comes back byte for byte.
    if (again.size() > size || !std::equal(again.begin(), again.end(), data)) std::abort();
    DecodeDatabaseNames(*db);
    ApplyFixedMonsterNames(*db);
    return 0;
}

}  // namespace dv::fuzz
