// The Build HTML step and command, and the wiring of the property pages' requests
// (help pages, the link tip, hint-line warnings) to the window.
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "model/errors.h"
#include "model/menu_field_checks.h"
#include "platform/text_codec.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/dialogs/form_html.h"
#include "ui/main/main_form.h"
#include "ui/pages/property_pages.h"

namespace zarvex::ui {

void TMainForm::AttachCodeViewAndPages() {
    formHTML_ = new TformHTML(this);
    pages_->SetLinkTipHook([this] { ShowLinkTip(); });
    connect(pages_, &PropertyPages::helpRequested, this, &TMainForm::ShowContextHelp);
    connect(pages_, &PropertyPages::hintMessage, stctxtHint_, &QLabel::setText);
}

bool TMainForm::BuildHTMLCode() {
    if (model_->NodeCount() < 2) {
        dialogs_.ShowMessage(this, MessageKind::Error,
                             tr("No item to build. Please add item to left pane and try again."),
                             DialogButton::Ok);
        return false;
    }
    CommitPages();
    if (!CheckDesignFields())
        return false;
    // The snippet passes through a scratch folder of its own, never the current folder,
    // which may be read-only or shared with another copy of the program; folder and
    // file go when the step ends, whichever way it ends.
    QTemporaryDir scratch(ScratchPattern(QStringLiteral("build")));
    if (!scratch.isValid())
        throw FileIoError(ToCorePath(scratch.path()), scratch.errorString().toStdString());
    const QString path = scratch.filePath(QStringLiteral("~tmp0001.txt"));
    agent_.BuildCode(ToCorePath(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileIoError(ToCorePath(path), file.errorString().toStdString());
    formHTML_->LoadLines(file.readAll());
    return true;
}

bool TMainForm::CheckDesignFields() {
    const auto fault = FindDesignFault(agent_.MenuParameters, agent_.Items);
    if (!fault)
        return true;
    dialogs_.ShowMessage(
        this, MessageKind::Error,
        platform::DecodeFieldText(std::string("Cannot build the menu: ") + fault->reason + "."),
        DialogButton::Ok);
    return false;
}

void TMainForm::BuildHTML1Click() {
    // A refused build shows its message only, not an empty or outdated code view.
    if (BuildHTMLCode())
        formHTML_->exec();
}

}  // namespace zarvex::ui
