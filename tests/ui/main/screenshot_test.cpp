// Pictures of the window for the eye, in build/screenshots: a design open, its menus, an
// item renamed in place, the Style page warning about a hard-to-read colour pair and the
// Web Page page.
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include "ui/pages/property_pages.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

using Screenshot = MainFormFixture;

TEST_F(Screenshot, MainWindowWithADesignOpen) {
    const QString path = WriteProject("site.zarvex", {{0, "Home"},
                                                      {0, "Products"},
                                                      {1, "Hardware"},
                                                      {2, "Routers"},
                                                      {2, "Switches"},
                                                      {1, "Software"},
                                                      {0, "Support"},
                                                      {1, "Downloads"},
                                                      {1, "Contact"},
                                                      {0, "About"}});
    dialogs_.AnswerOpen(path);
    Trigger("Open1");
    auto* tree = Form().findChild<QTreeView*>("trvwDesignPanel");
    tree->expandAll();
    Select(3);
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    const QImage shot = Form().grab().toImage();
    EXPECT_EQ(shot.size(), Form().size() * Form().devicePixelRatio());
    const QString folder = QStringLiteral(ZARVEX_APP_DIR "/../screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(shot.save(folder + "/main_window.png"));

    // The Item menu and the tree's pop-up menu with the tree commands and their keys, and
    // the Edit menu saying what it undoes.
    Trigger("Insert1");
    for (const char* name : {"Item1", "PopupMenu1", "Edit1"}) {
        auto* menu = Form().findChild<QMenu*>(name);
        ASSERT_NE(menu, nullptr) << name;
        menu->popup(Form().mapToGlobal(QPoint(40, 40)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        EXPECT_TRUE(menu->grab().toImage().save(folder + "/menu_" + name + ".png"));
        menu->close();
    }

    // An item being renamed in place.
    Select(2);
    tree->setFocus();
    Trigger("Rename1");
    auto* editor = Form().findChild<QLineEdit*>("edtRenameItem");
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, "Catalogue");
    EXPECT_TRUE(Form().grab().toImage().save(folder + "/rename_in_place.png"));
    QTest::keyClick(editor, Qt::Key_Escape);

    // The Style page warning about black text on a dark background.
    Select(0);
    Form().Pages().Widget()->setCurrentWidget(Form().findChild<QWidget*>("tbshtStyle"));
    TAppletData d = Form().Agent().GetMenuParameters();
    d.TextColor = "000000";
    d.BackgroundColor = "111827";
    Form().Agent().SetMenuParameters(d);
    Form().Pages().ShowMenuParameters();
    QTest::qWait(50);
    EXPECT_TRUE(Form().findChild<QWidget*>("lblContrastNormal")->isVisible());
    EXPECT_TRUE(Form().grab().toImage().save(folder + "/style_contrast_warning.png"));

    // The Web Page page with site navigation chosen and a collapse width given.
    Form().Pages().Widget()->setCurrentWidget(Form().findChild<QWidget*>("tbshtWebPage"));
    WebPageOptions web;
    web.pattern = NavigationPattern::SiteNavigation;
    web.collapse = CollapseRule::BelowWidth;
    web.collapseWidth = 480;
    web.markCurrentPage = true;
    web.openDelay = 120;
    Form().Pages().ShowWebPage(web);
    QTest::qWait(50);
    EXPECT_TRUE(Form().grab().toImage().save(folder + "/web_page_page.png"));
}

}  // namespace
}  // namespace zarvex::ui::testing
