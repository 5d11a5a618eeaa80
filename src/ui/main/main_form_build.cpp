// The Build HTML step and command, and the wiring of the property pages' requests
// (help pages, the link tip, hint-line warnings) to the window.
#include <QLabel>

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

std::optional<std::string> TMainForm::BuildHTMLCode() {
    if (model_->NodeCount() < 2) {
        dialogs_.ShowMessage(this, MessageKind::Error,
                             tr("No item to build. Please add item to left pane and try again."),
                             DialogButton::Ok);
        return std::nullopt;
    }
    CommitPages();
    if (!CheckDesignFields())
        return std::nullopt;
    const std::string snippet = agent_.BuildProgramFiles().snippet;
    formHTML_->LoadLines(QByteArray::fromStdString(snippet));
    return snippet;
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
