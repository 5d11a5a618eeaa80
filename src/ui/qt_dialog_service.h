// The dialog service of the running program: QMessageBox, QFileDialog, QColorDialog.
#pragma once

#include <QStringList>

#include "ui/dialog_service.h"

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
    void SetInitialSaveFolder(const QString& folder) override { initialSaveFolder_ = folder; }

  private:
    QString initialSaveFolder_;
};

// "Desc (*.a)|*.a|Any (*.*)|*.*" as Qt name filters: "Desc (*.a)", "Any (*.*)".
// Patterns separated by ';' become blank-separated, as Qt reads them.
QStringList ToQtNameFilters(const QString& filter);

}  // namespace zarvex::ui
