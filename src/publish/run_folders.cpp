#include "publish/run_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

#include "model/errors.h"
#include "model/writer_traces.h"

namespace zarvex {

namespace fs = std::filesystem;

int RemoveFoldersOfKilledRuns(const std::string& parent, const std::string& prefix) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix, 0) != 0)
            continue;
        const char* digits = name.c_str() + prefix.size();
        char* rest = nullptr;
        errno = 0;
        const unsigned long pid = std::strtoul(digits, &rest, 10);
        struct stat st {};
        if (*digits < '0' || *digits > '9' || errno != 0 || pid == 0 ||
            pid > static_cast<unsigned long>(INT32_MAX) || *rest != '-' ||
            ::lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            st.st_uid != ::getuid())
            continue;
        if (WriterIsGone(static_cast<pid_t>(pid))) {
            std::error_code removeError;
            fs::remove_all(it->path(), removeError);
            if (!removeError)
                ++removed;
        }
    }
    return removed;
}

int RemoveOldStyleFolders(const std::string& parent, const std::vector<std::string>& prefixes) {
    int removed = 0;
    const auto dayAgo = fs::file_time_type::clock::now() - std::chrono::hours(24);
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const bool oldStyle = std::any_of(prefixes.begin(), prefixes.end(), [&](const auto& p) {
            return name.size() > p.size() && name.starts_with(p) &&
                   name.find('-', p.size()) == std::string::npos;
        });
        struct stat st {};
        std::error_code timeError;
        if (!oldStyle || ::lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            st.st_uid != ::getuid() || fs::last_write_time(it->path(), timeError) > dayAgo ||
            timeError)
            continue;
        std::error_code removeError;
        fs::remove_all(it->path(), removeError);
        if (!removeError)
            ++removed;
    }
    return removed;
}

std::string MakeRunFolder(const std::string& parent, const std::string& prefix,
                          const std::function<void(const std::string&)>& beforeMake,
                          const std::function<void(const std::string&)>& failed) {
    const std::string ownPrefix = prefix + std::to_string(::getpid()) + "-";
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::error_code ec;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            (fs::path(parent) / (ownPrefix + std::to_string(random() % 1000000000ULL))).string();
        if (beforeMake)
            beforeMake(candidate);
        if (fs::create_directory(candidate, ec)) {
            // Only this user may look into it: it holds the design's images and texts.
            fs::permissions(candidate, fs::perms::owner_all, ec);
            return candidate;
        }
        if (failed)
            failed(candidate);
        if (ec)
            break;
    }
    throw FileIoError(parent, ec ? ec.message() : "no unique folder name left");
}

}  // namespace zarvex
