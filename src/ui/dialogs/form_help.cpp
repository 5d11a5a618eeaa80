#include "ui/dialogs/form_help.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "platform/shell_launcher.h"
#include "ui/common/window_placement.h"

namespace zarvex::ui {

namespace {

// A help page that is not there gets a page saying so, as a web view would show,
// instead of an empty window.
class HelpBrowser final : public QTextBrowser {
  public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        if (type == QTextDocument::HtmlResource && name.isLocalFile() &&
            !QFileInfo::exists(name.toLocalFile()))
            return QStringLiteral("<h2>%1</h2><p>%2</p>")
                .arg(tr("Page not found"),
                     tr("The help page %1 is missing.")
                         .arg(QDir::toNativeSeparators(name.toLocalFile()).toHtmlEscaped()));
        return QTextBrowser::loadResource(type, name);
    }
};

}  // namespace

TfrmHelp::TfrmHelp(platform::IShellLauncher& shell, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      shell_(shell) {
    setObjectName("TfrmHelp");
    setWindowTitle(tr("Help"));
    setModal(false);

    WebBrowser1_ = new HelpBrowser(this);
    WebBrowser1_->setObjectName("WebBrowser1");
    WebBrowser1_->document()->setDocumentMargin(8);
    // Every link goes through FollowLink: help pages open here, the rest outside.
    WebBrowser1_->setOpenLinks(false);
    connect(WebBrowser1_, &QTextBrowser::anchorClicked, this, &TfrmHelp::FollowLink);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1_);

    SizeAndCentre(*this, QSize(402, 428));
}

void TfrmHelp::ShowPage(const QUrl& address) {
    WebBrowser1_->setSource(address);
    if (!isVisible())
        show();
    raise();
}

QUrl TfrmHelp::CurrentPage() const {
    return WebBrowser1_->source();
}

void TfrmHelp::FollowLink(const QUrl& link) {
    const QUrl target = WebBrowser1_->source().resolved(link);
    if (target.isLocalFile()) {
        WebBrowser1_->setSource(target);
        return;
    }
    shell_.OpenWithDefaultHandler(target.toString());
}

}  // namespace zarvex::ui
