#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/data/binary_io.h"

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

// A regular file read from its start through a buffer that grows only for a value longer
// than it, for ByteReader. A read that fails ends the file there.
class FileSource : public ByteSource {
  public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // False when the file cannot be opened or is not a regular file. Never creates it.
    bool open(const std::filesystem::path& path);
    // Back to the start of the file, for reading it again.
    bool rewind();
    bool fill(const std::uint8_t*& pos, const std::uint8_t*& end, std::size_t need) override;

  private:
    void close();

    static constexpr std::size_t kBufferSize = 256 * 1024;
    int fd_ = -1;
    std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(kBufferSize);
};

// `name` inside `dir`, matched without regard to letter case when the exact name is
// missing (QTR3.DAT vs qtr3.dat); the exact name when nothing matches.
std::filesystem::path FindFileNoCase(const std::filesystem::path& dir, const std::string& name);

}  // namespace dv
