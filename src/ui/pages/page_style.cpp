// The Style page: cursor, stacking order, icon size, padding, font, the border and the
// text and background colours for the normal, hover and active states.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <iterator>

#include "codegen/css_values.h"
#include "ui/pages/color_panel.h"
#include "ui/pages/page_builders.h"
#include "ui/pages/page_widgets.h"

namespace zarvex::ui {

namespace {

template <std::size_t N>
QStringList Entries(const char* const (&list)[N]) {
    QStringList entries;
    for (const char* entry : list)
        entries << QString::fromLatin1(entry);
    return entries;
}

// Names a control for assistive technology; returns it for chaining into a layout.
template <typename W>
W* Named(W* control, const QString& name) {
    control->setAccessibleName(name);
    return control;
}

// Gives the colour pair for field the accessible names "<what>" and "<what> transparent".
void NameColorPair(QWidget* group, const char* field, const QString& what) {
    group->findChild<QWidget*>(QStringLiteral("pnl_") + QLatin1String(field))
        ->setAccessibleName(what);
    group->findChild<QWidget*>(QStringLiteral("spdbtn_") + QLatin1String(field))
        ->setAccessibleName(QObject::tr("%1 transparent").arg(what));
}

// A group with a text and a background colour pair: "Normal", "Hover", "Active".
void AddColorGroup(QHBoxLayout* row, IDialogService& dialogs, const QString& caption,
                   const char* groupName, const char* textControl, const char* backgroundControl) {
    QGridLayout* grid = AddGroup(row, caption, groupName);
    grid->setColumnMinimumWidth(0, 0);
    QWidget* g = GroupOf(grid);
    grid->addWidget(MakeLabel(g, QObject::tr("Text")), 0, 0);
    AddColorPair(grid, 0, 1, dialogs, textControl, QObject::tr("Text Color"));
    grid->addWidget(MakeLabel(g, QObject::tr("BG")), 1, 0);
    AddColorPair(grid, 1, 1, dialogs, backgroundControl, QObject::tr("Text Color"));
    // Shown by the contrast check while the pair is hard to read.
    auto* note = MakeLabel(g, QString());
    note->setObjectName(QStringLiteral("lblContrast") + QLatin1String(groupName + 5));
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::Link);
    note->hide();
    grid->addWidget(note, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    NameColorPair(g, textControl, QObject::tr("%1 text colour").arg(caption));
    NameColorPair(g, backgroundControl, QObject::tr("%1 background colour").arg(caption));
}

void AddBorderGroup(QVBoxLayout* layout, IDialogService& dialogs) {
    QGridLayout* border =
        AddGroup(layout, QObject::tr("Border"), "grpbxBorder", "SpeedButton3", 18);
    QWidget* b = GroupOf(border);
    // The border's help button has no page of its own.
    b->findChild<QToolButton*>("SpeedButton3")->hide();
    border->addWidget(MakeLabel(b, QObject::tr("Width")), 0, 0);
    border->addWidget(
        Named(MakeSpin(b, "spnedt_MainMenuBorderWidth", QObject::tr("Border-Width"), 0),
              QObject::tr("Border width")),
        0, 1, 1, 2);
    border->addWidget(MakeLabel(b, QObject::tr("Style")), 0, 3);
    border->addWidget(Named(MakeCombo(b, "cmbx_MainMenuBorderStyle", Entries(kBorderStyles), false,
                                      QObject::tr("Border-Style")),
                            QObject::tr("Border style")),
                      0, 4, 1, 2);
    auto* same = new QCheckBox(QObject::tr("Same colour on all sides"), b);
    same->setObjectName(QString::fromLatin1(kSameBorderColorsControl));
    SetHint(same, QObject::tr("One border colour, taken from the top, for all four sides"));
    same->setAccessibleName(QObject::tr("Same border colour on all sides"));
    border->addWidget(same, 1, 0, 1, 6);
    const struct {
        const char* caption;
        const char* control;
        const char* name;
    } edges[] = {{"Top", "MainMenuBorderColorTop", "Top border colour"},
                 {"Right", "MainMenuBorderColorRight", "Right border colour"},
                 {"Bottom", "MainMenuBorderColorBottom", "Bottom border colour"},
                 {"Left", "MainMenuBorderColorLeft", "Left border colour"}};
    for (int i = 0; i < 4; ++i) {
        const int row = 2 + i / 2, column = (i % 2) * 3;
        border->addWidget(MakeLabel(b, QObject::tr(edges[i].caption)), row, column);
        AddColorPair(border, row, column + 1, dialogs, edges[i].control,
                     QObject::tr("Border-Color"));
        NameColorPair(b, edges[i].control, QObject::tr(edges[i].name));
    }
    border->setColumnStretch(1, 1);
    border->setColumnStretch(4, 1);
}

}  // namespace

void BuildStylePage(QWidget* page, IDialogService& dialogs) {
    auto* layout = new QVBoxLayout(page);

    QGridLayout* cursor = AddGroup(layout, QObject::tr("Cursor, Z-Index and Icon"),
                                   "grpbxCursorZIndexIcon", "SpeedButton6", 5);
    QWidget* c = GroupOf(cursor);
    cursor->addWidget(MakeLabel(c, QObject::tr("Cursor")), 0, 0);
    cursor->addWidget(
        Named(MakeCombo(c, "cmbx_MenuCursor", Entries(kCursors), false, QObject::tr("Cursor Type")),
              QObject::tr("Cursor")),
        0, 1);
    cursor->addWidget(MakeLabel(c, QObject::tr("Z-Index")), 0, 2);
    cursor->addWidget(Named(MakeSpin(c, "spnedt_MenuZindex"), QObject::tr("Z-index")), 0, 3);
    cursor->addWidget(MakeLabel(c, QObject::tr("Icon Width")), 1, 0);
    cursor->addWidget(Named(MakeSpin(c, "spnedt_MenuIconWidth", {}, 0), QObject::tr("Icon width")),
                      1, 1);
    cursor->addWidget(MakeLabel(c, QObject::tr("Icon Height")), 1, 2);
    cursor->addWidget(
        Named(MakeSpin(c, "spnedt_MenuIconHeight", {}, 0), QObject::tr("Icon height")), 1, 3);
    cursor->setColumnStretch(1, 1);
    cursor->setColumnStretch(3, 1);

    QGridLayout* padding =
        AddGroup(layout, QObject::tr("Padding"), "grpbxPadding", "SpeedButton1", 3);
    QWidget* p = GroupOf(padding);
    const struct {
        const char* caption;
        const char* control;
        const char* hint;
        const char* name;
    } sides[] = {{"Left", "spnedt_MenuPaddingLeft", "Padding-Left", "Left padding"},
                 {"Top", "spnedt_MenuPaddingTop", "Padding-Top", "Top padding"},
                 {"Bottom", "spnedt_MenuPaddingBottom", "Padding-Bottom", "Bottom padding"},
                 {"Right", "spnedt_MenuPaddingRight", "Padding-Right", "Right padding"}};
    for (int i = 0; i < 4; ++i) {
        const int row = i / 2, column = (i % 2) * 2;
        padding->addWidget(MakeLabel(p, QObject::tr(sides[i].caption)), row, column);
        padding->addWidget(Named(MakeSpin(p, sides[i].control, QObject::tr(sides[i].hint), 0),
                                 QObject::tr(sides[i].name)),
                           row, column + 1);
    }
    padding->setColumnStretch(1, 1);
    padding->setColumnStretch(3, 1);

    QGridLayout* font = AddGroup(layout, QObject::tr("Font"), "grpbxFont", "SpeedButton7", 4);
    QWidget* f = GroupOf(font);
    font->addWidget(MakeLabel(f, QObject::tr("Font")), 0, 0);
    font->addWidget(Named(MakeEdit(f, "edt_MenuFontFamily", QObject::tr("Font Family")),
                          QObject::tr("Font family")),
                    0, 1);
    font->addWidget(MakeLabel(f, QObject::tr("Size")), 0, 2);
    font->addWidget(Named(MakeSpin(f, "spnedt_MenuFontSize", QObject::tr("Font Size"), 1),
                          QObject::tr("Font size")),
                    0, 3);
    font->setColumnStretch(1, 1);

    AddBorderGroup(layout, dialogs);

    auto* states = new QHBoxLayout;
    states->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(states);
    AddColorGroup(states, dialogs, QObject::tr("Normal"), "grpbxNormal", "MenuTextColor",
                  "MenuBackgroundColor");
    AddColorGroup(states, dialogs, QObject::tr("Hover"), "grpbxHover", "MenuTextColorHover",
                  "MenuBackgroundColorHover");
    AddColorGroup(states, dialogs, QObject::tr("Active"), "grpbxActive", "MenuTextColorActive",
                  "MenuBackgroundColorActive");

    // The help buttons are named after their group.
    for (QGroupBox* group : page->findChildren<QGroupBox*>())
        for (QToolButton* help : group->findChildren<QToolButton*>())
            if (help->property(kHelpTagProperty).isValid())
                help->setAccessibleName(QObject::tr("Help on %1").arg(group->title()));

    layout->addStretch();
}

}  // namespace zarvex::ui
