// The Style page: cursor, stacking order, icon size, padding and font, and the hidden
// border and colour groups whose values still travel with the design.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <iterator>

#include "codegen/css_values.h"
#include "ui/page_builders.h"
#include "ui/page_widgets.h"

namespace zarvex::ui {

namespace {

template <std::size_t N>
QStringList Entries(const char* const (&list)[N]) {
    QStringList entries;
    for (const char* entry : list)
        entries << QString::fromLatin1(entry);
    return entries;
}

// A hidden group with a text and a background colour pair: "Normal", "Hover", "Active".
void AddColorGroup(QVBoxLayout* layout, IDialogService& dialogs, const QString& caption,
                   const char* groupName, const char* textControl, const char* backgroundControl) {
    QGridLayout* grid = AddGroup(layout, caption, groupName);
    QWidget* g = GroupOf(grid);
    grid->addWidget(MakeLabel(g, QObject::tr("Text")), 0, 0);
    AddColorPair(grid, 0, 1, dialogs, textControl, QObject::tr("Text Color"));
    grid->addWidget(MakeLabel(g, QObject::tr("BG")), 0, 3);
    AddColorPair(grid, 0, 4, dialogs, backgroundControl, QObject::tr("Text Color"));
    grid->setColumnStretch(6, 1);
    g->hide();
}

}  // namespace

void BuildStylePage(QWidget* page, IDialogService& dialogs) {
    auto* layout = new QVBoxLayout(page);

    QGridLayout* cursor = AddGroup(layout, QObject::tr("Cursor, Z-Index and Icon"),
                                   "grpbxCursorZIndexIcon", "SpeedButton6", 5);
    QWidget* c = GroupOf(cursor);
    cursor->addWidget(MakeLabel(c, QObject::tr("Cursor")), 0, 0);
    cursor->addWidget(
        MakeCombo(c, "cmbx_MenuCursor", Entries(kCursors), false, QObject::tr("Cursor Type")), 0,
        1);
    cursor->addWidget(MakeLabel(c, QObject::tr("Z-Index")), 0, 2);
    cursor->addWidget(MakeSpin(c, "spnedt_MenuZindex"), 0, 3);
    cursor->addWidget(MakeLabel(c, QObject::tr("Icon Width")), 1, 0);
    cursor->addWidget(MakeSpin(c, "spnedt_MenuIconWidth"), 1, 1);
    cursor->addWidget(MakeLabel(c, QObject::tr("Icon Height")), 1, 2);
    cursor->addWidget(MakeSpin(c, "spnedt_MenuIconHeight"), 1, 3);
    cursor->setColumnStretch(1, 1);
    cursor->setColumnStretch(3, 1);

    QGridLayout* padding =
        AddGroup(layout, QObject::tr("Padding"), "grpbxPadding", "SpeedButton1", 3);
    QWidget* p = GroupOf(padding);
    const struct {
        const char* caption;
        const char* control;
        const char* hint;
    } sides[] = {{"Left", "spnedt_MenuPaddingLeft", "Padding-Left"},
                 {"Top", "spnedt_MenuPaddingTop", "Padding-Top"},
                 {"Bottom", "spnedt_MenuPaddingBottom", "Padding-Bottom"},
                 {"Right", "spnedt_MenuPaddingRight", "Padding-Right"}};
    for (int i = 0; i < 4; ++i) {
        const int row = i / 2, column = (i % 2) * 2;
        padding->addWidget(MakeLabel(p, QObject::tr(sides[i].caption)), row, column);
        padding->addWidget(MakeSpin(p, sides[i].control, QObject::tr(sides[i].hint)), row,
                           column + 1);
    }
    padding->setColumnStretch(1, 1);
    padding->setColumnStretch(3, 1);

    QGridLayout* font = AddGroup(layout, QObject::tr("Font"), "grpbxFont", "SpeedButton7", 4);
    QWidget* f = GroupOf(font);
    font->addWidget(MakeLabel(f, QObject::tr("Font")), 0, 0);
    font->addWidget(MakeEdit(f, "edt_MenuFontFamily", QObject::tr("Font Family")), 0, 1);
    font->addWidget(MakeLabel(f, QObject::tr("Size")), 0, 2);
    font->addWidget(MakeSpin(f, "spnedt_MenuFontSize", QObject::tr("Font Size")), 0, 3);
    font->setColumnStretch(1, 1);

    // Hidden groups: bound to the model, not offered on the window.
    QGridLayout* border =
        AddGroup(layout, QObject::tr("Border"), "grpbxBorder", "SpeedButton3", 18);
    QWidget* b = GroupOf(border);
    border->addWidget(MakeLabel(b, QObject::tr("Width")), 0, 0);
    border->addWidget(MakeSpin(b, "spnedt_MainMenuBorderWidth", QObject::tr("Border-Width")), 0, 1,
                      1, 2);
    border->addWidget(MakeLabel(b, QObject::tr("Style")), 0, 3);
    border->addWidget(MakeCombo(b, "cmbx_MainMenuBorderStyle", Entries(kBorderStyles), false,
                                QObject::tr("Border-Style")),
                      0, 4, 1, 2);
    const struct {
        const char* caption;
        const char* control;
    } edges[] = {{"Left", "MainMenuBorderColorLeft"},
                 {"Top", "MainMenuBorderColorTop"},
                 {"Right", "MainMenuBorderColorRight"},
                 {"Bottom", "MainMenuBorderColorBottom"}};
    for (int i = 0; i < 4; ++i) {
        const int row = 1 + i / 2, column = (i % 2) * 3;
        border->addWidget(MakeLabel(b, QObject::tr(edges[i].caption)), row, column);
        AddColorPair(border, row, column + 1, dialogs, edges[i].control,
                     QObject::tr("Border-Color"));
    }
    b->hide();

    AddColorGroup(layout, dialogs, QObject::tr("Normal"), "grpbxNormal", "MenuTextColor",
                  "MenuBackgroundColor");
    AddColorGroup(layout, dialogs, QObject::tr("Hover"), "grpbxHover", "MenuTextColorHover",
                  "MenuBackgroundColorHover");
    AddColorGroup(layout, dialogs, QObject::tr("Active"), "grpbxActive", "MenuTextColorActive",
                  "MenuBackgroundColorActive");

    layout->addStretch();
}

}  // namespace zarvex::ui
