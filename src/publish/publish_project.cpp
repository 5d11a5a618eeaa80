// Save-and-publish into a project folder, all or nothing: every file is written
// in full beside its target before the first one is replaced (FileBatch).
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
#include "publish/program_files.h"
#include "publish/publish_names.h"

namespace zarvex {

namespace {

bool IsExistingFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

}  // namespace

bool TkavoAppletAgent::PublishProject(const std::string& folder, const std::string& fileName,
                                      bool refuseMissing) {
    const std::string target = AsFolderPrefix(folder);
    const std::string base = PublishBaseName(fileName);
    UncopiedFiles.clear();

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

    FileBatch files(Faults());
    files.Add(target + base + ".html", code.snippet);
    making.reset();
    for (const TLinkedFileInfo& file : LinkedFiles)
        files.AddCopy(ProgramFilePath(Folders(), file.FileName), target + file.FileName);
    {
        ProgressScope saving(Progress(), "Saving Data ... ...", ProjectProgressMax(Items.size()));
        files.Add(target + base + ".zarvex",
                  FormatProjectText(MenuParameters, Items, Progress(), WebPage));
    }
    files.Add(target + base + "_PublishReport.txt", PublishReportText());

    ProgressScope scope(Progress(), "Copying Publishable Files ... ...", 100);
    CollectResourceFiles();
    const std::string preview = PreviewFolder();
    std::unordered_set<std::string> copied;
    for (const std::string& name : ResourceFiles) {
        if (!StaysInsideFolder(name) || !copied.insert(name).second)
            continue;
        // The last staging decides what is published; an image never staged (a
        // new design saved before any preview) comes from the program's own files.
        std::string source = preview + BareFileName(name);
        if (!IsExistingFile(source))
            source = ProgramFilePath(Folders(), name);
        const std::string destination = target + name;
        // An icon in a subfolder of the project lands in the same subfolder here.
        if (name.find_first_of("/\\") != std::string::npos) {
            std::error_code ignored;
            std::filesystem::create_directories(FolderOfPath(destination), ignored);
        }
        if (!IsExistingFile(source) || !IsExistingFolder(FolderOfPath(destination))) {
            if (refuseMissing)
                throw FileIoError(name, "not found");
            UncopiedFiles.push_back(name);
            continue;
        }
        files.AddCopy(source, destination);
    }
    scope.Step(50);
    files.Commit();
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
