#include "cli/signal_cleanup.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "model/file_batch.h"

namespace zarvex::cli {

namespace fs = std::filesystem;

namespace {

std::mutex& RegistryLock() {
    static std::mutex lock;
    return lock;
}

std::vector<fs::path>& Registry() {
    static std::vector<fs::path> folders;
    return folders;
}

sigset_t EndingSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

[[noreturn]] void WaitAndCleanUp(sigset_t set) {
    int signal = SIGTERM;
    while (sigwait(&set, &signal) != 0) {
    }
    // A batch being committed finishes (or rolls back) first: all or nothing holds.
    std::lock_guard batch(FileBatch::CommitLock());
    {
        std::lock_guard registry(RegistryLock());
        std::error_code ignored;
        for (const fs::path& folder : Registry())
            fs::remove_all(folder, ignored);
    }
    ::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
    std::_Exit(128 + signal);
}

}  // namespace

void CleanUpOnSignals() {
    const sigset_t set = EndingSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(WaitAndCleanUp, set).detach();
}

void RegisterScratchFolder(const fs::path& folder) {
    std::lock_guard registry(RegistryLock());
    Registry().push_back(folder);
}

void UnregisterScratchFolder(const fs::path& folder) {
    std::lock_guard registry(RegistryLock());
    auto& folders = Registry();
    folders.erase(std::remove(folders.begin(), folders.end(), folder), folders.end());
}

}  // namespace zarvex::cli
