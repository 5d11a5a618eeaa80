// Templates: the picker from the File menu and at start, and Save As Template.
#include <QDir>
#include <QFileInfo>
#include <stdexcept>

#include "settings/show_flags.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/dialogs/form_templet.h"
#include "ui/main/app_services.h"
#include "ui/main/main_form.h"

namespace zarvex::ui {

QString TMainForm::TemplatesFolder() const {
    return DataFilePath(QStringLiteral("templates"));
}

void TMainForm::Templet1Click() {
    TempletActions actions;
    // The picker has closed by then; an open that fails leaves a usable new design.
    actions.openProject = [this](const QString& path) {
        RunCommand([this, path] { OpenTemplate(path); });
    };
    actions.newProject = [this] { RunCommand([this] { New1Click(); }); };
    TfrmTemplet picker(TemplatesFolder(), services_->UserTemplatesFolder(), services_->Settings(),
                       dialogs_, std::move(actions), this);
    picker.exec();
}

void TMainForm::OpenTemplate(const QString& path) {
    OpenProjectByName(path);
    // A template the user cannot write back (an installed program's) becomes a new,
    // unsaved design with its content: Save then asks where the design goes.
    if (projectFileName_ == path && !services_->CanWriteFolder(QFileInfo(path).absolutePath())) {
        projectFileName_.clear();
        MarkChanged();
    }
}

void TMainForm::ProgramStart(const QStringList& arguments) {
    const QString path = JoinCommandLine(arguments);
    if (path.isEmpty())
        OfferTemplatesAtStart();
    else
        OpenStartupPath(path);
}

void TMainForm::OfferTemplatesAtStart() {
    if (!settings::ReadShowFlag(services_->Settings(), settings::ShowFlag::TemplatePicker))
        return;
    // A picker that cannot be made is reported; the program goes on with the new design.
    RunCommand([this] { Templet1Click(); });
}

namespace {

// A template's stylesheet names its images by fixed file names, so two templates in one
// folder would overwrite each other's images: a name chosen in the user's templates folder
// itself becomes a folder of its own, as the shipped templates have.
QString TemplatePlace(const QString& userFolder, const QString& chosen) {
    const QFileInfo file(chosen);
    if (QDir(file.absolutePath()) != QDir(userFolder))
        return chosen;
    const QString base = file.completeBaseName();
    return QDir(userFolder).filePath(base + '/' + file.fileName());
}

}  // namespace

void TMainForm::SaveAsTemplate1Click() {
    // The user's own templates: the program's folder may be read-only, and a shipped
    // template is never overwritten. When the folder cannot be made the dialog still
    // lets the user save elsewhere.
    const QString folder = services_->UserTemplatesFolder();
    QDir().mkpath(folder);
    dialogs_.SetInitialSaveFolder(folder);
    CommitPages();
    const auto chosen =
        dialogs_.GetSaveFileName(this, QStringLiteral("Zarvex Files (*.zarvex)|*.zarvex"));
    if (!chosen)
        return;
    const QString path = TemplatePlace(folder, *chosen);
    // The dialog asked about the name it showed; the template's own folder is asked here.
    if (path != *chosen && QFileInfo::exists(path) &&
        dialogs_.ShowMessage(this, MessageKind::Warning,
                             tr("A template named %1 exists already. Replace it?")
                                 .arg(QFileInfo(path).completeBaseName()),
                             DialogButton::Yes | DialogButton::No) != DialogButton::Yes)
        return;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw std::runtime_error("Cannot create " + ToCorePath(QDir::toNativeSeparators(
                                                        QFileInfo(path).absolutePath())));
    QString target = path;
    if (Publish(target))
        projectFileName_ = target;
}

}  // namespace zarvex::ui
