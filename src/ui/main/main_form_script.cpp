// The Script and Option menus' commands around the browser: Preview, Publish and
// the choice of the browser.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "model/errors.h"
#include "platform/text_codec.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/dialogs/form_html.h"
#include "ui/dialogs/form_publish_report.h"
#include "ui/dialogs/form_web_browser.h"
#include "ui/main/app_services.h"
#include "ui/main/main_form.h"

namespace zarvex::ui {

namespace {

const char* const kPreviewPage = "~preview.html";
const char* const kPublishReport = "PublishReport.txt";
const char* const kScratchSnippet = "~tmp0001.txt";

// The code view's text as the file a browser reads: its lines ended by CR LF.
std::string PageFileText(const QString& shownText) {
    QString text = shownText;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (!text.isEmpty())
        text += QLatin1String("\r\n");
    return platform::EncodeFieldText(text);
}

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
    if (!BuildHTMLCode())
        return;
    agent_.StagePreview(PageFileText(formHTML_->Text()));
    const auto dialog = CreateWebBrowserForm();
    if (dialog->OpenPage(FromCorePath(agent_.PreviewFolder()), QString::fromLatin1(kPreviewPage)))
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
    {
        // The build names the scripts after the current menu name; its snippet and
        // the report are only passing through the scratch folder.
        QTemporaryDir scratch(ScratchPattern(QStringLiteral("publish")));
        if (!scratch.isValid())
            throw FileIoError(ToCorePath(QDir::tempPath()), scratch.errorString().toStdString());
        const std::string folder = ToCorePath(scratch.path()) + '/';
        agent_.BuildCode(folder + kScratchSnippet);
        agent_.WritePublishReport(folder, kPublishReport);
        agent_.StageFile(folder + kPublishReport);
        QFile::remove(FromCorePath(folder + kPublishReport));
    }
    TfrmPublishReport window(this);
    window.LoadReport(FromCorePath(agent_.PreviewFolder()) + QString::fromLatin1(kPublishReport));
    window.exec();
}

}  // namespace zarvex::ui
