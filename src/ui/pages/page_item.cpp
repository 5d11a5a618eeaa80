// The Item page: one item's text, link, target, tooltip and icon.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/pages/page_builders.h"
#include "ui/pages/page_widgets.h"

namespace zarvex::ui {

void BuildItemPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);

    QGridLayout* text = AddGroup(layout, QObject::tr("Text"), "grpbxText", "SpeedButton9", 6);
    QWidget* t = GroupOf(text);
    text->addWidget(MakeLabel(t, QObject::tr("Text")), 0, 0);
    text->addWidget(MakeEdit(t, "edt_Text"), 0, 1);
    auto* separator = new QCheckBox(QObject::tr("Set the Item as a Separator"), t);
    separator->setObjectName("chkbxItemSeparator");
    text->addWidget(separator, 1, 1);
    auto* note = MakeLabel(
        t, QObject::tr("NOTE: set item as separator will make its submenu, text, icon and link "
                       "unavailable."));
    note->setObjectName("lblSeparatorNote");
    note->setWordWrap(true);
    text->addWidget(note, 2, 0, 1, 2);
    text->setColumnStretch(1, 1);

    QGridLayout* link = AddGroup(layout, QObject::tr("Link"), "grpbxLink", "SpeedButton13", 8);
    QWidget* l = GroupOf(link);
    link->addWidget(MakeLabel(l, QObject::tr("URL")), 0, 0);
    link->addWidget(MakeCombo(l, "cmbx_Link",
                              {"http://", "mailto://", "javascript:", "ftp://", "news://"}, true),
                    0, 1);
    link->addWidget(MakePickerButton(l, "spdbtn_cmbx_Link", QObject::tr("Link to a local page")), 0,
                    2);
    link->addWidget(MakeLabel(l, QObject::tr("Target")), 1, 0);
    link->addWidget(MakeCombo(l, "cmbx_Target",
                              {"_self", "_blank", "_parent", "_top", "_search", "_media"}, true),
                    1, 1);
    link->setColumnStretch(1, 1);

    QGridLayout* info = AddGroup(layout, QObject::tr("Info"), "grpbxInfo", "SpeedButton14", 9);
    QWidget* i = GroupOf(info);
    info->addWidget(MakeLabel(i, QObject::tr("Tooltip")), 0, 0);
    info->addWidget(MakeEdit(i, "edt_ToolTip"), 0, 1);
    info->setColumnStretch(1, 1);

    QGridLayout* icon = AddGroup(layout, QObject::tr("Icon"), "grpbxIcon", "SpeedButton2", 7);
    QWidget* c = GroupOf(icon);
    icon->addWidget(MakeLabel(c, QObject::tr("Icon")), 0, 0);
    icon->addWidget(MakeEdit(c, "edt_Icon"), 0, 1);
    icon->addWidget(MakePickerButton(c, "spdbtn_edt_Icon", QObject::tr("Choose an icon image")), 0,
                    2);
    icon->setColumnStretch(1, 1);

    // Present on the page, not offered, without an action.
    auto* batch = new QPushButton(QObject::tr("Batch Properties Changer"), page);
    batch->setObjectName("btnBatchPropertiesChanger");
    layout->addWidget(batch);
    batch->hide();

    layout->addStretch();
}

}  // namespace zarvex::ui
