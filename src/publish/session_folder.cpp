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
    return RemoveFoldersOfKilledRuns(parent, kPrefix);
}

}  // namespace zarvex
