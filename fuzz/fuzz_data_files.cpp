// The four database file readers on arbitrary bytes, then the name decoding.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "core/data/data_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto db = std::make_unique<dv::Database>();
    const std::span<const std::uint8_t> bytes(data, size);
    dv::readQtr3(bytes, *db);
    dv::readQtr4(bytes, *db);
    dv::readQtr5(bytes, *db);
    dv::readQtr6(bytes, *db);
    dv::DecodeDatabaseNames(*db);
    dv::ApplyFixedMonsterNames(*db);
    return 0;
}
