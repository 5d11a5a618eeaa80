// TfrmHelp, the context help window: a text browser over the pages of the "help"
// folder. Made once with the main window and reused; it never blocks the window
// behind it, and Escape only hides it.
#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace zarvex::platform {
class IShellLauncher;
}

namespace zarvex::ui {

class TfrmHelp final : public QDialog {
    Q_OBJECT
  public:
    // Addresses that are not local files (web pages, mail) go to shell.
    explicit TfrmHelp(platform::IShellLauncher& shell, QWidget* parent = nullptr);

    // Sends the view to address and shows the window without blocking. A window
    // already shown keeps its place and only changes its page.
    void ShowPage(const QUrl& address);

    QUrl CurrentPage() const;

  private:
    void FollowLink(const QUrl& link);

    platform::IShellLauncher& shell_;
    QTextBrowser* WebBrowser1_;
};

}  // namespace zarvex::ui
