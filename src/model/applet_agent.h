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
    std::string programFolder;  // build outputs (stylesheet, configuration script) and "preview"
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
    // Images the last publish found neither in the preview folder nor among the
    // program's files, in the design's order; they were not published.
    std::vector<std::string> UncopiedFiles;
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
    void InsertItem(int index, const TItemData& record);
    void DeleteItem(int index);
    void MoveItemUp(int index);
    void DeleteItemBlock(int first, int count);
    void MoveItemBlockUp(int first, int upperSize, int lowerSize);

    // --- environment -------------------------------------------------------
    void SetFolders(const AppFolders& folders) { folders_ = folders; }
    const AppFolders& Folders() const { return folders_; }
    const std::string& ProgramFolder() const { return folders_.programFolder; }
    const std::string& DataFolder() const { return folders_.dataFolder; }
    std::string PreviewFolder() const { return folders_.programFolder + "preview/"; }
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
    void CollectResourceFiles();

    // --- staging and publishing -------------------------------------------
    void StageFile(const std::string& path);
    void StageLinkedFiles(const std::string& sourceFolder);
    void StageResourceFiles(const std::string& sourceFolder);
    void ClearPreviewFolder();
    void StagePreview(const std::string& pageText);
    // Writes the page, the linked files, the project file, the report and the
    // images into folder, all or nothing (see FileBatch). An image that exists
    // but cannot be copied fails the publish, naming it; images found nowhere
    // are listed in UncopiedFiles, or fail it when refuseMissing is set.
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
};

// The three linked files a fresh agent starts with.
TLinkedFileInfoArray DefaultLinkedFiles();

}  // namespace zarvex
