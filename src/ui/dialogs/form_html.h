// TformHTML, the code view: the HTML snippet of the last build, read-only, for copying
// into a web page. Created once with the main window; every build replaces its text.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace zarvex::ui {

class TformHTML final : public QDialog {
    Q_OBJECT
  public:
    explicit TformHTML(QWidget* parent = nullptr);

    // Replaces the text with the lines of a generated file (its bytes as the build
    // wrote them: UTF-8, or Windows-1252 for older designs).
    void LoadLines(const QByteArray& fileBytes);
    QString Text() const;

    // Copy to Clipboard: selects the whole text and puts it on the clipboard as plain
    // text; the window stays open with the text selected.
    void Button2Click();

  private:
    QPlainTextEdit* memoHTMLBuild_;
    QPushButton* Button1_;
    QPushButton* Button2_;
};

}  // namespace zarvex::ui
