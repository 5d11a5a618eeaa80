// TkavoAppletAgent holds the whole design — the menu-wide record, the item list
// and the files a build links — and does all file and generation work on it.
// It knows nothing of windows: it reports through IProgress and raises errors.
#pragma once

#include <string>
#include <vector>

#include "model/design_tree.h"
#include "model/progress.h"
#include "model/records.h"
#include "model/web_page_options.h"

namespace zarvex {

struct WriteFaults;

// Where the agent reads its data and writes its scratch files. Both end with '/'.
struct AppFolders {
    std::string dataFolder;     // velmo.js, default images, templates, help, samples
    std::string programFolder;  // build outputs (stylesheet, configuration script)
    // A folder private to one window or run that holds "preview"; the program
    // folder when empty.
    std::string stagingFolder = {};
};

class TkavoAppletAgent {
  public:
    explicit TkavoAppletAgent(IProgress* progress = nullptr);

    // --- model -------------------------------------------------------------
    TAppletData MenuParameters;
    TItemArray Items;
    TLinkedFileInfoArray LinkedFiles;
    std::vector<std::string> StagedFiles;
    std::vector<std::string> ResourceFiles;
    // Images the last publish found nowhere (absent from the project's folder, the
    // staging and the program's files), in the design's order; they were not published.
    std::vector<std::string> UncopiedFiles;
    // Image names of the last staging or publish that lead out of the project's
    // folder (absolute, or through ".."): never read, never published.
    std::vector<std::string> OutsideFiles;
    const std::string Separator = "#$@";
    std::string LoadedVersion;
    // How the published menu behaves on the web page; saved after the items.
    WebPageOptions WebPage;

    void ResetToDefaults();
    TAppletData GetMenuParameters() const { return MenuParameters; }
    void SetMenuParameters(const TAppletData& d) { MenuParameters = d; }
    TItemData GetItem(int index) const { return Items.at(index); }
    void SetItem(int index, const TItemData& d) { Items.at(index) = d; }
    static TItemData NewItemRecord() { return zarvex::NewItemRecord(); }

    // --- environment -------------------------------------------------------
    void SetFolders(const AppFolders& folders) { folders_ = folders; }
    const AppFolders& Folders() const { return folders_; }
    const std::string& ProgramFolder() const { return folders_.programFolder; }
    const std::string& DataFolder() const { return folders_.dataFolder; }
    std::string PreviewFolder() const {
        return (folders_.stagingFolder.empty() ? folders_.programFolder : folders_.stagingFolder) +
               "preview/";
    }
    // The folder the design's images are read from at every staging and save: the
    // folder of the project that was opened or last saved; empty for a new design.
    const std::string& ProjectFolder() const { return projectFolder_; }
    void SetProjectFolder(const std::string& folder) { projectFolder_ = folder; }
    void SetProgress(IProgress* progress) { progress_ = progress ? progress : &nullProgress_; }
    IProgress& Progress() const { return *progress_; }
    // Test seam: every file the agent writes goes through these faults (none by default).
    void SetWriteFaults(WriteFaults* faults) { faults_ = faults; }
    WriteFaults* Faults() const { return faults_; }
    // The tree that BuildCode and ExportStructure read the design's shape from.
    void AttachTree(IDesignTree* tree) { tree_ = tree; }
    IDesignTree* Tree() const { return tree_; }

    // --- project and structure files --------------------------------------
    void SaveProjectFile(const std::string& path);
    void LoadProjectFile(const std::string& path, IDesignTree& tree);
    void ExportStructure(const std::string& path);
    void ImportStructure(const std::string& path, IDesignTree& tree);

    // --- generation --------------------------------------------------------
    // The three generated texts and the names of the two that live beside the
    // page. Generating prepares the items (levels, parents, links) and renames
    // the linked script and stylesheet after the menu; no file is touched.
    struct GeneratedCode {
        std::string stylesheetName, stylesheet;
        std::string scriptName, script;
        std::string snippet;
    };
    GeneratedCode GenerateCode();
    // Writes the stylesheet and the script into the program folder and the
    // snippet to htmlPath, all three or none.
    void BuildCode(const std::string& htmlPath);
    // BuildCode with the snippet kept in memory: the stylesheet and the script are
    // written into the program folder, both or neither, and all three texts returned.
    GeneratedCode BuildProgramFiles();
    void CollectResourceFiles();

    // --- staging and publishing -------------------------------------------
    void StageFile(const std::string& path);
    void StageLinkedFiles(const std::string& sourceFolder);
    void StageResourceFiles(const std::string& sourceFolder);
    void ClearPreviewFolder();
    void StagePreview(const std::string& pageText);
    // Writes text as the preview folder's file name and records it, as StageFile does
    // for a copy. Raises FileIoError when it cannot be written.
    void StageText(const std::string& name, const std::string& text);
    // Writes the project file (ProjectFileName(fileName)) first, then the page,
    // the linked files, the report and the images into folder, all or nothing (see
    // FileBatch). Images are read from the project's folder at this moment (see
    // FindImage); one that exists but cannot be read fails the publish with the
    // system's reason; one already in folder when folder is the project's own is
    // left as it is. Images found nowhere are listed in UncopiedFiles, names that
    // leave the project folder in OutsideFiles; with refuseMissing either fails it.
    // On success folder becomes the project's folder.
    bool PublishProject(const std::string& folder, const std::string& fileName,
                        bool refuseMissing = false);
    std::string PublishReportText();
    void WritePublishReport(const std::string& folder, const std::string& reportFileName);

  private:
    NullProgress nullProgress_;
    IProgress* progress_;
    IDesignTree* tree_ = nullptr;
    WriteFaults* faults_ = nullptr;
    AppFolders folders_;
    std::string projectFolder_;
};

// The three linked files a fresh agent starts with.
TLinkedFileInfoArray DefaultLinkedFiles();

}  // namespace zarvex
