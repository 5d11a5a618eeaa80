// TfrmPublishReport, the window of the Publish command: the publish report as text,
// read from a file, with one OK button.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace zarvex::ui {

class TfrmPublishReport final : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmPublishReport(QWidget* parent = nullptr);

    // Shows the file's text. Throws FileIoError when the file cannot be read, so that
    // the window is never shown empty in place of a report.
    void LoadReport(const QString& path);
    QString Text() const;

  private:
    QPlainTextEdit* memoPublishReport_;
    QPushButton* BitBtn1_;
};

}  // namespace zarvex::ui
