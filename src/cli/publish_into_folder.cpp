#include "cli/publish_into_folder.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "cli/cli_errors.h"
#include "cli/scratch_folder.h"
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

void MoveFilesInto(const fs::path& staging, const fs::path& target) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(staging, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file())
            continue;
        const fs::path destination = target / fs::relative(it->path(), staging);
        std::error_code move;
        fs::create_directories(destination.parent_path(), move);
        fs::rename(it->path(), destination, move);
        if (move)
            throw FileIoError(destination.string(), move.message());
    }
    if (ec)
        throw FileIoError(staging.string(), ec.message());
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

void PublishIntoFolder(TkavoAppletAgent& agent, const std::string& folder,
                       const std::string& fileName, const std::string& contextFile) {
    std::error_code ec;
    fs::path target = fs::absolute(fs::path(folder), ec).lexically_normal();
    if (!target.has_filename())
        target = target.parent_path();

    std::optional<fs::path> created;
    try {
        created = CreateFolder(target);
        std::optional<std::string> stagingPrefix;
        try {
            ScratchFolder staging(target, ".zarvex-publish-");
            stagingPrefix = staging.Prefix();
            agent.PublishProject(staging.Prefix(), fileName);
            MoveFilesInto(staging.path(), target);
        } catch (const std::exception& e) {
            std::string message = DescribeFailure(e, contextFile);
            if (stagingPrefix)
                ReplaceAll(message, *stagingPrefix, AsFolderPrefix(target.string()));
            throw CliError(message);
        }
    } catch (...) {
        if (created)
            fs::remove_all(*created, ec);
        throw;
    }
}

}  // namespace zarvex::cli
