#include "publish/session_folder.h"

#include <filesystem>
#include <system_error>

#include "model/errors.h"
#include "publish/app_folders.h"
#include "publish/run_folders.h"

namespace zarvex {

namespace fs = std::filesystem;

namespace {
const char* const kPrefix = "window-";
}

SessionFolder::SessionFolder(const std::string& parent) {
    std::error_code ec;
    fs::create_directories(parent, ec);
    if (ec)
        throw FileIoError(parent, ec.message());
    path_ = WithTrailingSlash(MakeRunFolder(parent, kPrefix));
}

SessionFolder::~SessionFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

int RemoveStaleSessionFolders(const std::string& parent) {
    // Earlier versions' session folders (in the cache) and the passing folders they
    // made in the temporary folder.
    return RemoveFoldersOfKilledRuns(parent, kPrefix) +
           RemoveOldStyleFolders(parent, {"session-", "zarvex-live-", "zarvex-stage-",
                                          "zarvex-build-", "zarvex-publish-"});
}

}  // namespace zarvex
