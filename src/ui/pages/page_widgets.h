// Small makers shared by the page builders: named controls with their hints, group
// boxes with a help button in the top right corner, colour pairs.
#pragma once

#include <QString>
#include <QStringList>

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;
class QWidget;

namespace zarvex::ui {

class ColorPanel;
class IDialogService;

// The name of the dynamic property that carries a help button's tag.
inline constexpr const char* kHelpTagProperty = "tag";

// A group box added to layout, whose grid holds the group's controls; with a help
// button name, a help button carrying tag stands in the group's top right corner.
QGridLayout* AddGroup(QBoxLayout* layout, const QString& caption, const char* groupName,
                      const char* helpButton = nullptr, int tag = 0);
QGroupBox* GroupOf(QGridLayout* grid);

QToolButton* MakeHelpButton(QWidget* parent, const char* name, int tag);
QLabel* MakeLabel(QWidget* parent, const QString& caption);
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& hint = {});
QSpinBox* MakeSpin(QWidget* parent, const char* name, const QString& hint = {},
                   int minimum = -9999);
// A pick-only list, or with editable set a free text with suggestions.
QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& entries, bool editable,
                     const QString& hint = {});
// A "..." button beside a field that opens a file picker.
QToolButton* MakePickerButton(QWidget* parent, const char* name, const QString& hint);
// A colour panel and its "T" (transparent) toggle, named pnl_<field> and spdbtn_<field>,
// placed at row, column and column + 1 of grid.
void AddColorPair(QGridLayout* grid, int row, int column, IDialogService& dialogs,
                  const char* fieldControlName, const QString& panelHint);

void SetHint(QWidget* control, const QString& hint);

}  // namespace zarvex::ui
