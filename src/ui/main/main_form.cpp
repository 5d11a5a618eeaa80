#include "ui/main/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QTreeView>
#include <QUndoStack>
#include <stdexcept>

#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/menu_field_checks.h"
#include "model/recovery_copy.h"
#include "platform/text_codec.h"
#include "publish/app_folders.h"
#include "publish/publish_conflicts.h"
#include "publish/publish_names.h"
#include "ui/common/app_icons.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/main/status_progress.h"
#include "ui/pages/property_pages.h"
#include "ui/preview/live_preview.h"

namespace zarvex::ui {

namespace {

const char* const kProjectFilter = "Zarvex Files (*.zarvex)|*.zarvex";
const char* const kStructureFilter = "General Menu Structure File (*.gms)|*.gms";

// Sets a flag for a scope and clears it on every way out.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
};

// The records of a design the window let go of, freed on a worker thread: a design of
// a hundred thousand items holds a million text blocks, and the window need not wait
// while they are handed back.
class ReleaseRecords final : public QRunnable {
  public:
    explicit ReleaseRecords(TItemArray records) : records_(std::move(records)) {}
    void run() override { TItemArray().swap(records_); }

  private:
    TItemArray records_;
};

}  // namespace

QString JoinCommandLine(const QStringList& arguments) {
    QString joined;
    for (const QString& argument : arguments)
        joined += argument + ' ';
    // Blanks and control characters go at both ends, as the trim of the core does.
    qsizetype begin = 0, end = joined.size();
    while (begin < end && joined[begin].unicode() <= ' ')
        ++begin;
    while (end > begin && joined[end - 1].unicode() <= ' ')
        --end;
    return joined.mid(begin, end - begin);
}

QString ScratchFolderPattern(const QString& scratchFolder, const QString& job) {
    // The process id tells these from the folders earlier versions left, which the
    // next start removes once they are a day old.
    if (scratchFolder.isEmpty())
        return QDir::tempPath() + QStringLiteral("/zarvex-%1-%2-XXXXXX")
                                      .arg(job)
                                      .arg(QCoreApplication::applicationPid());
    return QDir(scratchFolder).filePath(job + QStringLiteral("-XXXXXX"));
}

TMainForm::TMainForm(const MainFormSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(*setup.dialogs),
      staging_(ScratchFolderPattern(setup.scratchFolder, QStringLiteral("stage"))),
      registerFileType_(setup.registerFileType),
      scratchFolder_(setup.scratchFolder) {
    setObjectName("TMainForm");
    background_.setMaxThreadCount(1);
    AppFolders folders = setup.folders;
    if (folders.stagingFolder.empty() && staging_.isValid())
        folders.stagingFolder = ToCorePath(staging_.path()) + '/';
    agent_.SetFolders(folders);
    StartRecovery(setup);
    model_ = new DesignTreeModel(agent_, this);
    model_->SetIcons(AppIcon(AppImage::TreeRoot), AppIcon(AppImage::TreeItem));
    pages_ = new PropertyPages(agent_, dialogs_, this);
    pages_->SetSelectionSource([this] {
        SelectedNode node;
        node.absIndex = SelectedNodeIndex();
        if (node.absIndex >= 0) {
            node.level = model_->NodeLevel(node.absIndex);
            node.hasChildren = model_->HasChildren(node.absIndex);
        }
        return node;
    });
    connect(pages_, &PropertyPages::changed, this, &TMainForm::MarkChanged);
    connect(pages_, &PropertyPages::itemCaptionEdited, this, &TMainForm::OnItemCaptionEdited);

    CreateCommands();
    CreateStatusBar();
    CreateCentralArea();
    CreateHistory();
    CreateTreeComfort();
    AttachAuxiliaryWindows(setup);
    AttachCodeViewAndPages();
    CreateLivePreview();
    progress_ = std::make_unique<StatusProgress>(stctxtHint_, prgrsbrMainFormBottom_);
    agent_.SetProgress(progress_.get());
    agent_.AttachTree(model_);

    connect(trvwDesignPanel_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (selectionSignalsMuted_)
            return;
        trvwDesignPanelChange();
        ShowSelectedCaption();
    });
    connect(trvwDesignPanel_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (SelectedNodeIndex() >= 0)
            PopupMenu1_->popup(trvwDesignPanel_->viewport()->mapToGlobal(at));
    });
    // Escape closes the window from any of its own controls, but not from the help
    // window or another window of the program, which handle Escape themselves.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &TMainForm::close);
    trvwDesignPanel_->setFocus();

    setWindowIcon(AppIcon(AppImage::Program));
    resize(825, 620);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Within the screen, frame included, whatever the scale.
        const QRect room = screen->availableGeometry();
        resize(size().boundedTo(room.size() - QSize(16, 48)));
        move(room.center() - rect().center());
    }

    // Window set-up proper: an empty design with the root selected and its pages shown.
    currentItemNode_ = DesignTreeModel::kNoNode;
    treeRebuilding_ = false;
    projectFileName_.clear();
    model_->ResetToRoot();
    SelectNode(0);
    agent_.ResetToDefaults();
    pages_->ShowMenuParameters();
    setWindowTitle(QStringLiteral("Zarvex"));
    if (registerFileType_) {
        try {
            registerFileType_();
        } catch (...) {
            // The file type is a convenience; the program starts without it.
        }
    }
    RebuildRecentFilesMenu();
    MarkUnchanged();
    pages_->ForgetArrangement();
    pages_->ArrangePages(false);
    UpdateCommandStates();
    RestoreLook();
}

