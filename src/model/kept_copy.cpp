#include "model/kept_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <utility>

#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/user_folders.h"
#include "model/writer_traces.h"

namespace zarvex {

namespace fs = std::filesystem;

namespace {

std::mutex g_folderMutex;
std::string g_folder;  // guarded by g_folderMutex; empty: the user's state folder
std::atomic<unsigned> g_counter{0};

// The part of a copy's name that ties it to one file: hash of the absolute path,
// device and inode, between dots. Empty when the file cannot be looked at.
struct FileKey {
    std::string pathHash;  // "<hash>-"
    std::string identity;  // "<hash>-<device>-<inode>"
};

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return (ec ? fs::path(path) : absolute).lexically_normal().string();
}

FileKey KeyOf(const std::string& target, bool needIdentity) {
    // FNV-1a: stable between runs and versions, unlike std::hash.
    unsigned long long hash = 14695981039346656037ULL;
    for (const unsigned char c : AbsolutePath(target)) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    char text[80];
    std::snprintf(text, sizeof text, "%016llx-", hash);
    FileKey key{text, {}};
    struct stat st {};
    if (needIdentity && ::stat(target.c_str(), &st) == 0) {
        std::snprintf(text, sizeof text, "%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                      static_cast<unsigned long long>(st.st_ino));
        key.identity = key.pathHash + text;
    }
    return key;
}

// A copy in the folder: "<name>.<hash>-<device>-<inode>.<pid>-<counter>.<kind>".
struct CopyName {
    std::string identity;
    pid_t writer = 0;
    std::string kind;
};

CopyName ParseCopyName(const std::string& entry) {
    CopyName parsed;
    const std::size_t kindDot = entry.rfind('.');
    if (kindDot == std::string::npos || kindDot == 0)
        return parsed;
    const std::size_t writerDot = entry.rfind('.', kindDot - 1);
    if (writerDot == std::string::npos || writerDot == 0)
        return parsed;
    const std::size_t keyDot = entry.rfind('.', writerDot - 1);
    if (keyDot == std::string::npos)
        return parsed;
    const std::string writer = entry.substr(writerDot + 1, kindDot - writerDot - 1);
    char* end = nullptr;
    const unsigned long pid = std::strtoul(writer.c_str(), &end, 16);
    if (end == writer.c_str() || *end != '-' || pid == 0)
        return parsed;
    parsed.identity = entry.substr(keyDot + 1, writerDot - keyDot - 1);
    parsed.writer = static_cast<pid_t>(pid);
    parsed.kind = entry.substr(kindDot + 1);
    return parsed;
}

// Writes text into a new file at path, flushed; FileIoError naming it.
void WriteCopy(const std::string& path, std::string_view text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        throw FileIoError(path, std::strerror(errno));
    int err = WriteAll(fd, text);
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0) {
        ::unlink(path.c_str());
        throw FileIoError(path, std::strerror(err));
    }
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::string KeptCopyFolder() {
    {
        std::lock_guard<std::mutex> lock(g_folderMutex);
        if (!g_folder.empty())
            return g_folder;
    }
    return UserStateFolder() + "kept/";
}

void SetKeptCopyFolder(const std::string& folder) {
    std::lock_guard<std::mutex> lock(g_folderMutex);
    g_folder = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

KeptCopies::KeptCopies(const std::string& target, std::string_view oldText,
                       std::string_view newText) {
    const std::string folder = KeptCopyFolder();
    const FileKey key = KeyOf(target, true);
    if (key.identity.empty())
        throw FileIoError(target, std::strerror(errno));
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw FileIoError(folder, ec.message());
    // The copies hold the author's work: theirs alone to read.
    fs::permissions(folder, fs::perms::owner_all, ec);
    char writer[48];
    std::snprintf(writer, sizeof writer, ".%lx-%x", static_cast<unsigned long>(::getpid()),
                  g_counter++);
    const std::string base =
        folder + BareFileName(target).substr(0, 100) + "." + key.identity + writer;
    WriteCopy(base + ".old", oldText);
    oldCopy_ = base + ".old";
    if (!newText.empty()) {
        try {
            WriteCopy(base + ".new", newText);
        } catch (...) {
            ::unlink(oldCopy_.c_str());
            throw;
        }
        newCopy_ = base + ".new";
    }
    SyncFolder(folder);
}

KeptCopies::~KeptCopies() {
    if (kept_)
        return;
    ::unlink(oldCopy_.c_str());
    if (!newCopy_.empty())
        ::unlink(newCopy_.c_str());
}

std::vector<std::string> KeptTextsOfKilledWriters(const std::string& target) {
    const FileKey key = KeyOf(target, true);
    const std::string folder = KeptCopyFolder();
    DIR* dir = key.identity.empty() ? nullptr : ::opendir(folder.c_str());
    if (!dir)
        return {};
    std::vector<std::pair<long long, std::string>> found;
    while (const dirent* e = ::readdir(dir)) {
        const CopyName name = ParseCopyName(e->d_name);
        const std::string copy = folder + e->d_name;
        long long modified = 0;
        if (name.kind == "new" && name.identity == key.identity && WriterIsGone(name.writer) &&
            IsOwnRegularFile(copy, &modified))
            found.emplace_back(modified, copy);
    }
    ::closedir(dir);
    return PathsNewestFirst(std::move(found));
}

void RemoveKeptCopiesOfKilledWriters(const std::vector<std::string>& targets) {
    const std::string folder = KeptCopyFolder();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> hashes;
    for (const std::string& target : targets)
        hashes.push_back(KeyOf(target, false).pathHash);
    std::vector<std::string> stale;
    while (const dirent* e = ::readdir(dir)) {
        const CopyName name = ParseCopyName(e->d_name);
        // By path alone: a file since replaced by a rename has another inode.
        const bool ours = std::any_of(hashes.begin(), hashes.end(), [&](const std::string& h) {
            return name.identity.starts_with(h);
        });
        if (ours && WriterIsGone(name.writer) && IsOwnRegularFile(folder + e->d_name))
            stale.push_back(folder + e->d_name);
    }
    ::closedir(dir);
    for (const std::string& path : stale)
        ::unlink(path.c_str());
}

std::vector<std::string> PathsNewestFirst(std::vector<std::pair<long long, std::string>> stamped) {
    std::sort(stamped.begin(), stamped.end(), [](const auto& a, const auto& b) { return a > b; });
    std::vector<std::string> paths;
    paths.reserve(stamped.size());
    for (auto& entry : stamped)
        paths.push_back(std::move(entry.second));
    return paths;
}

}  // namespace zarvex
