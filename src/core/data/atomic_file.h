#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dv {

// For tests: make the write fail after this many bytes, as a full disk or a crash would.
struct WriteFaults {
    std::optional<std::size_t> failAfterBytes;
};

// Replaces `path` with `bytes` so that a crash at any moment leaves either the old file or
// the new one: the bytes go to "<path>.tmp" in the same directory, are flushed to the
// disk, renamed over `path`, and the directory is flushed too. On failure the old file is
// untouched, the temporary file is removed and `error` (if given) says why.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const WriteFaults& faults = {}, std::string* error = nullptr);

// The whole file, or nothing when it cannot be opened or read. Never creates it.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);

// `name` inside `dir`, matched without regard to letter case when the exact name is
// missing (QTR3.DAT vs qtr3.dat); the exact name when nothing matches.
std::filesystem::path FindFileNoCase(const std::filesystem::path& dir, const std::string& name);

}  // namespace dv