TMainForm::~TMainForm() {
    agent_.SetProgress(nullptr);
    // The history empties itself when it goes, after the actions it would enable.
    if (history_)
        history_->disconnect(this);
}

// --- the top-level error handler ---------------------------------------------------

bool TMainForm::RunCommand(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        dialogs_.ShowMessage(this, MessageKind::Error, platform::DecodeFieldText(e.what()),
                             DialogButton::Ok);
    }
    return false;
}

// --- changed flag and commits ----------------------------------------------------------

void TMainForm::MarkChanged() {
    modifiedFlag_ = true;
    if (recovery_ && !recoveryTimer_->isActive())
        recoveryTimer_->start();
    RefreshActions();
}

void TMainForm::MarkUnchanged() {
    modifiedFlag_ = false;
    DiscardRecoveryCopy();
    RefreshActions();
}

void TMainForm::CommitPages() {
    pages_->ReadMenuPages();
    const int current = CurrentItemNodeIndex();
    if (current > 0)
        ReadItemPageOf(current);
}

// --- file commands -----------------------------------------------------------------------

bool TMainForm::AskToSaveChanges() {
    if (!modifiedFlag_)
        return true;
    switch (dialogs_.ShowMessage(this, MessageKind::Warning, tr("Save changes to files?"),
                                 DialogButton::Yes | DialogButton::No | DialogButton::Cancel)) {
        case DialogButton::Yes:
            // A save that did not happen (its dialog cancelled) keeps the design.
            return SaveProject();
        case DialogButton::No:
            return true;
        default:
            return false;
    }
}

// Files of another design in the folder are replaced only when the author agrees.
bool TMainForm::ConfirmReplacingOtherDesigns(const std::string& corePath) {
    std::vector<std::string> own = ownProjects_;
    own.push_back(corePath);
    const std::vector<std::string> others = OtherDesignsFiles(
        FolderOfPath(corePath), BareFileName(corePath), agent_.MenuParameters.MenuName, own);
    if (others.empty())
        return true;
    QString text = tr("Saving here replaces these files of another design:");
    for (const std::string& file : others)
        text += "\n" + FromCorePath(BareFileName(file));
    text += "\n\n" + tr("Replace them?");
    return dialogs_.ShowMessage(this, MessageKind::Warning, text,
                                DialogButton::Yes | DialogButton::No) == DialogButton::Yes;
}

// The reader refuses a design with such a field, so no file is written that could not
// be opened again: the file on disk stays as it was, and the design stays in the window
// until the field is corrected.
bool TMainForm::DesignCanBeSaved() {
    const auto fault = FindDesignFault(agent_.MenuParameters, agent_.Items);
    if (!fault)
        return true;
    dialogs_.ShowMessage(this, MessageKind::Error,
                         platform::DecodeFieldText("Cannot save the design: " + fault->reason +
                                                   ". Correct this field and save again."),
                         DialogButton::Ok);
    return false;
}

bool TMainForm::Publish(QString& path) {
    const std::string core = ToCorePath(path);
    if (!DesignCanBeSaved())
        return false;
    if (!ConfirmReplacingOtherDesigns(core))
        return false;
    const bool published = agent_.PublishProject(FolderOfPath(core), BareFileName(core));
    ownProjects_.push_back(FolderOfPath(core) + zarvex::ProjectFileName(BareFileName(core)));
    path = FromCorePath(ownProjects_.back());
    // Everything else was published; the user learns which images were not.
    QStringList parts;
    if (!agent_.UncopiedFiles.empty()) {
        QString text = tr("These files could not be copied: they were found nowhere.");
        for (const std::string& name : agent_.UncopiedFiles)
            text += "\n" + FromCorePath(name);
        parts << text;
    }
    if (!agent_.OutsideFiles.empty()) {
        QString text = tr("These files were not copied: they lie outside the project folder.");
        for (const std::string& name : agent_.OutsideFiles)
            text += "\n" + FromCorePath(name);
        parts << text;
    }
    if (!parts.isEmpty())
        dialogs_.ShowMessage(this, MessageKind::Warning, parts.join("\n\n"), DialogButton::Ok);
    return published;
}

