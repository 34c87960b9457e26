#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace dv {

// Where a reader gets more bytes when what it holds runs out: a file read piece by piece
// through a small buffer, so loading megabytes needs neither megabytes of fresh memory nor
// a pass over them before the records are read.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Makes [pos, end) hold at least `need` unread bytes, keeping those not yet read (the
    // window may move). When the source ends or fails first, [pos, end) holds what there was
    // and the answer is false.
    virtual bool fill(const std::uint8_t*& pos, const std::uint8_t*& end, std::size_t need) = 0;
};

// Reads the game's little-endian file values one at a time, whatever the machine's byte
// order. A read past the end leaves the value as it was and marks the reader short, so a
// caller can read a whole table and ask once whether the file held all of it.
//
// The readers are inline: a record's field table reads field by field, and start-up reads
// megabytes of records, so each field must compile down to a bounds check and a load.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes)
        : begin_(bytes.data()), pos_(bytes.data()), end_(bytes.data() + bytes.size()) {}
    // Reads from the source's start (or wherever it stands).
    explicit ByteReader(ByteSource& source) : source_(&source) {}

    void read(std::uint8_t& v) {
        if (const std::uint8_t* p = take(1)) v = p[0];
    }
    void read(std::int16_t& v) {
        if (const std::uint8_t* p = take(2)) v = static_cast<std::int16_t>(load<std::uint16_t>(p));
    }
    void read(std::int32_t& v) {
        if (const std::uint8_t* p = take(4)) v = static_cast<std::int32_t>(load<std::uint32_t>(p));
    }
    void read(float& v) {
        static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4);
        if (const std::uint8_t* p = take(4)) v = std::bit_cast<float>(load<std::uint32_t>(p));
    }
    void read(double& v) {
        static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == 8);
        if (const std::uint8_t* p = take(8)) v = std::bit_cast<double>(load<std::uint64_t>(p));
    }
    // A String member: 16-bit length (never negative), then that many bytes of code page 932
    // text, turned into UTF-8. A length that runs past the end marks the reader short.
    void read(std::string& v) {
        const std::uint8_t* p = take(2);
        if (!p) return;
        const std::size_t length = load<std::uint16_t>(p);
        if (length == 0) {
            v.clear();  // the files' usual case: names travel as codes
            return;
        }
        if ((p = take(length))) readText(p, length, v);
    }
    // A run of whole numbers at once (the fast path for arrays and tables). A run that does
    // not fit in what is left is left as it was and marks the reader short.
    void readRun(std::span<std::uint8_t> values) { runOf(values); }
    void readRun(std::span<std::int16_t> values) { runOf(values); }
    void readRun(std::span<std::int32_t> values) { runOf(values); }
    // Numbers one after another, as reading them one at a time would: as many as fit are
    // read, and a run that does not fit marks the reader short.
    void readEach(std::span<std::uint8_t> values) { eachOf(values); }
    void readEach(std::span<std::int16_t> values) { eachOf(values); }
    void readEach(std::span<std::int32_t> values) { eachOf(values); }
    // The same for a fixed array, whose size the compiler knows.
    template <class T, std::size_t N>
    void readEach(std::array<T, N>& values) {
        static_assert(kRunType<T>);
        if (!short_ && remaining() >= sizeof values) {
            copyOut(pos_, std::span<T, N>(values));
            pos_ += sizeof values;
        } else {
            eachOf(std::span<T>(values));
        }
    }
    void skip(std::size_t n) { take(n); }
    // The next n bytes without reading them, when the reader holds (or its source can give)
    // that many; nullptr otherwise. They stay valid until the next read.
    [[gnu::always_inline]] const std::uint8_t* peek(std::size_t n) {
        if (short_) return nullptr;
        if (remaining() < n && !refill(n)) [[unlikely]]
            return nullptr;
        return pos_;
    }

    bool isShort() const { return short_; }
    // Bytes read so far and bytes held but not yet read, for a reader over bytes in memory.
    std::size_t position() const { return static_cast<std::size_t>(pos_ - begin_); }
    std::size_t remaining() const { return static_cast<std::size_t>(end_ - pos_); }

    // The element types readRun and readEach take.
    template <class T>
    static constexpr bool kRunType =
        std::is_same_v<T, std::uint8_t> || std::is_same_v<T, std::int16_t> ||
        std::is_same_v<T, std::int32_t>;

    // A value in the files' byte order, and a run of them, from bytes known to hold them.
    template <class U>
    static U load(const std::uint8_t* p) {
        U v;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&v, p, sizeof v);
        } else {
            v = 0;
            for (std::size_t i = sizeof v; i-- > 0;)
                v = static_cast<U>((v << 8) | p[i]);
        }
        return v;
    }

    template <class T, std::size_t Extent>
    static void copyOut(const std::uint8_t* p, std::span<T, Extent> values) {
        if constexpr (std::endian::native == std::endian::little || sizeof(T) == 1) {
            if (!values.empty()) std::memcpy(values.data(), p, values.size_bytes());
        } else {
            for (auto& v : values) {
                v = static_cast<T>(load<std::make_unsigned_t<T>>(p));
                p += sizeof(T);
            }
        }
    }

  private:
    template <class T>
    void runOf(std::span<T> values) {
        if (const std::uint8_t* p = take(values.size() * sizeof(T))) copyOut(p, values);
    }
    template <class T>
    void eachOf(std::span<T> values) {
        if (short_) return;
        if (remaining() < values.size_bytes()) refill(values.size_bytes());
        const std::size_t fit = std::min(values.size(), remaining() / sizeof(T));
        copyOut(pos_, values.first(fit));
        pos_ += fit * sizeof(T);
        if (fit < values.size()) short_ = true;
    }

    [[gnu::always_inline]] const std::uint8_t* take(std::size_t n) {
        if (short_ || remaining() < n) [[unlikely]]
            return takeAfterRefill(n);
        const std::uint8_t* p = pos_;
        pos_ += n;
        return p;
    }

    // Rarely taken: a source is asked only when its window runs out.
    [[gnu::noinline]] bool refill(std::size_t need) {
        return source_ && source_->fill(pos_, end_, need);
    }
    [[gnu::noinline]] const std::uint8_t* takeAfterRefill(std::size_t n) {
        if (short_ || !refill(n)) {
            short_ = true;
            return nullptr;
        }
        const std::uint8_t* p = pos_;
        pos_ += n;
        return p;
    }

    static void readText(const std::uint8_t* p, std::size_t length, std::string& v);

    const std::uint8_t* begin_ = nullptr;
    const std::uint8_t* pos_ = nullptr;
    const std::uint8_t* end_ = nullptr;
    ByteSource* source_ = nullptr;
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
