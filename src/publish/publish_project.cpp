// Save-and-publish into a project folder, all or nothing: every file is written
// in full beside its target before the first one is replaced (FileBatch), and
// the project file, the author's own data, is put in place before the files
// derived from it.

#include <filesystem>
#include <optional>
#include <string>
#include <unordered_set>

#include "codegen/code_generator.h"
#include "model/errors.h"
#include "model/file_batch.h"
#include "model/progress.h"
#include "model/project_file.h"
#include "publish/file_ops.h"
#include "publish/image_sources.h"
#include "publish/program_files.h"
#include "publish/publish_names.h"
#include "publish/publisher.h"

namespace zarvex {

namespace {

// The subfolder of an icon in a subfolder of the project lands in the same
// subfolder here; a folder that cannot be made fails the publish.
void CreateFolderOf(const std::string& destination) {
    const std::string folder = FolderOfPath(destination);
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec))
        return;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder))
        throw FileIoError(folder.substr(0, folder.size() - 1), ec ? ec.message() : "not a folder");
}

bool ExistsAsName(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

}  // namespace

bool PublishProject(AppletDesign& design, const std::string& folder, const std::string& fileName,
                    bool refuseMissing) {
    const std::string target = AsFolderPrefix(folder);
    const std::string base = PublishBaseName(fileName);
    design.UncopiedFiles.clear();
    design.OutsideFiles.clear();

    // The build's scratch outputs first, as Build HTML leaves them: the linked
    // files below are copied from the program folder.
    std::optional<ProgressScope> making(std::in_place, design.Progress(),
                                        "Making HTML Codes ... ...");
    const GeneratedCode code = GenerateCode(design);
    {
        FileBatch scratch(design.Faults());
        scratch.Add(design.ProgramFolder() + code.stylesheetName, code.stylesheet);
        scratch.Add(design.ProgramFolder() + code.scriptName, code.script);
        scratch.Commit();
    }
    making.reset();
    FileBatch files(design.Faults());
    {
        ProgressScope saving(design.Progress(), "Saving Data ... ...",
                             ProjectProgressMax(design.Items.size()));
        files.Add(target + ProjectFileName(fileName),
                  FormatProjectText(design.MenuParameters, design.Items, design.Progress(),
                                    design.WebPage));
    }
    files.Add(target + base + ".html", code.snippet);
    for (const TLinkedFileInfo& file : design.LinkedFiles)
        files.AddCopy(ProgramFilePath(design.Folders(), file.FileName), target + file.FileName);
    files.Add(target + base + "_PublishReport.txt", PublishReportText(design));

    ProgressScope scope(design.Progress(), "Copying Publishable Files ... ...", 100);
    CollectResourceFiles(design);
    const bool intoProject =
        !design.ProjectFolder().empty() && IsSameFolder(target, design.ProjectFolder());
    std::unordered_set<std::string> copied;
    for (const std::string& name : design.ResourceFiles) {
        if (!copied.insert(name).second)
            continue;
        const ImageSource image = FindImage(design, name);
        switch (image.state) {
            case ImageState::Outside:
                if (refuseMissing)
                    throw FileIoError(name, "lies outside the project folder");
                design.OutsideFiles.push_back(name);
                continue;
            case ImageState::Absent:
                if (refuseMissing)
                    throw FileIoError(name, "not found");
                design.UncopiedFiles.push_back(name);
                continue;
            case ImageState::Unreadable:
                throw FileIoError(image.path, image.reason);
            case ImageState::Found:
                break;
        }
        const std::string destination = target + name;
        // The project's own image is the author's: a save never copies over it.
        if (intoProject && ExistsAsName(destination))
            continue;
        CreateFolderOf(destination);
        files.AddCopy(image.path, destination);
    }
    scope.Step(50);
    files.Commit();
    design.SetProjectFolder(target);
    // Publishing into the program folder itself must not delete what it published.
    if (!IsSameFolder(target, design.ProgramFolder())) {
        for (const TLinkedFileInfo& file : design.LinkedFiles)
            if (file.DeleteAfterCopy)
                DeleteFileQuietly(design.ProgramFolder() + file.FileName);
    }
    scope.Step(50);
    return true;
}

}  // namespace zarvex
