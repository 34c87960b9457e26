#pragma once

// Helpers shared by the data tests: a scratch directory, and filling records with varied
// values through their field tables.

#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "core/data/dice.h"
#include "core/data/record_io.h"

namespace dv::test {

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dv-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Gives every member of a value a varied value, texts included.
template <class T>
void fillVaried(T& v, Rng& rng) {
    if constexpr (IsStdArray<T>::value) {
        for (auto& e : v)
            fillVaried(e, rng);
    } else if constexpr (IsGrid<T>::value) {
        for (auto& e : v.data)
            fillVaried(e, rng);
    } else if constexpr (FieldRecord<T>) {
        T::fields(v, [&rng](std::string_view, auto& member) { fillVaried(member, rng); });
    } else if constexpr (std::is_same_v<T, std::string>) {
        static const std::array<std::string, 5> kTexts = {"", "FIRE", "炎の渦", "ﾃｽﾄ ～ \\",
                                                          "は\n"};
        v = kTexts[static_cast<std::size_t>(rng.uniform(0, 4))];
    } else if constexpr (std::is_floating_point_v<T>) {
        v = static_cast<T>(rng.uniform(-100000, 100000)) / 8;
    } else {
        v = static_cast<T>(
            rng.uniform(std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    }
}

// Byte offset of a member inside a stored record (texts empty), or -1.
template <class R>
long offsetOf(const R& record, std::string_view member) {
    long offset = 0;
    long found = -1;
    R::fields(record, [&](std::string_view name, const auto& value) {
        if (name == member) found = offset;
        offset += static_cast<long>(storedSize(value));
    });
    return found;
}

}  // namespace dv::test