bool TMainForm::SaveProject() {
    CommitPages();
    if (!DesignCanBeSaved())
        return false;
    std::optional<QString> target;
    if (!projectFileName_.isEmpty()) {
        switch (CheckProjectFileBeforeSave()) {
            case SaveTarget::InPlace:
                target = projectFileName_;
                break;
            case SaveTarget::SaveAs:
                dialogs_.SuggestSaveFile(projectFileName_);
                break;
            case SaveTarget::Stop:
                return false;
        }
    }
    if (!target)
        target = dialogs_.GetSaveFileName(this, QString::fromLatin1(kProjectFilter));
    if (!target || !Publish(*target))
        return false;
    projectFileName_ = *target;
    RememberProjectStamp();
    MarkUnchanged();
    return true;
}

void TMainForm::New1Click() {
    if (!AskToSaveChanges())
        return;
    agent_.ClearPreviewFolder();
    currentItemNode_ = DesignTreeModel::kNoNode;
    projectFileName_.clear();
    {
        FlagScope rebuilding(treeRebuilding_);
        model_->ResetToRoot();
    }
    SelectNode(0);
    agent_.ResetToDefaults();
    pages_->ShowMenuParameters();
    MarkUnchanged();
    UpdateCommandStates();
}

// The preview folder is cleared only for a file actually chosen: the staged images are
// what the next save publishes. Nothing: the command stops.
std::optional<QString> TMainForm::ChooseFileToReplaceDesign(const char* filter) {
    if (!AskToSaveChanges())
        return std::nullopt;
    return dialogs_.GetOpenFileName(this, QString::fromLatin1(filter));
}

void TMainForm::Open1Click() {
    const auto chosen = ChooseFileToReplaceDesign(kProjectFilter);
    if (!chosen)
        return;
    OpenSequence(*chosen);
}

void TMainForm::OpenProjectByName(const QString& path) {
    if (path.isEmpty())
        return;
    if (!AskToSaveChanges())
        return;
    OpenSequence(path);
}

void TMainForm::OpenStartupPath(const QString& path) {
    if (path.isEmpty())
        return;
    MarkUnchanged();
    // The desktop hands structure files to the program too: they start a new design.
    if (path.endsWith(QLatin1String(".gms"), Qt::CaseInsensitive))
        RunCommand([&] { ImportStructureFile(path); });
    else
        RunCommand([&] { OpenProjectByName(path); });
}

void TMainForm::OpenSequence(const QString& path) {
    const std::string core = ToCorePath(path);
    bool fromCopy = false;
    try {
        ReadDesign([&] { agent_.LoadProjectFile(core, *model_); });
    } catch (const FileFormatError& e) {
        fromCopy = ReadCopyOfStoppedSave(core, QString::fromUtf8(e.what()));
        if (!fromCopy)
            throw;
    }
    ownProjects_.push_back(core);
    AddRecentFile(path);
    projectFileName_ = path;
    RememberProjectStamp();
    FinishLoading(FolderOfPath(core));
    if (fromCopy)
        MarkChanged();  // Save puts the complete text in place of the damaged file
    // A shipped template or sample is never written back: it opens as a new design
    // with its content, and Save asks where the design goes.
    for (const QString& shipped : {TemplatesFolder(), DataFilePath(QStringLiteral("samples"))}) {
        if (IsInsideFolder(core, ToCorePath(shipped))) {
            projectFileName_.clear();
            MarkChanged();
        }
    }
}

// The readers change the tree and the records only after the whole file passed, so a
// refused file leaves the window as it was: its design, its path, its staged images and
// its edit history. The preview folder is cleared only for a design that replaced it.
// Every reader replaces the records whole, so the old ones are set aside while it
// reads and put back if it refuses the file.
void TMainForm::ReadDesign(const std::function<void()>& read) {
    TItemArray previous = std::move(agent_.Items);
    agent_.Items.clear();
    {
        FlagScope rebuilding(treeRebuilding_);
        try {
            read();
        } catch (...) {
            agent_.Items = std::move(previous);
            throw;
        }
    }
    if (!previous.empty())
        background_.start(new ReleaseRecords(std::move(previous)));
    currentItemNode_ = DesignTreeModel::kNoNode;
    SelectNode(0);
    agent_.ClearPreviewFolder();
    QDir().mkpath(FromCorePath(agent_.PreviewFolder()));
}

