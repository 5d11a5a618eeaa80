#include "model/file_stamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace zarvex {

namespace {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

std::int64_t ModifiedNs(const struct stat& info) {
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

// Reads in blocks: the hash needs no copy of the file in memory. FNV-1a's step taken
// over eight bytes at a time: a design of many megabytes is hashed on every open and
// save, and a step per byte waits on its multiply. Each step is a bijection of the
// state, so two texts of one size that differ in a single word never hash alike.
bool HashContents(int fd, std::uint64_t& hash) {
    constexpr std::uint64_t kPrime = 1099511628211ull;
    constexpr std::size_t kBlock = 65536;
    hash = 1469598103934665603ull;
    char buffer[kBlock + sizeof(std::uint64_t)];
    std::size_t held = 0;  // bytes at the buffer's start short of a whole word
    for (;;) {
        const ssize_t n = ::read(fd, buffer + held, kBlock);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        const std::size_t have = held + static_cast<std::size_t>(n);
        std::size_t at = 0;
        for (; at + sizeof(std::uint64_t) <= have; at += sizeof(std::uint64_t)) {
            std::uint64_t word;
            std::memcpy(&word, buffer + at, sizeof word);
            hash = (hash ^ word) * kPrime;
        }
        held = have - at;
        std::memmove(buffer, buffer + at, held);
    }
    for (std::size_t at = 0; at < held; ++at)
        hash = (hash ^ static_cast<unsigned char>(buffer[at])) * kPrime;
    return true;
}

}  // namespace

std::string FileStamp::ToText() const {
    if (!exists)
        return "-";
    char text[160];
    std::snprintf(text, sizeof text, "%" PRIu64 " %" PRIu64 " %" PRIu64 " %" PRId64 " %" PRIu64,
                  device, inode, size, modifiedNs, contentHash);
    return text;
}

FileStamp FileStamp::FromText(const std::string& text) {
    FileStamp s;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%" SCNu64 " %" SCNu64 " %" SCNu64 " %" SCNd64 " %" SCNu64 " %c",
                    &s.device, &s.inode, &s.size, &s.modifiedNs, &s.contentHash, &rest) == 5)
        s.exists = true;
    else
        s = FileStamp{};
    return s;
}

FileStamp StampFile(const std::string& path) {
    FileStamp s;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return s;
    if (!HashContents(fd.get(), s.contentHash))
        return s;
    s.exists = true;
    s.device = info.st_dev;
    s.inode = info.st_ino;
    s.size = static_cast<std::uint64_t>(info.st_size);
    s.modifiedNs = ModifiedNs(info);
    return s;
}

bool ChangedOnDisk(const FileStamp& recorded, const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    if (recorded.exists && info.st_dev == recorded.device && info.st_ino == recorded.inode &&
        static_cast<std::uint64_t>(info.st_size) == recorded.size &&
        ModifiedNs(info) == recorded.modifiedNs)
        return false;
    const FileStamp now = StampFile(path);
    if (!now.exists)
        return true;  // there but unreadable: no one can say it is unchanged
    return !recorded.exists || now.size != recorded.size || now.contentHash != recorded.contentHash;
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace zarvex
