#include "core/data/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
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

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // One block read: the data files are megabytes, and byte-wise iteration is slow.
    std::vector<std::uint8_t> bytes;
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    }
    if (in.bad()) return std::nullopt;
    return bytes;
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
