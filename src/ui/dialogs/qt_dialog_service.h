// The dialog service of the running program: QMessageBox, QFileDialog, QColorDialog.
#pragma once

#include <QStringList>

#include "ui/dialogs/dialog_service.h"

namespace zarvex::ui {

class QtDialogService final : public IDialogService {
  public:
    DialogButton ShowMessage(QWidget* parent, MessageKind kind, const QString& text,
                             DialogButtons buttons) override;
    std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter) override;
    std::optional<QString> GetSaveFileName(QWidget* parent, const QString& filter) override;
    std::optional<QColor> GetColor(QWidget* parent, const QColor& initial) override;
    std::optional<QColor> GetColorFollowing(
        QWidget* parent, const QColor& initial,
        const std::function<void(const QColor&)>& following) override;
    std::optional<int> ChooseFromList(QWidget* parent, const QString& title, const QString& label,
                                      const QStringList& entries) override;
    void SetInitialSaveFolder(const QString& folder) override { initialSaveFolder_ = folder; }
    void SuggestSaveFile(const QString& path) override { suggestedSaveFile_ = path; }
    int AskChoice(QWidget* parent, MessageKind kind, const QString& text,
                  const QStringList& choices) override;

  private:
    QString initialSaveFolder_;
    QString suggestedSaveFile_;
};

// "Desc (*.a)|*.a|Any (*.*)|*.*" as Qt name filters: "Desc (*.a)", "Any (*.*)".
// Patterns separated by ';' become blank-separated, as Qt reads them.
QStringList ToQtNameFilters(const QString& filter);

}  // namespace zarvex::ui
