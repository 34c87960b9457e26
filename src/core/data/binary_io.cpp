#include "core/data/binary_io.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "core/data/names.h"

namespace dv {

void ByteReader::readText(const std::uint8_t* p, std::size_t length, std::string& v) {
    v = Cp932ToUtf8(std::string_view(reinterpret_cast<const char*>(p), length));
}

void ByteWriter::put(std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out_.push_back(static_cast<std::uint8_t>(v & 0xFF));
        v >>= 8;
    }
}

void ByteWriter::write(std::int16_t v) {
    put(static_cast<std::uint16_t>(v), 2);
}
void ByteWriter::write(std::int32_t v) {
    put(static_cast<std::uint32_t>(v), 4);
}
void ByteWriter::write(float v) {
    put(std::bit_cast<std::uint32_t>(v), 4);
}
void ByteWriter::write(double v) {
    put(std::bit_cast<std::uint64_t>(v), 8);
}

void ByteWriter::write(const std::string& v) {
    bool lossless = true;
    std::string bytes = Utf8ToCp932(v, &lossless);
    if (!lossless) lossy_ = true;
    if (bytes.size() > 0xFFFF) {
        bytes.resize(0xFFFF);
        lossy_ = true;
    }
    put(bytes.size(), 2);
    out_.insert(out_.end(), bytes.begin(), bytes.end());
}

void ByteWriter::writeRun(std::span<const std::uint8_t> values) {
    out_.insert(out_.end(), values.begin(), values.end());
}

void ByteWriter::writeRun(std::span<const std::int16_t> values) {
    for (auto v : values)
        put(static_cast<std::uint16_t>(v), 2);
}

void ByteWriter::writeRun(std::span<const std::int32_t> values) {
    for (auto v : values)
        put(static_cast<std::uint32_t>(v), 4);
}

}  // namespace dv
