#include "core/data/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace dv {

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool close() {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    int fd_;
};

// Where a failed write records why (the message and the error number).
struct Failure {
    std::string* error;
    int* code;
};

bool fail(const Failure& to, const std::string& what) {
    const int code = errno;
    if (to.error) *to.error = what + ": " + std::strerror(code);
    if (to.code) *to.code = code;
    return false;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes, const WriteFaults& faults,
              const Failure& error) {
    const bool injected = faults.failAfterBytes && *faults.failAfterBytes < bytes.size();
    const std::size_t limit = injected ? *faults.failAfterBytes : bytes.size();
    std::size_t written = 0;
    while (written < limit) {
        const ssize_t n = ::write(fd, bytes.data() + written, limit - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(error, "write");
        }
        written += static_cast<std::size_t>(n);
    }
    if (injected) {
        errno = faults.errorCode != 0 ? faults.errorCode : EIO;
        return fail(error, "write");
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const WriteFaults& faults, std::string* errorText, int* errorCode) {
    const Failure error{errorText, errorCode};
    std::filesystem::path temp = path;
    temp += ".tmp";
    {
        FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (fd.get() < 0) return fail(error, "open " + temp.string());
        const bool ok = writeAll(fd.get(), bytes, faults, error) &&
                        (::fsync(fd.get()) == 0 || fail(error, "fsync")) &&
                        (fd.close() || fail(error, "close"));
        if (!ok) {
            ::unlink(temp.c_str());
            return false;
        }
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const bool result = fail(error, "rename " + path.string());
        ::unlink(temp.c_str());
        return result;
    }
    // The rename itself must reach the disk, or a crash could bring the old file back.
    std::filesystem::path dir = path.parent_path();
    if (dir.empty()) dir = ".";
    FileDescriptor dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) ::fsync(dirFd.get());
    return true;
}

std::string WriteFailureReason(int errorCode) {
    switch (errorCode) {
        case ENOSPC:
        case EDQUOT:
            return "ディスクの空きがありません";
        case EACCES:
        case EPERM:
            return "書き込みが許されていません";
        case EROFS:
            return "読み取り専用の場所です";
        case ENOENT:
        case ENOTDIR:
            return "フォルダがありません";
        case EIO:
            return "ディスクの読み書きに失敗しました";
        default:
            return "エラー番号 " + std::to_string(errorCode);
    }
}

namespace {

// Reads a regular file into storage that `grow(n, keep)` makes at least n bytes long,
// keeping its first `keep` bytes, and returns the byte count; nothing when the file cannot
// be opened or read. The size the file has when opened sizes the storage once; a file still
// growing is read to its end all the same.
template <class Grow>
std::optional<std::size_t> readRegularFile(const std::filesystem::path& path, Grow grow) {
    // Non-blocking, so that a pipe under a data file's name cannot stall start-up.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    std::size_t size = static_cast<std::size_t>(std::max<off_t>(st.st_size, 0));
    std::uint8_t* data = grow(size + 1, 0);  // one spare byte tells the end without a second read
    std::size_t got = 0;
    std::size_t room = size + 1;
    for (;;) {
        if (got == room) {
            room *= 2;
            data = grow(room, got);
        }
        const std::size_t asked = room - got;
        const ssize_t n = ::read(fd.get(), data + got, asked);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        got += static_cast<std::size_t>(n);
        // A regular file gives less than asked only at its end.
        if (static_cast<std::size_t>(n) < asked) return got;
    }
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    const auto got = readRegularFile(path, [&bytes](std::size_t n, std::size_t) {
        bytes.resize(n);
        return bytes.data();
    });
    if (!got) return std::nullopt;
    bytes.resize(*got);
    return bytes;
}

FileSource::~FileSource() {
    close();
}

void FileSource::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool FileSource::open(const std::filesystem::path& path) {
    close();
    // Non-blocking, so that a pipe under a data file's name cannot stall start-up.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        close();
        return false;
    }
    return true;
}

bool FileSource::rewind() {
    return fd_ >= 0 && ::lseek(fd_, 0, SEEK_SET) == 0;
}

bool FileSource::fill(const std::uint8_t*& pos, const std::uint8_t*& end, std::size_t need) {
    std::size_t have = pos ? static_cast<std::size_t>(end - pos) : 0;
    if (need > buffer_.size()) {
        std::vector<std::uint8_t> bigger(need);
        if (have > 0) std::memcpy(bigger.data(), pos, have);
        buffer_ = std::move(bigger);
    } else if (have > 0 && pos != buffer_.data()) {
        std::memmove(buffer_.data(), pos, have);
    }
    while (have < need && fd_ >= 0) {
        const ssize_t n = ::read(fd_, buffer_.data() + have, buffer_.size() - have);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        have += static_cast<std::size_t>(n);
    }
    pos = buffer_.data();
    end = pos + have;
    return have >= need;
}

std::filesystem::path FindFileNoCase(const std::filesystem::path& dir, const std::string& name) {
    std::error_code ec;
    const std::filesystem::path exact = dir / name;
    if (std::filesystem::exists(exact, ec)) return exact;
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    const std::string wanted = lower(name);
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (lower(it->path().filename().string()) == wanted) return it->path();
    }
    return exact;
}

}  // namespace dv