// A design read from a file in folderOfFile: its images are staged from beside it.
void TMainForm::FinishLoading(const std::string& folderOfFile) {
    pages_->ShowMenuParameters();
    agent_.StageResourceFiles(folderOfFile);
    FinishRebuild();
}

void TMainForm::FinishRebuild() {
    trvwDesignPanel_->expand(model_->IndexAt(0));
    SelectNode(0);
    pages_->ArrangePages(false);
    UpdateCommandStates();
    MarkUnchanged();
}

void TMainForm::Save1Click() {
    SaveProject();
}

void TMainForm::Save2Click() {
    CommitPages();
    if (!DesignCanBeSaved())
        return;
    auto chosen = dialogs_.GetSaveFileName(this, QString::fromLatin1(kProjectFilter));
    if (!chosen)
        return;
    if (Publish(*chosen)) {
        projectFileName_ = *chosen;
        RememberProjectStamp();
    }
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::ImportMenuStructure1Click() {
    const auto chosen = ChooseFileToReplaceDesign(kStructureFilter);
    if (!chosen)
        return;
    ImportStructureFile(*chosen);
}

void TMainForm::ImportStructureFile(const QString& path) {
    const std::string core = ToCorePath(path);
    ReadDesign([&] { agent_.ImportStructure(core, *model_); });
    FinishLoading(FolderOfPath(core));
}

void TMainForm::ExportMenuStructure1Click() {
    const auto chosen = dialogs_.GetSaveFileName(this, QString::fromLatin1(kStructureFilter));
    if (!chosen)
        return;
    QString path = *chosen;
    if (path.right(4).toLower() != QLatin1String(".gms"))
        path += QLatin1String(".gms");
    CommitPages();
    agent_.ExportStructure(ToCorePath(path));
}

// --- closing --------------------------------------------------------------------------------

void TMainForm::ClearPreviewOnExit() {
    try {
        agent_.ClearPreviewFolder();
    } catch (...) {
        // Leftovers in the preview folder never keep the user from leaving.
    }
}

void TMainForm::FormCloseQuery(bool& canClose) {
    canClose = false;
    if (!modifiedFlag_ || endingSession_) {
        ClearPreviewOnExit();
        canClose = true;
        return;
    }
    switch (dialogs_.ShowMessage(this, MessageKind::Warning,
                                 tr("Save changes to files before Exit?"),
                                 DialogButton::Yes | DialogButton::No | DialogButton::Cancel)) {
        case DialogButton::Yes:
            canClose = SaveProject();
            break;
        case DialogButton::No:
            DiscardRecoveryCopy();
            canClose = true;
            break;
        default:
            // The window stays, and so do the staged images its next save publishes.
            return;
    }
    if (canClose)
        ClearPreviewOnExit();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    RunCommand([&] { FormCloseQuery(canClose); });
    if (canClose) {
        SaveLook();
        event->accept();
    } else
        event->ignore();
}

// --- view toggles and the hint line ---------------------------------------------------------

void TMainForm::ToolBar1Click() {
    // The action has toggled its own check mark already; the bar follows it.
    tlbr1_->setVisible(Act("ToolBar1")->isChecked());
}

void TMainForm::StatusBar2Click() {
    const bool shown = Act("StatusBar2")->isChecked();
    stctxtHint_->setVisible(shown);
    prgrsbrMainFormBottom_->setVisible(shown);
    statusBar()->setVisible(shown);
}

void TMainForm::CreateLivePreview() {
    livePreview_ =
        new LivePreview({this, findChild<QSplitter*>("spltrMain"), Act("LivePreview1"),
                         services_->Settings(), ScratchPattern(QStringLiteral("live")), agent_,
                         [this] { CommitPages(); }, [this] { return TreeRebuilding(); }});
    // Every edit of the design: the pages' change reports and the tree's changes.
    const auto edited = [this] { livePreview_->DesignEdited(); };
    connect(pages_, &PropertyPages::changed, livePreview_, edited);
    connect(pages_, &PropertyPages::previewRequested, livePreview_, edited);
    connect(model_, &QAbstractItemModel::rowsInserted, livePreview_, edited);
    connect(model_, &QAbstractItemModel::rowsRemoved, livePreview_, edited);
    connect(model_, &QAbstractItemModel::rowsMoved, livePreview_, edited);
    connect(model_, &QAbstractItemModel::dataChanged, livePreview_, edited);
    connect(model_, &QAbstractItemModel::modelReset, livePreview_, edited);
    connect(model_, &QAbstractItemModel::layoutChanged, livePreview_, edited);
}

void TMainForm::LivePreview1Click() {
    livePreview_->SetShown(Act("LivePreview1")->isChecked());
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        if (!treeRebuilding_)
            stctxtHint_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

}  // namespace zarvex::ui
