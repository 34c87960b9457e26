#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dv {

// For tests: make the write fail after this many bytes, as a full disk or a crash would.
struct WriteFaults {
    std::optional<std::size_t> failAfterBytes;
    int errorCode = 0;  // the system error the failure reports (0: an input/output error)
};

// Replaces `path` with `bytes` so that a crash at any moment leaves either the old file or
// the new one: the bytes go to "<path>.tmp" in the same directory, are flushed to the
// disk, renamed over `path`, and the directory is flushed too. On failure the old file is
// untouched, the temporary file is removed, `error` (if given) says why in a technical line
// and `errorCode` (if given) holds the system's error number.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const WriteFaults& faults = {}, std::string* error = nullptr,
                         int* errorCode = nullptr);

// Why a write failed, for the player: a short Japanese phrase for a system error number
// (a full disk, no permission, a read-only place...).
std::string WriteFailureReason(int errorCode);

// The whole file, or nothing when it cannot be opened or read. Never creates it.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);

// Reads whole files one after another into one buffer, so loading several files allocates
// once for the largest of them.
class FileReader {
  public:
    // The whole file, valid until the next read; nothing when it cannot be opened or read.
    // Never creates it.
    std::optional<std::span<const std::uint8_t>> read(const std::filesystem::path& path);

  private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t capacity_ = 0;
};

// `name` inside `dir`, matched without regard to letter case when the exact name is
// missing (QTR3.DAT vs qtr3.dat); the exact name when nothing matches.
std::filesystem::path FindFileNoCase(const std::filesystem::path& dir, const std::string& name);

}  // namespace dv
