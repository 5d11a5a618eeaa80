// Every message box, file dialog and colour dialog of the program goes through
// one IDialogService, so that tests can answer them. The window and its pages
// hold a reference; QtDialogService shows the real dialogs.
#pragma once

#include <QColor>
#include <QFlags>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace zarvex::ui {

enum class MessageKind { Information, Warning, Error };

enum class DialogButton { None = 0x0, Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };
Q_DECLARE_FLAGS(DialogButtons, DialogButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(DialogButtons)

class IDialogService {
  public:
    virtual ~IDialogService() = default;

    // A modal message box; returns the button pressed (for a box closed without a
    // button press: Cancel when offered, else No, else Ok).
    virtual DialogButton ShowMessage(QWidget* parent, MessageKind kind, const QString& text,
                                     DialogButtons buttons) = 0;

    // filter: pairs of description and patterns, all separated by '|', for example
    // "Zarvex Files (*.zarvex)|*.zarvex". Returns the chosen full path, or nothing on cancel.
    virtual std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter) = 0;
    virtual std::optional<QString> GetSaveFileName(QWidget* parent, const QString& filter) = 0;

    // The folder that the following save dialogs start in, for the rest of the run.
    virtual void SetInitialSaveFolder(const QString& folder) { (void)folder; }

    // The next save dialog only opens with path chosen: its folder and its name.
    virtual void SuggestSaveFile(const QString& path) { (void)path; }

    // A question whose answers are the buttons choices, in that order; returns the
    // index of the button pressed, -1 for a box closed without one.
    virtual int AskChoice(QWidget* parent, MessageKind kind, const QString& text,
                          const QStringList& choices) {
        (void)parent, (void)kind, (void)text, (void)choices;
        return -1;
    }

    // The colour dialog, starting from initial; nothing on cancel.
    virtual std::optional<QColor> GetColor(QWidget* parent, const QColor& initial) = 0;
    // The same, telling following each colour the dialog shows while it is open, so that
    // what depends on the colour can follow it before the choice is made.
    virtual std::optional<QColor> GetColorFollowing(
        QWidget* parent, const QColor& initial,
        const std::function<void(const QColor&)>& following) {
        (void)following;
        return GetColor(parent, initial);
    }

    // A modal choice of one of entries (the first is offered); returns its index, or
    // nothing on cancel. A service that asks no one takes the first.
    virtual std::optional<int> ChooseFromList(QWidget* parent, const QString& title,
                                              const QString& label, const QStringList& entries) {
        (void)parent, (void)title, (void)label;
        return entries.isEmpty() ? std::nullopt : std::optional<int>(0);
    }
};

}  // namespace zarvex::ui
