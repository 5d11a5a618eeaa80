#include "cli/scratch_folder.h"

#include <random>
#include <system_error>

#include "cli/signal_cleanup.h"
#include "model/errors.h"

namespace zarvex::cli {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const fs::path& parent, const std::string& prefix) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::error_code ec;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = parent / (prefix + std::to_string(random() % 1000000000ULL));
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
