// Save-and-publish into a project folder, all or nothing: every file is written
// in full beside its target before the first one is replaced (FileBatch), and
// the project file, the author's own data, is put in place before the files
// derived from it.

#include <filesystem>
#include <optional>
#include <string>
#include <unordered_set>

#include "model/applet_agent.h"
#include "model/errors.h"
#include "model/file_batch.h"
#include "model/progress.h"
#include "model/project_file.h"
#include "publish/file_ops.h"
#include "publish/image_sources.h"
#include "publish/program_files.h"
#include "publish/publish_names.h"

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

bool TkavoAppletAgent::PublishProject(const std::string& folder, const std::string& fileName,
                                      bool refuseMissing) {
    const std::string target = AsFolderPrefix(folder);
    const std::string base = PublishBaseName(fileName);
    UncopiedFiles.clear();
    OutsideFiles.clear();

    // The build's scratch outputs first, as Build HTML leaves them: the linked
    // files below are copied from the program folder.
    std::optional<ProgressScope> making(std::in_place, Progress(), "Making HTML Codes ... ...");
    const GeneratedCode code = GenerateCode();
    {
        FileBatch scratch(Faults());
        scratch.Add(ProgramFolder() + code.stylesheetName, code.stylesheet);
        scratch.Add(ProgramFolder() + code.scriptName, code.script);
        scratch.Commit();
    }
    making.reset();
    FileBatch files(Faults());
    {
        ProgressScope saving(Progress(), "Saving Data ... ...", ProjectProgressMax(Items.size()));
        files.Add(target + ProjectFileName(fileName),
                  FormatProjectText(MenuParameters, Items, Progress(), WebPage));
    }
    files.Add(target + base + ".html", code.snippet);
    for (const TLinkedFileInfo& file : LinkedFiles)
        files.AddCopy(ProgramFilePath(Folders(), file.FileName), target + file.FileName);
    files.Add(target + base + "_PublishReport.txt", PublishReportText());

    ProgressScope scope(Progress(), "Copying Publishable Files ... ...", 100);
    CollectResourceFiles();
    const bool intoProject = !ProjectFolder().empty() && IsSameFolder(target, ProjectFolder());
    std::unordered_set<std::string> copied;
    for (const std::string& name : ResourceFiles) {
        if (!copied.insert(name).second)
            continue;
        const ImageSource image = FindImage(*this, name);
        switch (image.state) {
            case ImageState::Outside:
                if (refuseMissing)
                    throw FileIoError(name, "lies outside the project folder");
                OutsideFiles.push_back(name);
                continue;
            case ImageState::Absent:
                if (refuseMissing)
                    throw FileIoError(name, "not found");
                UncopiedFiles.push_back(name);
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
    SetProjectFolder(target);
    // Publishing into the program folder itself must not delete what it published.
    if (!IsSameFolder(target, ProgramFolder())) {
        for (const TLinkedFileInfo& file : LinkedFiles)
            if (file.DeleteAfterCopy)
                DeleteFileQuietly(ProgramFolder() + file.FileName);
    }
    scope.Step(50);
    return true;
}

}  // namespace zarvex
