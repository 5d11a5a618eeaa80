// The Script and Option menus' commands around the browser: Preview, Publish and
// the choice of the browser.
#include <QDir>
#include <string>

#include "publish/publish_names.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/dialogs/form_publish_report.h"
#include "ui/dialogs/form_web_browser.h"
#include "ui/main/app_services.h"
#include "ui/main/main_form.h"

namespace zarvex::ui {

namespace {

const char* const kPublishReport = "PublishReport.txt";

}  // namespace

std::unique_ptr<TformWebBrowser> TMainForm::CreateWebBrowserForm() {
    return std::make_unique<TformWebBrowser>(services_->DetectBrowsers(), services_->Settings(),
                                             services_->Shell(), dialogs_, this);
}

void TMainForm::WebBrowser1Click() {
    const auto dialog = CreateWebBrowserForm();
    dialog->exec();
}

void TMainForm::Preview1Click() {
    // A design without items was refused with a message; there is nothing to show.
    const std::optional<std::string> page = BuildHTMLCode();
    if (!page)
        return;
    agent_.StagePreview(*page);
    const auto dialog = CreateWebBrowserForm();
    if (dialog->OpenPage(FromCorePath(agent_.PreviewFolder()),
                         QString::fromLatin1(kPreviewPageName)))
        return;
    const QString program = dialog->LaunchProgram();
    dialogs_.ShowMessage(this, MessageKind::Error,
                         program.isEmpty()
                             ? tr("The desktop's default web browser could not be started to "
                                  "show the preview. Choose a browser under Option, Web Browser.")
                             : tr("The web browser \"%1\" could not be started to show the "
                                  "preview. Choose another under Option, Web Browser.")
                                   .arg(QDir::toNativeSeparators(program)),
                         DialogButton::Ok);
}

void TMainForm::Publish1Click() {
    CommitPages();
    if (!CheckDesignFields())
        return;
    // The build names the scripts after the current menu name; the report is staged
    // beside the preview as well as shown.
    agent_.BuildProgramFiles();
    const std::string report = agent_.PublishReportText();
    agent_.StageText(kPublishReport, report);
    TfrmPublishReport window(this);
    window.ShowReport(report);
    window.exec();
}

}  // namespace zarvex::ui
