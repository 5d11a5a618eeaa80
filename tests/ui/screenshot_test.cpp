// A picture of the window with a design open, for the eye: build/screenshots/main_window.png.
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeView>

#include "ui_test_support.h"

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
}

}  // namespace
}  // namespace zarvex::ui::testing
