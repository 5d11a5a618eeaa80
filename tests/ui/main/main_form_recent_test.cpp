#include <QDir>
#include <QFile>
#include <QMenu>

#include "model/file_helpers.h"
#include "model/safe_file.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

class RecentFilesMenu : public MainFormFixture {
  protected:
    QStringList Entries() {
        QStringList captions;
        for (QAction* a : Form().findChild<QMenu*>("mnitRecentFiles")->actions())
            captions << a->text();
        return captions;
    }
    void OpenByDialog(const QString& path) {
        dialogs_.AnswerOpen(path);
        Trigger("Open1");
    }
    std::string ListText() { return ReadWholeFile(ToCorePath(Folder() + "state/recentfile.dat")); }
};

TEST_F(RecentFilesMenu, OpensAddEntriesNewestFirstAndSavesDoNot) {
    QStringList paths;
    for (const char* name : {"a.zarvex", "b.zarvex", "c.zarvex", "d.zarvex", "e.zarvex"})
        paths << WriteProject(name, {{0, name}});
    // Empty, the sub-menu is disabled, so that it is never opened empty; it comes back
    // with its first entry.
    QAction* submenu = Form().findChild<QMenu*>("mnitRecentFiles")->menuAction();
    EXPECT_FALSE(submenu->isEnabled());
    for (const QString& p : paths)
        OpenByDialog(p);
    EXPECT_TRUE(submenu->isEnabled());
    EXPECT_EQ(Entries(), (QStringList{"&1 " + paths[4], "&2 " + paths[3], "&3 " + paths[2],
                                      "&4 " + paths[1]}));
    OpenByDialog(paths[2]);
    EXPECT_EQ(Entries()[0], "&1 " + paths[4]) << "a listed path does not move";

    const std::string before = ListText();
    Trigger("Insert1");
    Trigger("Save1");
    dialogs_.AnswerSave(Folder() + "other.zarvex");
    Trigger("Save2");
    EXPECT_EQ(ListText(), before);
}

TEST_F(RecentFilesMenu, AnEntryOpensItsProjectAfterTheSaveQuestion) {
    const QString a = WriteProject("a.zarvex", {{0, "First"}});
    const QString b = WriteProject("b.zarvex", {{0, "Second"}});
    OpenByDialog(a);
    OpenByDialog(b);
    Trigger("Insert1");
    QAction* older = Form().findChild<QMenu*>("mnitRecentFiles")->actions().at(1);
    dialogs_.AnswerMessage(DialogButton::Cancel);
    older->trigger();
    EXPECT_EQ(Form().ProjectFileName(), b);
    dialogs_.AnswerMessage(DialogButton::No);
    older->trigger();
    EXPECT_EQ(Form().ProjectFileName(), a);
    EXPECT_EQ(Form().Agent().Items[0].Text, "First");
}

TEST_F(RecentFilesMenu, ListIsReadAtStartUpWithItsEmptySlots) {
    ASSERT_TRUE(QDir().mkpath(Folder() + "state"));
    QFile list(Folder() + "state/recentfile.dat");
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("\r\n&2 /menus/R&D.zarvex\r\n");
    list.close();
    Recreate();
    EXPECT_EQ(Entries(), QStringList{"&2 /menus/R&&D.zarvex"})
        << "an & in a path is no accelerator";
    const QString y = WriteProject("y.zarvex", {{0, "Y"}});
    OpenByDialog(y);
    EXPECT_EQ(ListText(), "&1 " + ToCorePath(y) + "\r\n&3 /menus/R&D.zarvex\r\n");
    EXPECT_EQ(Entries(), (QStringList{"&1 " + y, "&3 /menus/R&&D.zarvex"}));
}

TEST_F(RecentFilesMenu, AListThatCannotBeWrittenDoesNotFailTheOpen) {
    QFile::remove(Folder() + "state/recentfile.dat");
    ASSERT_TRUE(
        QDir().mkpath(Folder() + "state/recentfile.dat"));  // a folder where the file should be
    const QString a = WriteProject("a.zarvex", {{0, "A"}});
    OpenByDialog(a);
    EXPECT_EQ(Form().ProjectFileName(), a);
    EXPECT_EQ(Form().Agent().Items.size(), 1u);
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(RecentFilesMenu, AVanishedEntryReportsTheErrorAndStaysListed) {
    const QString gone = WriteProject("gone.zarvex", {{0, "G"}});
    OpenByDialog(gone);
    QFile::remove(gone);
    dialogs_.AnswerMessage(DialogButton::Ok);
    Form().findChild<QMenu*>("mnitRecentFiles")->actions().at(0)->trigger();
    EXPECT_EQ(dialogs_.Calls().back().messageKind, MessageKind::Error);
    // A failed open leaves the window as it was.
    EXPECT_EQ(Form().ProjectFileName(), gone);
    EXPECT_EQ(Form().TreeModel().NodeCount(), 2);
    EXPECT_EQ(Entries().size(), 1);
}

}  // namespace
}  // namespace zarvex::ui::testing
