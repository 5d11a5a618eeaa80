// TformAbout, the about box: product name and version, and the links to our home and
// support pages. A link label is blue with a hand pointer and turns red under the
// mouse; the mouse over the box's background turns both back to blue.
#pragma once

#include <QColor>
#include <QDialog>

class QLabel;
class QPushButton;

namespace zarvex::platform {
class IShellLauncher;
}

namespace zarvex::ui {

class TformAbout final : public QDialog {
    Q_OBJECT
  public:
    explicit TformAbout(platform::IShellLauncher& shell, QWidget* parent = nullptr);

    static QColor LinkColor();
    static QColor HotLinkColor();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QLabel* MakeLinkLabel(const char* name, const QString& address);
    void SetLinkColor(QLabel* label, const QColor& color);

    platform::IShellLauncher& shell_;
    QLabel* lblProductName_;
    QLabel* lblProductVersion_;
    QLabel* Label8_;
    QLabel* Label10_;
    QPushButton* OKButton_;
};

}  // namespace zarvex::ui
