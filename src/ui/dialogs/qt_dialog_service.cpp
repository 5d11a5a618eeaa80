#include "ui/dialogs/qt_dialog_service.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace zarvex::ui {

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Error:
            return QMessageBox::Critical;
        case MessageKind::Information:
            break;
    }
    return QMessageBox::Information;
}

QString Title(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning:
            return QObject::tr("Warning");
        case MessageKind::Error:
            return QObject::tr("Error");
        case MessageKind::Information:
            break;
    }
    return QObject::tr("Information");
}

std::optional<QString> RunFileDialog(QWidget* parent, const QString& filter,
                                     QFileDialog::AcceptMode mode, const QString& folder,
                                     const QString& suggested = {}) {
    QFileDialog dialog(parent);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(ToQtNameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QStringList ToQtNameFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype paren = description.indexOf('(');
        if (paren >= 0)
            description.truncate(paren);
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        result << description.trimmed() + " (" + patterns.trimmed() + ")";
    }
    return result;
}

DialogButton QtDialogService::ShowMessage(QWidget* parent, MessageKind kind, const QString& text,
                                          DialogButtons buttons) {
    QMessageBox box(IconOf(kind), Title(kind), text, QMessageBox::NoButton, parent);
    QMessageBox::StandardButtons standard;
    if (buttons & DialogButton::Yes)
        standard |= QMessageBox::Yes;
    if (buttons & DialogButton::No)
        standard |= QMessageBox::No;
    if (buttons & DialogButton::Cancel)
        standard |= QMessageBox::Cancel;
    if ((buttons & DialogButton::Ok) || standard == QMessageBox::NoButton)
        standard |= QMessageBox::Ok;
    box.setStandardButtons(standard);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return DialogButton::Yes;
        case QMessageBox::No:
            return DialogButton::No;
        case QMessageBox::Ok:
            return DialogButton::Ok;
        case QMessageBox::Cancel:
            return DialogButton::Cancel;
        default:
            break;
    }
    if (buttons & DialogButton::Cancel)
        return DialogButton::Cancel;
    if (buttons & DialogButton::No)
        return DialogButton::No;
    return DialogButton::Ok;
}

std::optional<QString> QtDialogService::GetOpenFileName(QWidget* parent, const QString& filter) {
    return RunFileDialog(parent, filter, QFileDialog::AcceptOpen, {});
}

std::optional<QString> QtDialogService::GetSaveFileName(QWidget* parent, const QString& filter) {
    const QString suggested = std::exchange(suggestedSaveFile_, QString());
    return RunFileDialog(parent, filter, QFileDialog::AcceptSave, initialSaveFolder_, suggested);
}

int QtDialogService::AskChoice(QWidget* parent, MessageKind kind, const QString& text,
                               const QStringList& choices) {
    QMessageBox box(IconOf(kind), Title(kind), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons.append(box.addButton(choice, QMessageBox::AcceptRole));
    box.addButton(QMessageBox::Cancel);
    box.exec();
    return static_cast<int>(buttons.indexOf(box.clickedButton()));
}

std::optional<QColor> QtDialogService::GetColorFollowing(
    QWidget* parent, const QColor& initial, const std::function<void(const QColor&)>& following) {
    QColorDialog dialog(initial, parent);
    QObject::connect(&dialog, &QColorDialog::currentColorChanged, &dialog,
                     [&following](const QColor& passing) {
                         if (following)
                             following(passing);
                     });
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<QColor> QtDialogService::GetColor(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<int> QtDialogService::ChooseFromList(QWidget* parent, const QString& title,
                                                   const QString& label,
                                                   const QStringList& entries) {
    QInputDialog dialog(parent);
    dialog.setObjectName("dlgChooseFromList");
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setComboBoxItems(entries);
    dialog.setComboBoxEditable(false);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const qsizetype index = entries.indexOf(dialog.textValue());
    return index < 0 ? std::nullopt : std::optional<int>(static_cast<int>(index));
}

}  // namespace zarvex::ui
