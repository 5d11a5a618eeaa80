// TMainForm, the program's one main window: the design tree on the left, the
// property pages on the right, the file and tree commands, the recent-files
// list, the hint line and the progress bar. It owns the design (the agent) for
// the whole run.
#pragma once

#include <QDir>
#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/file_stamp.h"
#include "platform/core_path.h"
#include "publish/applet_agent.h"
#include "ui/main/app_services.h"
#include "ui/tree/design_tree_model.h"
#include "ui/tree/edit_commands.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QSessionManager;
class QTimer;
class QToolBar;
class QTreeView;
class QUndoStack;

namespace zarvex {
class RecoveryWriter;
}
namespace zarvex::exchange {
struct ImportedDesign;
}

namespace zarvex::ui {

class IDialogService;
class LivePreview;
class PropertyPages;
class TfrmHelp;
class TformHTML;
class TformWebBrowser;
class TreeFilter;
class TreeRenameEditor;
class StatusProgress;

struct MainFormSetup {
    IDialogService* dialogs = nullptr;       // required; every question goes through it
    AppFolders folders;                      // the agent's data and scratch folders
    std::function<void()> registerFileType;  // run at every start; failures are its own
    AppServices services;  // shell, settings store, browser search; the real ones when left out
    // The recent-files list and recovery copies (app_folders.h); empty: the user's state folder.
    QString stateFolder;
    // Names this window's recovery copy, unique among running windows; empty: none are written.
    QString sessionName;
    // The window's own scratch folder: its staging, live preview and passing files are
    // made inside it. Empty: each in a temporary folder of its own.
    QString scratchFolder;
};

// A QTemporaryDir pattern for a folder named after job inside scratchFolder (or,
// when that is empty, the system's temporary folder).
QString ScratchFolderPattern(const QString& scratchFolder, const QString& job);

class TMainForm : public QMainWindow, private IEditHost {
    Q_OBJECT
  public:
    explicit TMainForm(const MainFormSetup& setup, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- operations other windows and the program start use --------------------
    // Opens a project by path after the save question; throws what the loader throws.
    void OpenProjectByName(const QString& path);
    // The program start's open of the command-line path: no save question, and a
    // failure is reported in a message box and leaves an empty design.
    void OpenStartupPath(const QString& path);
    // Copies what the property pages show into the model.
    void CommitPages();
    void MarkChanged();
    void MarkUnchanged();
    // Runs a command; an error it raises is shown in an error box and ends it.
    bool RunCommand(const std::function<void()>& command);

    // --- state ---------------------------------------------------------------------
    bool ModifiedFlag() const { return modifiedFlag_; }
    const QString& ProjectFileName() const { return projectFileName_; }
    bool TreeRebuilding() const { return treeRebuilding_; }
    int CurrentItemNodeIndex() const;  // absolute index, -1 when none
    int SelectedNodeIndex() const;     // absolute index, -1 when none
    TkavoAppletAgent& Agent() { return agent_; }
    DesignTreeModel& TreeModel() { return *model_; }
    PropertyPages& Pages() { return *pages_; }
    QString RecentFilesPath() const;

    // --- commands (menu items, tool buttons, pop-up menu) ------------------------
    void New1Click();
    void Open1Click();
    void Save1Click();
    void Save2Click();
    void Exit1Click();
    void ImportMenuStructure1Click();
    void ImportStructureFile(const QString& path);
    void ExportMenuStructure1Click();
    // Imports and exports of other programs' formats (main_form_exchange.cpp).
    void ImportFromWebPage1Click();
    void ImportFromSitemap1Click();
    void ImportFromJson1Click();
    void ExportJson1Click();
    void ToolBar1Click();
    void StatusBar2Click();
    void LivePreview1Click();
    void Insert1Click();
    void Delete1Click();
    void MoveUp1Click();
    void MoveDown1Click();
    void Indent1Click();   // the item becomes the last child of its previous sibling
    void Outdent1Click();  // the item becomes the next sibling of its parent
    void Undo1Click();
    void Redo1Click();
    // --- tree comfort (main_form_items.cpp) ---------------------------------------------
    void Rename1Click();     // the selected item's caption, edited in place
    void Duplicate1Click();  // a copy of the item and its sub-items right after it
    void Cut1Click();
    void Copy1Click();  // the item and its sub-items as structure text on the clipboard
    void Paste1Click();
    void Find1Click();  // the filter box above the tree
    void RebuildRecentFilesMenu();
    void AddRecentFile(const QString& path);
    void UpdateCommandStates();
    // Enables every command of the action table by its rule.
    void RefreshActions();

    // --- the enabling rules of the action table ------------------------------------
    bool CanInsert() const;
    bool CanDelete() const;
    bool CanMoveUp() const;
    bool CanMoveDown() const;
    bool CanIndent() const;
    bool CanOutdent() const;
    bool CanUndo() const;
    bool CanRedo() const;
    bool CanRename() const;
    bool CanPaste() const;
    bool CanSave() const { return modifiedFlag_; }

    // The edit history (undo and redo) of the open design.
    QUndoStack& History() const { return *history_; }
    // A command of the window by its object name; null when there is none.
    QAction* Act(const QString& name) const { return actions_.value(name); }
    // --- templates, browser, publish and help (main_form_templates/script/help.cpp) ---
    void Templet1Click();
    void SaveAsTemplate1Click();
    void OpenTemplate(const QString& path);
    // The program start after the window is shown: opens the path that the arguments
    // spell, or offers the template picker when there is none.
    void ProgramStart(const QStringList& arguments);
    // The start-up picker, unless the user has turned it off.
    void OfferTemplatesAtStart();
    void Preview1Click();
    void Publish1Click();
    void WebBrowser1Click();
    void Topic1Click();
    void ViewSample1Click();
    void Homepage1Click();
    void ContactUs1Click();
    void About1Click();
    // Shows a page of the help folder in the help window (the getting started page for "").
    void ShowContextHelp(const QString& pageFileName);
    // The tip before the link file dialog, when the user has not turned it off.
    void ShowLinkTip();

    // --- other writers, recovery copies and the end of a session (main_form_session.cpp) ---
    static constexpr int kRecoveryIntervalMs = 30000;
    // Writes the design into its recovery copy when it has unsaved changes.
    void WriteRecoveryCopy();
    // A termination signal: the unsaved design goes into its recovery copy and the
    // window closes without a question.
    void EndOnSignal();
    // The desktop session ends: the close question when the session manager lets
    // the program ask, else a recovery copy.
    void CommitSessionData(QSessionManager& manager);
    // Offers the newest recovery copy that a session left behind; true when the
    // design was restored from it.
    bool OfferRecovery();
    const FileStamp& ProjectStamp() const { return projectStamp_; }
    QTimer& RecoveryTimer() const { return *recoveryTimer_; }

    // --- Build HTML and the code view (main_form_build.cpp) -------------------------
    // Commits the pages and builds the design; the snippet goes into the code view and
    // is returned. Nothing, after the message, when there is no item to build or a
    // field cannot be built.
    std::optional<std::string> BuildHTMLCode();
    void BuildHTML1Click();
    // False, after saying why, when a field of the design cannot be built.
    bool CheckDesignFields();
    TformHTML& CodeView() const { return *formHTML_; }
    TfrmHelp& HelpWindow() const { return *frmHelp_; }
    AppServiceHost& Services() const { return *services_; }
    // A QTemporaryDir pattern for a passing folder of this window (ScratchFolderPattern).
    QString ScratchPattern(const QString& job) const {
        return ScratchFolderPattern(scratchFolder_, job);
    }
    QString TemplatesFolder() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // set-up, in main_form_layout.cpp
    void CreateCommands();  // main_form_actions.cpp: the action table, menus, tool bar, pop-up
    void CreateStatusBar();
    void CreateCentralArea();

    // file commands
    bool AskToSaveChanges();  // false: the command must stop
    bool SaveProject();       // the Save command; true when the design was saved
    // Saves and publishes the design as path; path becomes the project file's
    // path written (see ProjectFileName). False when the author declined.
    bool Publish(QString& path);
    bool ConfirmReplacingOtherDesigns(const std::string& corePath);
    // False, after saying which field, when the design holds a value the project
    // reader would refuse.
    bool DesignCanBeSaved();
    std::optional<QString> ChooseFileToReplaceDesign(const char* filter);
    void OpenSequence(const QString& path);
    void ReadDesign(const std::function<void()>& read);
    // Adds an imported design's items after the design's own, as one undoable step.
    void ImportIntoDesign(exchange::ImportedDesign design, const QString& what);
    void FinishLoading(const std::string& folderOfFile);
    void FinishRebuild();
    void FormCloseQuery(bool& canClose);
    void ClearPreviewOnExit();
    enum class SaveTarget { InPlace, SaveAs, Stop };
    // Before Save writes the open project file: a read-only file is saved under another
    // name, and a file changed on disk since it was read or written here is not
    // overwritten without a question.
    SaveTarget CheckProjectFileBeforeSave();
    void RememberProjectStamp();
    // path cannot be read (error): when a save that was stopped part-way left a
    // complete text beside it, offers to open that instead. True when it was read.
    bool ReadCopyOfStoppedSave(const std::string& path, const QString& error);
    void StartRecovery(const MainFormSetup& setup);
    void DiscardRecoveryCopy();
    // The window's geometry, bars and splitter as the last run left them.
    void RestoreLook();
    void SaveLook();

    // templates, browser, publish and help
    void AttachAuxiliaryWindows(const MainFormSetup& setup);
    void AttachCodeViewAndPages();  // the code view, Build HTML, the pages' help and hints
    void CreateLivePreview();       // the pane beside the pages, fed every edit
    QString DataFilePath(const QString& relativePath) const;  // inside the data folder
    std::unique_ptr<TformWebBrowser> CreateWebBrowserForm();
    void RecentFileClick(QAction* entry);

    // tree
    void trvwDesignPanelChange();
    void trvwDesignPanelMouseDown(const QPoint& pos);
    void SelectNode(int pos);
    void ShowSelectedCaption();  // scrolls the selected node's caption into view
    void ReadItemPageOf(int pos);
    void OnItemCaptionEdited(const QString& caption);
    int SelectedItemOrNone() const;  // the selected item's position, -1 for the root or none
    bool DropBlock(int pos, int parentPos, int row);

    // tree comfort, in main_form_items.cpp
    void CreateTreeComfort();
    void RenameNode(NodeId node, const QString& text);
    void PutBlocksAfter(int pos, const TItemArray& records, const QString& what);
    void PutBlocks(int parentPos, int row, const TItemArray& records, const QString& what);

    // edit history, in main_form_edit.cpp
    void CreateHistory();
    void OnFieldsEdited(const std::vector<FieldEdit>& edits);
    DesignTreeModel& Tree() override { return *model_; }
    void RunTreeEdit(const std::function<void()>& change, NodeId select) override;
    void ApplyField(NodeId node, const FieldEdit& edit, const std::string& value) override;
    void ExpandNode(NodeId node) override;
    void AddChildren(NodeId parent, const std::function<void()>& change) override;

    IDialogService& dialogs_;
    // Staging private to this window: another window's open, save or exit never
    // touches the images this one shows and saves.
    // Project files this window opened or saved: the author's own, never another
    // design's to ask about.
    std::vector<std::string> ownProjects_;
    QTemporaryDir staging_;
    TkavoAppletAgent agent_;
    std::function<void()> registerFileType_;
    DesignTreeModel* model_ = nullptr;
    PropertyPages* pages_ = nullptr;
    std::unique_ptr<StatusProgress> progress_;
    std::unique_ptr<AppServiceHost> services_;
    TfrmHelp* frmHelp_ = nullptr;
    TformHTML* formHTML_ = nullptr;
    LivePreview* livePreview_ = nullptr;  // the pane beside the pages (live_preview.h)

    // window state
    QString scratchFolder_;  // MainFormSetup::scratchFolder
    QString stateFolder_;
    FileStamp projectStamp_;  // the project file as last read or written here
    // One thread for work the window need not wait for (freeing a design it let go of).
    QThreadPool background_;
    std::unique_ptr<RecoveryWriter> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    bool endingSession_ = false;  // closing without the question
    bool modifiedFlag_ = false;
    QString projectFileName_;
    DesignTreeModel::NodeId currentItemNode_ = DesignTreeModel::kNoNode;
    bool treeRebuilding_ = false;
    bool selectionSignalsMuted_ = false;

    // widgets
    QTreeView* trvwDesignPanel_ = nullptr;
    QToolBar* tlbr1_ = nullptr;
    QLabel* stctxtHint_ = nullptr;
    QProgressBar* prgrsbrMainFormBottom_ = nullptr;
    QMenu* mnitRecentFiles_ = nullptr;
    QMenu* PopupMenu1_ = nullptr;

    // The commands of the action table by object name (menus, tool bar and pop-up menu
    // each have their own, as their hints differ).
    QHash<QString, QAction*> actions_;
    TreeRenameEditor* rename_ = nullptr;
    TreeFilter* filter_ = nullptr;
    // What this run last put on the clipboard, with every field of its records.
    std::string copiedText_;
    TItemArray copiedRecords_;
    QUndoStack* history_ = nullptr;
};

// The program start's path: every argument followed by one blank, then trimmed,
// so that a path split at its blanks comes back together.
QString JoinCommandLine(const QStringList& arguments);

// The window's files name the path conversions unqualified.
using platform::FromCorePath;
using platform::ToCorePath;

}  // namespace zarvex::ui
