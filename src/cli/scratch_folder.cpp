#include "cli/scratch_folder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <system_error>

#include "cli/signal_cleanup.h"
#include "model/errors.h"

namespace zarvex::cli {

namespace fs = std::filesystem;

namespace {

// Removes the folders named prefix + process id + "-" + anything that a run killed
// before it could clean up left in parent: the user's own, whose process is gone.
void RemoveFoldersOfKilledRuns(const fs::path& parent, const std::string& prefix) {
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix, 0) != 0)
            continue;
        char* rest = nullptr;
        const unsigned long pid = std::strtoul(name.c_str() + prefix.size(), &rest, 10);
        struct stat st {};
        if (pid == 0 || *rest != '-' || ::lstat(it->path().c_str(), &st) != 0 ||
            !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove_all(it->path(), ignored);
        }
    }
}

}  // namespace

ScratchFolder::ScratchFolder(const fs::path& parent, const std::string& prefix) {
    RemoveFoldersOfKilledRuns(parent, prefix);
    const std::string ownPrefix = prefix + std::to_string(::getpid()) + "-";
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::error_code ec;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = parent / (ownPrefix + std::to_string(random() % 1000000000ULL));
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate;
            RegisterScratchFolder(path_);
            return;
        }
        if (ec)
            break;
    }
    throw FileIoError(parent.string(), ec ? ec.message() : "no unique folder name left");
}

ScratchFolder::~ScratchFolder() {
    UnregisterScratchFolder(path_);
    std::error_code ec;
    fs::remove_all(path_, ec);
}

}  // namespace zarvex::cli
