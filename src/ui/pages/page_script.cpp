// The Script page: the menu's name and orientation, and its behaviour.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/pages/page_builders.h"
#include "ui/pages/page_widgets.h"

namespace zarvex::ui {

namespace {

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption) {
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QString::fromLatin1(name));
    return check;
}

}  // namespace

void BuildScriptPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);

    QGridLayout* general =
        AddGroup(layout, QObject::tr("General"), "grpbxGeneral", "SpeedButton4", 1);
    QWidget* g = GroupOf(general);
    general->addWidget(MakeLabel(g, QObject::tr("Name")), 0, 0);
    general->addWidget(MakeEdit(g, "edt_MenuName"), 0, 1, 1, 2);
    general->addWidget(MakeLabel(g, QObject::tr("Type")), 1, 0);
    general->addWidget(
        MakeCombo(g, "cmbx_Vertical", {QObject::tr("Horizontal"), QObject::tr("Vertical")}, false),
        1, 1);
    general->setColumnStretch(1, 1);
    general->setColumnStretch(2, 1);

    QGridLayout* misc = AddGroup(layout, QObject::tr("Misc."), "grpbxMisc", "SpeedButton5", 2);
    QWidget* m = GroupOf(misc);
    auto* waitRow = new QHBoxLayout;
    waitRow->addWidget(MakeLabel(m, QObject::tr("Wait ")));
    waitRow->addWidget(MakeSpin(m, "spnedt_DelayClose"));
    waitRow->addWidget(MakeLabel(m, QObject::tr("millisecond(s) before closing submenu(s).")));
    waitRow->addStretch();
    misc->addLayout(waitRow, 0, 0);
    misc->addWidget(MakeCheck(m, "chkbx_Tooltips", QObject::tr("Show Tooltips")), 1, 0);
    misc->addWidget(MakeCheck(m, "chkbx_ShadowsEnabled", QObject::tr("Show Shadow")), 2, 0);
    misc->addWidget(MakeCheck(m, "chkbx_ClickToOpen",
                              QObject::tr("Open submenu when clicking rather than hovering ")),
                    3, 0);

    // Bound but not offered: the blink count travels between model, files and build.
    auto* blinkRow = new QWidget(page);
    blinkRow->setObjectName("pnlBlinkRow");
    auto* blink = new QHBoxLayout(blinkRow);
    blink->setContentsMargins(0, 0, 0, 0);
    blink->addWidget(MakeLabel(blinkRow, QObject::tr("Blink")));
    blink->addWidget(MakeSpin(blinkRow, "spnedt_BlinkTimes"));
    blink->addWidget(MakeLabel(blinkRow, QObject::tr("times when item be clicked.")));
    blink->addStretch();
    layout->addWidget(blinkRow);
    blinkRow->hide();

    layout->addStretch();
}

}  // namespace zarvex::ui
