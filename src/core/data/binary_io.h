#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dv {

// Reads the game's little-endian file values one at a time, whatever the machine's byte
// order. A read past the end leaves the value as it was and marks the reader short, so a
// caller can read a whole table and ask once whether the file held all of it.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    void read(std::uint8_t& v);
    void read(std::int16_t& v);
    void read(std::int32_t& v);
    void read(float& v);
    void read(double& v);
    // A String member: 16-bit length (never negative), then that many bytes of code page 932
    // text, turned into UTF-8. A length that runs past the end marks the reader short.
    void read(std::string& v);
    // A run of whole numbers at once (the fast path for arrays and tables). A run that does
    // not fit in what is left is left as it was and marks the reader short.
    void readRun(std::span<std::uint8_t> values);
    void readRun(std::span<std::int16_t> values);
    void readRun(std::span<std::int32_t> values);
    void skip(std::size_t n);

    bool isShort() const { return short_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }

  private:
    bool take(std::size_t n, const std::uint8_t*& p);

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool short_ = false;
};

// Appends values in the game's file form. A String whose text code page 932 cannot hold is
// written with "?" in place of those characters and marks the writer lossy.
class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void write(std::uint8_t v) { out_.push_back(v); }
    void write(std::int16_t v);
    void write(std::int32_t v);
    void write(float v);
    void write(double v);
    void write(const std::string& v);
    void writeRun(std::span<const std::uint8_t> values);
    void writeRun(std::span<const std::int16_t> values);
    void writeRun(std::span<const std::int32_t> values);

    bool isLossy() const { return lossy_; }

  private:
    void put(std::uint64_t v, int bytes);

    std::vector<std::uint8_t>& out_;
    bool lossy_ = false;
};

}  // namespace dv
