// Staging into the preview folder, a folder private to one window or run. Copies
// and deletes are silent by contract (see file_ops.h); the preview page raises
// FileIoError. Images are kept under their name in the design, a path relative to
// the project, so two images of one bare name never take each other's place.

#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_set>

#include "codegen/code_generator.h"
#include "model/file_helpers.h"
#include "model/progress.h"
#include "model/safe_file.h"
#include "publish/file_ops.h"
#include "publish/image_sources.h"
#include "publish/program_files.h"
#include "publish/publish_names.h"
#include "publish/publisher.h"

namespace zarvex {

namespace {

bool IsUsableBareName(const std::string& name) {
    return !name.empty() && name != "." && name != "..";
}

void CreatePreviewFolder(const std::string& preview) {
    std::error_code ignored;
    std::filesystem::create_directory(preview.substr(0, preview.size() - 1), ignored);
}

}  // namespace

void StageFile(AppletDesign& design, const std::string& path) {
    const std::string preview = design.PreviewFolder();
    CreatePreviewFolder(preview);
    const std::string name = BareFileName(path);
    if (IsUsableBareName(name))
        CopyFileReplacing(path, preview + name);
    design.StagedFiles.push_back(name);
}

void StageLinkedFiles(AppletDesign& design, const std::string& sourceFolder) {
    const std::string source = AsFolderPrefix(sourceFolder);
    const bool fromProgram = IsSameFolder(source, design.ProgramFolder());
    for (const TLinkedFileInfo& file : design.LinkedFiles) {
        StageFile(design, fromProgram ? ProgramFilePath(design.Folders(), file.FileName)
                                      : source + file.FileName);
        // Only ever the scratch copy: shipped data in the data folder is never deleted.
        if (file.DeleteAfterCopy)
            DeleteFileQuietly(source + file.FileName);
    }
}

// From a project's folder (opening it): that folder becomes the design's, and only
// its own images are staged. From the program folder (a preview): every image as
// a save would take it now (FindImage), the program's only where nothing else is.
void StageResourceFiles(AppletDesign& design, const std::string& sourceFolder) {
    ProgressScope scope(design.Progress(), "Copying Resource Files ... ...", 100);
    CollectResourceFiles(design);
    const std::string source = AsFolderPrefix(sourceFolder);
    const bool fromProgram = IsSameFolder(source, design.ProgramFolder());
    if (!fromProgram)
        design.SetProjectFolder(source);
    const std::string preview = design.PreviewFolder();
    CreatePreviewFolder(preview);
    design.OutsideFiles.clear();
    // A name met again is recorded again, but its file is copied only once.
    std::unordered_set<std::string> copied;
    for (const std::string& name : design.ResourceFiles) {
        const ImageSource image = FindImage(
            design, name, fromProgram ? ImageSearch::Everywhere : ImageSearch::ProjectOnly);
        if (image.state == ImageState::Outside) {
            if (copied.insert(name).second)
                design.OutsideFiles.push_back(name);
            continue;
        }
        if (copied.insert(name).second && image.state == ImageState::Found) {
            if (name.find_first_of("/\\") != std::string::npos) {
                std::error_code ignored;
                std::filesystem::create_directories(FolderOfPath(preview + name), ignored);
            }
            CopyFileReplacing(image.path, preview + name);
        }
        design.StagedFiles.push_back(name);
    }
    scope.Step(50);
    scope.Step(50);
}

void ClearPreviewFolder(AppletDesign& design) {
    namespace fs = std::filesystem;
    const std::string preview = design.PreviewFolder();
    const fs::path top = fs::path(preview.substr(0, preview.size() - 1));
    std::error_code ignored;
    for (const std::string& name : design.StagedFiles) {
        DeleteFileQuietly(preview + name);
        // Subfolders made for the images go when empty, up to the preview folder.
        for (fs::path folder = fs::path(preview + name).parent_path();
             folder.string().size() > top.string().size(); folder = folder.parent_path())
            if (!fs::remove(folder, ignored))
                break;
    }
    design.StagedFiles.clear();
    design.OutsideFiles.clear();
    design.SetProjectFolder({});
    // Removes the folder only when empty: files put there by anyone else survive.
    fs::remove(top, ignored);
}

void StagePreview(AppletDesign& design, const std::string& pageText) {
    StageLinkedFiles(design, design.ProgramFolder());
    StageResourceFiles(design, design.ProgramFolder());
    StageText(design, kPreviewPageName, pageText);
}

void StageText(AppletDesign& design, const std::string& name, const std::string& text) {
    const std::string preview = design.PreviewFolder();
    CreatePreviewFolder(preview);
    WriteFileSafely(preview + name, text, design.Faults());
    design.StagedFiles.push_back(name);
}

}  // namespace zarvex
