#include "core/data/binary_io.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "core/data/names.h"

namespace dv {

bool ByteReader::take(std::size_t n, const std::uint8_t*& p) {
    if (short_ || remaining() < n) {
        short_ = true;
        return false;
    }
    p = bytes_.data() + pos_;
    pos_ += n;
    return true;
}

namespace {

std::uint64_t littleEndian(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

}  // namespace

void ByteReader::read(std::uint8_t& v) {
    const std::uint8_t* p = nullptr;
    if (take(1, p)) v = p[0];
}

void ByteReader::read(std::int16_t& v) {
    const std::uint8_t* p = nullptr;
    if (take(2, p)) v = static_cast<std::int16_t>(static_cast<std::uint16_t>(littleEndian(p, 2)));
}

void ByteReader::read(std::int32_t& v) {
    const std::uint8_t* p = nullptr;
    if (take(4, p)) v = static_cast<std::int32_t>(static_cast<std::uint32_t>(littleEndian(p, 4)));
}

void ByteReader::read(float& v) {
    static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4);
    const std::uint8_t* p = nullptr;
    if (take(4, p)) v = std::bit_cast<float>(static_cast<std::uint32_t>(littleEndian(p, 4)));
}

void ByteReader::read(double& v) {
    static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == 8);
    const std::uint8_t* p = nullptr;
    if (take(8, p)) v = std::bit_cast<double>(littleEndian(p, 8));
}

void ByteReader::read(std::string& v) {
    const std::uint8_t* p = nullptr;
    if (!take(2, p)) return;
    const auto length = static_cast<std::size_t>(littleEndian(p, 2));
    if (!take(length, p)) return;
    v = Cp932ToUtf8(std::string_view(reinterpret_cast<const char*>(p), length));
}

void ByteReader::readRun(std::span<std::uint8_t> values) {
    const std::uint8_t* p = nullptr;
    if (take(values.size(), p)) std::copy(p, p + values.size(), values.begin());
}

void ByteReader::readRun(std::span<std::int16_t> values) {
    const std::uint8_t* p = nullptr;
    if (!take(values.size() * 2, p)) return;
    for (auto& v : values) {
        v = static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
        p += 2;
    }
}

void ByteReader::readRun(std::span<std::int32_t> values) {
    const std::uint8_t* p = nullptr;
    if (!take(values.size() * 4, p)) return;
    for (auto& v : values) {
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(littleEndian(p, 4)));
        p += 4;
    }
}

void ByteReader::skip(std::size_t n) {
    const std::uint8_t* p = nullptr;
    take(n, p);
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
