#include "cli/publish_into_folder.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "cli/cli_errors.h"
#include "model/errors.h"
#include "publish/publish_names.h"

namespace zarvex::cli {

namespace fs = std::filesystem;

namespace {

// Creates folder and any missing parents; returns the topmost folder created.
std::optional<fs::path> CreateFolder(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return std::nullopt;
    fs::path topmost = folder;
    while (topmost.has_parent_path() && topmost.parent_path() != topmost &&
           !fs::exists(topmost.parent_path(), ec))
        topmost = topmost.parent_path();
    fs::create_directories(folder, ec);
    if (ec)
        throw FileIoError(folder.string(), ec.message());
    return topmost;
}

}  // namespace

void PublishIntoFolder(TkavoAppletAgent& agent, const std::string& folder,
                       const std::string& fileName, const std::string& contextFile, bool strict) {
    std::error_code ec;
    fs::path target = fs::absolute(fs::path(folder), ec).lexically_normal();
    if (!target.has_filename())
        target = target.parent_path();

    std::optional<fs::path> created;
    try {
        created = CreateFolder(target);
        try {
            agent.PublishProject(AsFolderPrefix(target.string()), fileName, strict);
        } catch (const std::exception& e) {
            throw CliError(DescribeFailure(e, contextFile));
        }
    } catch (...) {
        if (created)
            fs::remove_all(*created, ec);
        throw;
    }
}

}  // namespace zarvex::cli
