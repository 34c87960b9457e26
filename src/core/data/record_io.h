#pragma once

// Reading and writing records through their field tables.
//
// Every record type has one field table: a static member template
//     template <class Self, class V> static void fields(Self& r, V&& v)
// that calls v("memberName", r.member) for each member in stored order. The same table
// drives the file reader and writer here, the content compiler and decompiler, and the
// save inspector, so a layout is written exactly once. Members are numbers (uint8_t,
// int16_t, int32_t, float, double), std::string (a String member), std::array or Grid of
// those, or another record with its own table. Members named "reserved..." have no known
// use and are kept as read.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/data/binary_io.h"
#include "core/data/grid.h"

namespace dv {

template <class T>
concept FieldRecord = requires(T& r) {
    T::fields(r, [](std::string_view, auto&) {});
};

template <class T>
struct IsStdArray : std::false_type {};
template <class T, std::size_t N>
struct IsStdArray<std::array<T, N>> : std::true_type {};

template <class T>
struct IsGrid : std::false_type {};
template <class T, std::size_t... D>
struct IsGrid<Grid<T, D...>> : std::true_type {};

// Inlined into each record's field table, so a record reads as one straight run of loads.
template <class T>
[[gnu::always_inline]] inline void readValue(ByteReader& in, T& v) {
    if (in.isShort()) return;  // the rest stays as it was
    if constexpr (IsStdArray<T>::value) {
        if constexpr (ByteReader::kRunType<typename T::value_type>) {
            in.readEach(v);
        } else {
            for (auto& e : v)
                readValue(in, e);
        }
    } else if constexpr (IsGrid<T>::value) {
        readValue(in, v.data);
    } else if constexpr (FieldRecord<T>) {
        T::fields(v, [&in](std::string_view, auto& member) { readValue(in, member); });
    } else {
        in.read(v);
    }
}

template <class T>
void writeValue(ByteWriter& out, const T& v) {
    if constexpr (IsStdArray<T>::value) {
        for (const auto& e : v)
            writeValue(out, e);
    } else if constexpr (IsGrid<T>::value) {
        for (const auto& e : v.data)
            writeValue(out, e);
    } else if constexpr (FieldRecord<T>) {
        T::fields(v, [&out](std::string_view, const auto& member) { writeValue(out, member); });
    } else {
        out.write(v);
    }
}

// Every number zero and every text empty, whatever the value's type.
template <class T>
void resetValue(T& v) {
    if constexpr (IsStdArray<T>::value) {
        if constexpr (std::is_arithmetic_v<typename T::value_type>) {
            v.fill({});
        } else {
            for (auto& e : v)
                resetValue(e);
        }
    } else if constexpr (IsGrid<T>::value) {
        v.data.fill({});
    } else if constexpr (FieldRecord<T>) {
        T::fields(v, [](std::string_view, auto& member) { resetValue(member); });
    } else if constexpr (std::is_same_v<T, std::string>) {
        v.clear();
    } else {
        v = T{};
    }
}

// The bytes a value takes in a file; Strings count with their current text.
template <class T>
std::size_t storedSize(const T& v) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    writeValue(out, v);
    return bytes.size();
}

template <FieldRecord R>
void readRecord(ByteReader& in, R& r) {
    readValue(in, r);
}

template <FieldRecord R>
void writeRecord(ByteWriter& out, const R& r) {
    writeValue(out, r);
}

// Reads a value from bytes known to hold all of it (its Strings empty), with no check field by
// field. A String with text in it makes the rest of the record's layout unknown: the value
// is then marked, and the caller reads it again the checked way.
template <class T>
[[gnu::always_inline]] inline void readHeld(const std::uint8_t*& p, bool& hasText, T& v) {
    if constexpr (IsStdArray<T>::value) {
        if constexpr (ByteReader::kRunType<typename T::value_type>) {
            ByteReader::copyOut(p, std::span(v));
            p += sizeof v;
        } else {
            for (auto& e : v)
                readHeld(p, hasText, e);
        }
    } else if constexpr (IsGrid<T>::value) {
        readHeld(p, hasText, v.data);
    } else if constexpr (FieldRecord<T>) {
        T::fields(v,
                  [&p, &hasText](std::string_view, auto& member) { readHeld(p, hasText, member); });
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (ByteReader::load<std::uint16_t>(p) != 0) hasText = true;
        v.clear();
        p += 2;
    } else {
        using Bits = std::conditional_t<
            sizeof(T) == 1, std::uint8_t,
            std::conditional_t<sizeof(T) == 2, std::uint16_t,
                               std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;
        v = std::bit_cast<T>(ByteReader::load<Bits>(p));
        p += sizeof(T);
    }
}

// Flattened: every field of every record inlined into one loop, whatever the inliner's
// limits say of a record with two hundred fields. A record the reader holds whole is read
// without a check per field (a table of megabytes reads at the speed of copying it); one
// with text in a String, or cut short by the file's end, is read field by field.
template <class T>
[[gnu::flatten]] void readTable(ByteReader& in, std::vector<T>& table) {
    // The size of a record whose Strings are empty, as they are in the game's files.
    static const std::size_t size = storedSize(T{});
    for (auto& e : table) {
        if (const std::uint8_t* held = in.peek(size)) {
            bool hasText = false;
            readHeld(held, hasText, e);
            if (!hasText) {
                in.skip(size);
                continue;
            }
        }
        readValue(in, e);
    }
}

template <class T>
void writeTable(ByteWriter& out, const std::vector<T>& table) {
    for (const auto& e : table)
        writeValue(out, e);
}

}  // namespace dv
