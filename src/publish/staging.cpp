// Staging into the preview folder. Copies and deletes are silent by contract
// (see file_ops.h); the preview page raises FileIoError.
#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_set>

#include "model/applet_agent.h"
#include "model/file_helpers.h"
#include "model/progress.h"
#include "model/safe_file.h"
#include "publish/file_ops.h"
#include "publish/program_files.h"
#include "publish/publish_names.h"

namespace zarvex {

namespace {

const char* const kPreviewPage = "~preview.html";

bool IsUsableBareName(const std::string& name) {
    return !name.empty() && name != "." && name != "..";
}

}  // namespace

void TkavoAppletAgent::StageFile(const std::string& path) {
    const std::string preview = PreviewFolder();
    std::error_code ignored;
    std::filesystem::create_directory(preview.substr(0, preview.size() - 1), ignored);
    const std::string name = BareFileName(path);
    if (IsUsableBareName(name))
        CopyFileReplacing(path, preview + name);
    StagedFiles.push_back(name);
}

void TkavoAppletAgent::StageLinkedFiles(const std::string& sourceFolder) {
    const std::string source = AsFolderPrefix(sourceFolder);
    const bool fromProgram = IsSameFolder(source, ProgramFolder());
    for (const TLinkedFileInfo& file : LinkedFiles) {
        StageFile(fromProgram ? ProgramFilePath(Folders(), file.FileName) : source + file.FileName);
        // Only ever the scratch copy: shipped data in the data folder is never deleted.
        if (file.DeleteAfterCopy)
            DeleteFileQuietly(source + file.FileName);
    }
}

void TkavoAppletAgent::StageResourceFiles(const std::string& sourceFolder) {
    ProgressScope scope(Progress(), "Copying Resource Files ... ...", 100);
    CollectResourceFiles();
    const std::string source = AsFolderPrefix(sourceFolder);
    const bool fromProgram = IsSameFolder(source, ProgramFolder());
    // A name met again is recorded again, but its file is copied only once: a
    // second copy of the same source would only replace the first with itself.
    std::unordered_set<std::string> copied;
    // The program's images only fill gaps: an image staged from the opened project
    // (a template's own arrow) or picked by the user stays what Preview shows and
    // Save publishes, as the command-line tool does.
    if (fromProgram) {
        for (const std::string& staged : StagedFiles)
            if (IsExistingFile(PreviewFolder() + staged))
                copied.insert(staged);
    }
    for (const std::string& name : ResourceFiles) {
        if (copied.insert(fromProgram ? BareFileName(name) : name).second) {
            StageFile(fromProgram ? ProgramFilePath(Folders(), name) : source + name);
        } else {
            StagedFiles.push_back(BareFileName(name));
        }
    }
    scope.Step(50);
    scope.Step(50);
}

void TkavoAppletAgent::ClearPreviewFolder() {
    const std::string preview = PreviewFolder();
    for (const std::string& name : StagedFiles)
        DeleteFileQuietly(preview + name);
    StagedFiles.clear();
    // Removes the folder only when empty: files put there by anyone else survive.
    std::error_code ignored;
    std::filesystem::remove(preview.substr(0, preview.size() - 1), ignored);
}

void TkavoAppletAgent::StagePreview(const std::string& pageText) {
    StageLinkedFiles(ProgramFolder());
    StageResourceFiles(ProgramFolder());
    const std::string page = ProgramFolder() + kPreviewPage;
    WriteFileSafely(page, pageText, Faults());
    StageFile(page);
    DeleteFileQuietly(page);
}

}  // namespace zarvex
