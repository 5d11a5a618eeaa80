// Templates: the picker from the File menu and at start, and Save As Template.
#include <QDir>
#include <QFileInfo>

#include "settings/show_flags.h"
#include "ui/app_services.h"
#include "ui/dialog_service.h"
#include "ui/form_templet.h"
#include "ui/main_form.h"

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

void TMainForm::SaveAsTemplate1Click() {
    // The user's own templates: the program's folder may be read-only, and a shipped
    // template is never overwritten. When the folder cannot be made the dialog still
    // lets the user save elsewhere.
    const QString folder = services_->UserTemplatesFolder();
    QDir().mkpath(folder);
    dialogs_.SetInitialSaveFolder(folder);
    Save2Click();
}

}  // namespace zarvex::ui
