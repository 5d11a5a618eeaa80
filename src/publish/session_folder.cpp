#include "publish/session_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "model/errors.h"
#include "model/file_lock.h"
#include "publish/app_folders.h"

namespace zarvex {

namespace fs = std::filesystem;

namespace {

const char* const kPrefix = "session-";
const char* const kLockName = ".lock";

bool IsOld(const fs::path& folder) {
    std::error_code ec;
    const auto written = fs::last_write_time(folder, ec);
    return !ec && fs::file_time_type::clock::now() - written > std::chrono::minutes(1);
}

}  // namespace

SessionFolder::SessionFolder(const std::string& parent) {
    std::error_code ec;
    fs::create_directories(parent, ec);
    std::string pattern = WithTrailingSlash(parent) + kPrefix + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data()))
        throw FileIoError(parent, std::strerror(errno));
    path_ = WithTrailingSlash(buffer.data());
    lockFd_ = HoldLock(path_ + kLockName);
    if (lockFd_ < 0) {
        const int error = errno;
        fs::remove_all(path_, ec);
        throw FileIoError(path_, std::strerror(error));
    }
}

SessionFolder::~SessionFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
    ::close(lockFd_);
}

int RemoveStaleSessionFolders(const std::string& parent) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kPrefix, 0) != 0 || !it->is_directory(ec) || it->is_symlink(ec))
            continue;
        const int fd = ::open((it->path() / kLockName).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        // A folder without its lock file is a session that died while it was made, or
        // one being made this instant: only an old one goes.
        const bool ended = fd < 0 ? errno == ENOENT && IsOld(it->path()) : TryTakeLock(fd);
        if (ended) {
            std::error_code removeError;
            if (fs::remove_all(it->path(), removeError) != static_cast<std::uintmax_t>(-1) &&
                !removeError)
                ++removed;
        }
        if (fd >= 0)
            ::close(fd);
    }
    return removed;
}

}  // namespace zarvex
