// The Help menu, the context help window and the link tip.
#include <QDir>
#include <QUrl>

#include "codegen/generated_header.h"
#include "settings/help_pages.h"
#include "ui/dialogs/form_about.h"
#include "ui/dialogs/form_help.h"
#include "ui/dialogs/form_link_tip.h"
#include "ui/main/app_services.h"
#include "ui/main/main_form.h"

namespace zarvex::ui {

namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString TMainForm::DataFilePath(const QString& relativePath) const {
    return QDir::cleanPath(FromCorePath(agent_.DataFolder()) + relativePath);
}

void TMainForm::Topic1Click() {
    services_->Shell().OpenWithDefaultHandler(
        DataFilePath(QStringLiteral("%1/%2").arg(settings::kHelpFolder, settings::kHelpIndexPage)));
}

void TMainForm::ViewSample1Click() {
    services_->Shell().OpenWithDefaultHandler(DataFilePath(QStringLiteral("samples/index.html")));
}

void TMainForm::Homepage1Click() {
    services_->Shell().OpenWithDefaultHandler(FromView(kHomePageAddress));
}

void TMainForm::ContactUs1Click() {
    services_->Shell().OpenWithDefaultHandler(FromView(kSupportPageAddress));
}

void TMainForm::About1Click() {
    TformAbout box(services_->Shell(), this);
    box.exec();
}

void TMainForm::ShowContextHelp(const QString& pageFileName) {
    const QString page =
        pageFileName.isEmpty() ? QString::fromLatin1(settings::kGettingStartedPage) : pageFileName;
    frmHelp_->ShowPage(QUrl::fromLocalFile(
        DataFilePath(QStringLiteral("%1/%2").arg(settings::kHelpFolder, page))));
}

void TMainForm::ShowLinkTip() {
    TfrmMsgBox_LinkTip::ShowIfWanted(services_->Settings(), dialogs_, this);
}

}  // namespace zarvex::ui
