// Other writers, recovery copies and the end of a session: what keeps an author's
// work when another program changes the project file, when the program is killed
// or crashes, and when the desktop session ends.
#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSplitter>
#include <QTimer>

#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/preorder_tree.h"
#include "model/progress.h"
#include "model/project_file.h"
#include "model/recovery_copy.h"
#include "model/safe_file.h"
#include "publish/app_folders.h"
#include "ui/common/window_placement.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/main/main_form.h"

namespace zarvex::ui {

void TMainForm::StartRecovery(const MainFormSetup& setup) {
    stateFolder_ =
        setup.stateFolder.isEmpty() ? FromCorePath(UserStateFolder()) : setup.stateFolder;
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setInterval(kRecoveryIntervalMs);
    connect(recoveryTimer_, &QTimer::timeout, this, &TMainForm::WriteRecoveryCopy);
    if (setup.sessionName.isEmpty())
        return;
    try {
        recovery_ = std::make_unique<RecoveryWriter>(ToCorePath(stateFolder_),
                                                     ToCorePath(setup.sessionName));
    } catch (const FileIoError&) {
        // Without a state folder the program works as before, without recovery copies.
    }
}

void TMainForm::WriteRecoveryCopy() {
    if (!recovery_ || !modifiedFlag_)
        return;
    try {
        CommitPages();
        NullProgress quiet;
        recovery_->Write(FormatProjectText(agent_.MenuParameters, agent_.Items, quiet),
                         ToCorePath(projectFileName_), projectStamp_);
    } catch (const std::exception&) {
        // A copy that cannot be written now is tried again at the next tick; the
        // author's work is still in the window.
    }
}

void TMainForm::DiscardRecoveryCopy() {
    if (recoveryTimer_)
        recoveryTimer_->stop();
    if (recovery_)
        recovery_->Remove();
}

void TMainForm::EndOnSignal() {
    WriteRecoveryCopy();
    endingSession_ = true;
    close();
}

void TMainForm::CommitSessionData(QSessionManager& manager) {
    if (!modifiedFlag_)
        return;
    if (manager.allowsInteraction()) {
        bool canClose = false;
        RunCommand([&] { FormCloseQuery(canClose); });
        manager.release();
        if (!canClose)
            manager.cancel();
        return;
    }
    WriteRecoveryCopy();
}

bool TMainForm::OfferRecovery() {
    const std::vector<RecoveryCopy> copies = FindOrphanedCopies(ToCorePath(stateFolder_));
    if (copies.empty())
        return false;
    const RecoveryCopy& copy = copies.front();
    const QString name = copy.origin.empty()
                             ? tr("a new design")
                             : QStringLiteral("\"%1\"").arg(FromCorePath(copy.origin));
    const int answer =
        dialogs_.AskChoice(this, MessageKind::Warning,
                           tr("Zarvex was not closed normally: unsaved changes to %1 were kept.\n"
                              "Restore them, or discard them for good?")
                               .arg(name),
                           {tr("&Restore"), tr("&Discard")});
    if (answer == 1)
        RemoveRecoveryCopy(copy);
    if (answer != 0)
        return false;  // closed without an answer: offered again at the next start
    const bool restored = RunCommand([&] {
        ReadDesign([&] { agent_.LoadProjectFile(copy.designPath, *model_); });
        FinishLoading(FolderOfPath(copy.origin.empty() ? copy.designPath : copy.origin));
    });
    if (!restored)
        return false;
    projectFileName_ = FromCorePath(copy.origin);
    projectStamp_ = copy.originStamp;
    MarkChanged();
    // The design is safe in this session's own copy before the old one goes.
    WriteRecoveryCopy();
    if (recovery_ && recovery_->HasCopy())
        RemoveRecoveryCopy(copy);
    return true;
}

void TMainForm::RestoreLook() {
    const WindowLook look = ReadWindowLook(services_->Settings());
    if (!look.geometry.isEmpty())
        restoreGeometry(look.geometry);
    if (!look.bars.isEmpty())
        restoreState(look.bars);
    if (auto* splitter = findChild<QSplitter*>(QStringLiteral("spltrMain"));
        splitter && !look.splitter.isEmpty())
        splitter->restoreState(look.splitter);
    Act(QStringLiteral("ToolBar1"))->setChecked(look.toolBar);
    ToolBar1Click();
    Act(QStringLiteral("StatusBar2"))->setChecked(look.statusBar);
    StatusBar2Click();
}

void TMainForm::SaveLook() {
    WindowLook look;
    look.geometry = saveGeometry();
    look.bars = saveState();
    if (const auto* splitter = findChild<QSplitter*>(QStringLiteral("spltrMain")))
        look.splitter = splitter->saveState();
    look.toolBar = Act(QStringLiteral("ToolBar1"))->isChecked();
    look.statusBar = Act(QStringLiteral("StatusBar2"))->isChecked();
    WriteWindowLook(services_->Settings(), look);
}

// A save killed while it rewrote a file in place (one with other hard links) leaves
// the file cut short and its complete new text beside it, under a hidden name the
// next save removes: the author learns where it lies before anything else happens.
bool TMainForm::ReadCopyOfStoppedSave(const std::string& path, const QString& error) {
    for (const std::string& copy : TemporariesOfKilledWriters(path)) {
        try {
            TkavoAppletAgent probe;
            PreorderTree tree;
            probe.LoadProjectFile(copy, tree);
        } catch (const std::exception&) {
            continue;  // a copy its writer never finished
        }
        const DialogButton answer = dialogs_.ShowMessage(
            this, MessageKind::Warning,
            tr("%1\n\nA save of this file was stopped part-way. The complete text it was "
               "writing lies in \"%2\".\nOpen that text? Saving then puts it in place of the "
               "damaged file.")
                .arg(error, FromCorePath(copy)),
            DialogButton::Yes | DialogButton::No);
        if (answer != DialogButton::Yes)
            return false;
        ReadDesign([&] { agent_.LoadProjectFile(copy, *model_); });
        return true;
    }
    return false;
}

void TMainForm::RememberProjectStamp() {
    projectStamp_ = StampFile(ToCorePath(projectFileName_));
}

TMainForm::SaveTarget TMainForm::CheckProjectFileBeforeSave() {
    const std::string path = ToCorePath(projectFileName_);
    if (IsReadOnlyFile(path))
        return SaveTarget::SaveAs;
    if (!ChangedOnDisk(projectStamp_, path))
        return SaveTarget::InPlace;
    const int answer = dialogs_.AskChoice(
        this, MessageKind::Warning,
        tr("\"%1\" was changed on disk since Zarvex opened or saved it, by another window "
           "or program.\n"
           "Reload it and lose your changes, overwrite it with your design, or save your "
           "design under another name?")
            .arg(projectFileName_),
        {tr("&Reload"), tr("&Overwrite"), tr("Save &As...")});
    switch (answer) {
        case 0: {
            const QString path = projectFileName_;
            MarkUnchanged();
            agent_.ClearPreviewFolder();
            OpenSequence(path);
            return SaveTarget::Stop;
        }
        case 1:
            return SaveTarget::InPlace;
        case 2:
            return SaveTarget::SaveAs;
        default:
            return SaveTarget::Stop;
    }
}

}  // namespace zarvex::ui
