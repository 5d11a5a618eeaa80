// TfrmPublishReport, the window of the Publish command: the publish report as text,
// read from a file, with one OK button.
#pragma once

#include <QDialog>
#include <QString>
#include <string_view>

class QPlainTextEdit;
class QPushButton;

namespace zarvex::ui {

class TfrmPublishReport final : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmPublishReport(QWidget* parent = nullptr);

    // Shows the report's text, its lines ended by CR LF as in the file.
    void ShowReport(std::string_view reportText);
    QString Text() const;

  private:
    QPlainTextEdit* memoPublishReport_;
    QPushButton* BitBtn1_;
};

}  // namespace zarvex::ui
