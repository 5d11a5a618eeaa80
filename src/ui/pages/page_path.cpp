// The Path page: the local and web roots that the build swaps in item links.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/pages/page_builders.h"
#include "ui/pages/page_widgets.h"

namespace zarvex::ui {

void BuildPathPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);

    QGridLayout* path = AddGroup(layout, QObject::tr("Path Replacement for Publishing"),
                                 "grpbxPathReplacement", "SpeedButton28", 10);
    QWidget* g = GroupOf(path);
    int row = 0;
    path->addWidget(MakeLabel(g, QObject::tr("Root Directory for Local Computer")), row++, 0);
    path->addWidget(MakeEdit(g, "edt_InternalUse_RootDir_Local"), row++, 0);
    path->addWidget(MakeLabel(g, QObject::tr("Root Directory for Web Server")), row++, 0);
    path->addWidget(MakeEdit(g, "edt_InternalUse_RootDir_Remote"), row++, 0);

    auto* explanation = MakeLabel(
        g, QObject::tr("If item's URL contains either local or web path you specified here, one "
                       "path will be replaced by another depending on the choice below. Local path "
                       "will be replaced by web path for uploading if you need to upload the menu "
                       "to web server to test or publish. "));
    explanation->setObjectName("lblPathExplanation");
    explanation->setWordWrap(true);
    path->addWidget(explanation, row++, 0);
    for (const QString& example : {QObject::tr("Local example: file:///C|/My Web Site/"),
                                   QObject::tr("Web example: http://www.mysite.com/")}) {
        auto* line = MakeLabel(g, example);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        path->addWidget(line, row++, 0);
    }

    auto* local =
        new QRadioButton(QObject::tr("Test on Local Computer (Convert to Local Path)"), g);
    local->setObjectName("rdbtn_InternalUse_RootDir_Local_Checked");
    auto* remote = new QRadioButton(QObject::tr("Upload to Web Server (Convert to Web Path)"), g);
    remote->setObjectName("rdbtn_InternalUse_RootDir_Remote_Checked");
    local->setChecked(true);
    path->addWidget(local, row++, 0);
    path->addWidget(remote, row++, 0);

    layout->addStretch();
}

}  // namespace zarvex::ui
