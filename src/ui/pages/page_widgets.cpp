#include "ui/pages/page_widgets.h"

#include <algorithm>

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include "ui/common/app_icons.h"
#include "ui/pages/color_panel.h"
#include "ui/pages/control_binding.h"

namespace zarvex::ui {

void SetHint(QWidget* control, const QString& hint) {
    if (hint.isEmpty())
        return;
    control->setToolTip(hint);
    control->setStatusTip(hint);
}

QGridLayout* AddGroup(QBoxLayout* layout, const QString& caption, const char* groupName,
                      const char* helpButton, int tag) {
    auto* group = new QGroupBox(caption);
    group->setObjectName(QString::fromLatin1(groupName));
    layout->addWidget(group);
    auto* row = new QHBoxLayout(group);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnMinimumWidth(0, 64);  // labels line up from group to group
    row->addLayout(grid, 1);
    // Aligned rather than pushed up by a spacer: a spacer would make the group grow
    // with the page instead of keeping its own height.
    if (helpButton)
        row->addWidget(MakeHelpButton(group, helpButton, tag), 0, Qt::AlignTop);
    return grid;
}

QGroupBox* GroupOf(QGridLayout* grid) {
    return qobject_cast<QGroupBox*>(grid->parentWidget());
}

QToolButton* MakeHelpButton(QWidget* parent, const char* name, int tag) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setProperty(kHelpTagProperty, tag);
    button->setText(QStringLiteral("?"));
    button->setIcon(AppIcon(AppImage::Help));
    button->setAutoRaise(true);
    SetHint(button, QObject::tr("Help on these settings"));
    return button;
}

QLabel* MakeLabel(QWidget* parent, const QString& caption) {
    return new QLabel(caption, parent);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    SetHint(edit, hint);
    return edit;
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, const QString& hint, int minimum) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    SetSpinBounds(spin, minimum);
    spin->setValue(std::max(0, minimum));
    // Never narrower than its widest value needs: a layout short of room cuts it otherwise.
    spin->setMinimumWidth(std::max(70, spin->minimumSizeHint().width()));
    SetHint(spin, hint);
    return spin;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& entries, bool editable,
                     const QString& hint) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(editable);
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    if (editable) {
        // What the user types is what the field gets: no inline completion, and Enter
        // does not add the text to the suggestions.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->setEditText(QString());
    }
    combo->setMaxVisibleItems(12);
    SetHint(combo, hint);
    return combo;
}

QToolButton* MakePickerButton(QWidget* parent, const char* name, const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("..."));
    SetHint(button, hint);
    return button;
}

void AddColorPair(QGridLayout* grid, int row, int column, IDialogService& dialogs,
                  const char* fieldControlName, const QString& panelHint) {
    QWidget* parent = grid->parentWidget();
    auto* panel = new ColorPanel(dialogs, parent);
    panel->setObjectName(QStringLiteral("pnl_") + QLatin1String(fieldControlName));
    SetHint(panel, panelHint);
    auto* transparent = new QToolButton(parent);
    transparent->setObjectName(QStringLiteral("spdbtn_") + QLatin1String(fieldControlName));
    transparent->setText(QStringLiteral("T"));
    transparent->setCheckable(true);
    SetHint(transparent, QObject::tr("Transparent"));
    grid->addWidget(panel, row, column);
    grid->addWidget(transparent, row, column + 1);
}

}  // namespace zarvex::ui
