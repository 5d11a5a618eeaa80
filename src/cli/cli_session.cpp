#include "cli/cli_session.h"

#include <filesystem>

#include "cli/cli_errors.h"
#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/safe_file.h"
#include "model/stopped_save.h"
#include "publish/file_ops.h"
#include "publish/publish_names.h"

namespace zarvex::cli {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& filePath) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(filePath), ec);
    if (ec)
        p = fs::path(filePath);
    return AsFolderPrefix(p.lexically_normal().parent_path().string());
}

CliSession::CliSession(const std::string& dataFolder)
    : scratch_(fs::temp_directory_path(), "zarvex-cli-") {
    agent_.SetFolders({AsFolderPrefix(dataFolder), scratch_.Prefix(), scratch_.Prefix()});
    agent_.AttachTree(&tree_);
    agent_.ResetToDefaults();
}

void CliSession::Open(const std::string& projectPath, bool stageImages) {
    agent_.ClearPreviewFolder();
    tree_.ResetToRoot();
    try {
        agent_.LoadProjectFile(projectPath, tree_);
    } catch (const FileFormatError& e) {
        const std::string copy = CompleteCopyOfStoppedSave(projectPath);
        if (copy.empty())
            throw;
        throw CliError(std::string(e.what()) +
                       "; a save of this file was stopped part-way: the complete text it was "
                       "writing lies in \"" +
                       copy + "\"");
    }
    if (stageImages)
        agent_.StageResourceFiles(FolderOf(projectPath));
}

std::string CliSession::BuildPage() {
    const std::string page = scratch_.Prefix() + "~tmp0001.txt";
    agent_.BuildCode(page);
    std::string text = ReadWholeFile(page);
    DeleteFileQuietly(page);
    return text;
}

}  // namespace zarvex::cli
