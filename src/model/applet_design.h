// AppletDesign holds the whole design — the menu-wide record, the item list and the
// files a build links — with the folders it is read from and staged into, and reads
// and writes it as project and structure files. The code generator
// (codegen/code_generator.h) and the publisher (publish/publisher.h) work on it;
// TkavoAppletAgent (publish/applet_agent.h) gathers all three under one name.
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

// Where the design is read from and its scratch files go. Both end with '/'.
struct AppFolders {
    std::string dataFolder;     // velmo.js, default images, templates, help, samples
    std::string programFolder;  // build outputs (stylesheet, configuration script)
    // A folder private to one window or run that holds "preview"; the program
    // folder when empty.
    std::string stagingFolder = {};
};

class AppletDesign {
  public:
    explicit AppletDesign(IProgress* progress = nullptr);

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
    // Test seam: every file written for the design goes through these faults (none by default).
    void SetWriteFaults(WriteFaults* faults) { faults_ = faults; }
    WriteFaults* Faults() const { return faults_; }
    // The tree that the code generator and ExportStructure read the design's shape from.
    void AttachTree(IDesignTree* tree) { tree_ = tree; }
    IDesignTree* Tree() const { return tree_; }

    // --- project and structure files --------------------------------------
    void SaveProjectFile(const std::string& path);
    void LoadProjectFile(const std::string& path, IDesignTree& tree);
    void ExportStructure(const std::string& path);
    void ImportStructure(const std::string& path, IDesignTree& tree);

  private:
    NullProgress nullProgress_;
    IProgress* progress_;
    IDesignTree* tree_ = nullptr;
    WriteFaults* faults_ = nullptr;
    AppFolders folders_;
    std::string projectFolder_;
};

// The three linked files a fresh design starts with.
TLinkedFileInfoArray DefaultLinkedFiles();

}  // namespace zarvex
