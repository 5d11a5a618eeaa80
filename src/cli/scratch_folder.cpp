#include "cli/scratch_folder.h"

#include <system_error>

#include "cli/signal_cleanup.h"
#include "publish/run_folders.h"

namespace zarvex::cli {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const fs::path& parent, const std::string& prefix) {
    RemoveFoldersOfKilledRuns(parent.string(), prefix);
    RemoveOldStyleFolders(parent.string(), {prefix});
    // Registered before it exists: a signal between making and registering it would
    // otherwise leave the folder behind.
    path_ = MakeRunFolder(
        parent.string(), prefix,
        [](const std::string& candidate) { RegisterScratchFolder(candidate); },
        [](const std::string& candidate) { UnregisterScratchFolder(candidate); });
}

ScratchFolder::~ScratchFolder() {
    UnregisterScratchFolder(path_);
    std::error_code ec;
    fs::remove_all(path_, ec);
}

}  // namespace zarvex::cli
