#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>

#include <sys/wait.h>
#include <unistd.h>

#include "model/file_helpers.h"
#include "model/preorder_tree.h"
#include "model/safe_file.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

const QString kProjectFilter = "Zarvex Files (*.zarvex)|*.zarvex";
const QString kStructureFilter = "General Menu Structure File (*.gms)|*.gms";

class FileCommands : public MainFormFixture {
  protected:
    // A design with one item and unsaved changes.
    void MakeChangedDesign() {
        Trigger("Insert1");
        ASSERT_TRUE(Form().ModifiedFlag());
        ASSERT_EQ(Form().Agent().Items.size(), 1u);
    }
    std::string FileText(const QString& path) { return ReadWholeFile(ToCorePath(path)); }
    // Item lines of a saved project whose text is the default "Item".
    int DefaultItemLines(const QString& path) {
        const std::string text = FileText(path);
        int count = 0;
        for (std::size_t at = text.find("\r\nItem#$@"); at != std::string::npos;
             at = text.find("\r\nItem#$@", at + 1))
            ++count;
        return count;
    }
};

TEST_F(FileCommands, NewWithoutChangesAsksNothing) {
    Trigger("New1");
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_FALSE(Form().ModifiedFlag());
}

TEST_F(FileCommands, NewAsksToSaveAndCancelKeepsTheDesign) {
    MakeChangedDesign();
    dialogs_.AnswerMessage(DialogButton::Cancel);
    Trigger("tlbtnNew");
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text, "Save changes to files?");
    EXPECT_EQ(dialogs_.Calls()[0].messageKind, MessageKind::Warning);
    EXPECT_EQ(dialogs_.Calls()[0].buttons,
              DialogButton::Yes | DialogButton::No | DialogButton::Cancel);
    EXPECT_EQ(Form().Agent().Items.size(), 1u);
    EXPECT_TRUE(Form().ModifiedFlag());
}

TEST_F(FileCommands, NewAnsweredNoDiscardsTheDesign) {
    MakeChangedDesign();
    Form().findChild<QLineEdit*>("edt_MenuName")->setText("Other");
    dialogs_.AnswerMessage(DialogButton::No);
    Trigger("New1");
    EXPECT_TRUE(Form().Agent().Items.empty());
    EXPECT_EQ(Form().TreeModel().NodeCount(), 1);
    EXPECT_EQ(Form().findChild<QLineEdit*>("edt_MenuName")->text(), "MyMenu1");
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_FALSE(Action("Save1")->isEnabled());
    EXPECT_EQ(Form().SelectedNodeIndex(), 0);
}

TEST_F(FileCommands, NewAnsweredYesSavesFirst) {
    MakeChangedDesign();
    dialogs_.AnswerMessage(DialogButton::Yes);
    dialogs_.AnswerSave(Folder() + "first.zarvex");
    Trigger("New1");
    EXPECT_TRUE(QFile::exists(Folder() + "first.zarvex"));
    EXPECT_EQ(DefaultItemLines(Folder() + "first.zarvex"), 1);
    EXPECT_TRUE(Form().Agent().Items.empty());
    EXPECT_TRUE(Form().ProjectFileName().isEmpty());
}

TEST_F(FileCommands, NewAnsweredYesThenSaveDialogCancelledKeepsTheDesign) {
    MakeChangedDesign();
    dialogs_.AnswerMessage(DialogButton::Yes);
    dialogs_.AnswerSave(std::nullopt);
    Trigger("New1");
    EXPECT_EQ(Form().Agent().Items.size(), 1u);
    EXPECT_TRUE(Form().ModifiedFlag());
}

// Images found nowhere are left out of the publish and listed in one warning;
// everything else is saved.
TEST_F(FileCommands, SaveWarnsOfImagesItCouldNotCopy) {
    MakeChangedDesign();
    QFile::remove(Folder() + "arrowr.gif");
    QFile::remove(Folder() + "shadow.png");
    dialogs_.AnswerSave(Folder() + "menu");
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("Save1");
    ASSERT_EQ(dialogs_.MessageTexts().size(), 1);
    const QStringList lines = dialogs_.MessageTexts()[0].split('\n');
    EXPECT_EQ(lines.mid(1), (QStringList{"arrowr.gif", "shadow.png"}));
    EXPECT_TRUE(QFile::exists(Folder() + "menu.zarvex"));
    EXPECT_FALSE(Form().ModifiedFlag());
}

// Images come from the project's folder as it is when the save runs; names that
// lead out of it are never read, and the warning names them with the missing ones.
TEST_F(FileCommands, SaveTakesImagesFromTheProjectAndNamesThoseOutsideIt) {
    QDir().mkpath(Folder() + "site");
    QDir().mkpath(Folder() + "out");
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(Folder() + "site/logo.gif", "logo as opened");
    write(Folder() + "site/arrowr.gif", "own arrow");
    write(Folder() + "secret.png", "not the design's");
    dialogs_.AnswerOpen(WriteProject("site/site.zarvex", {{0, "Home"}, {0, "Mail"}}));
    Trigger("Open1");
    Form().Agent().Items[0].Icon = "logo.gif";
    Form().Agent().Items[1].Icon = ToCorePath(Folder() + "secret.png");
    write(Folder() + "site/logo.gif", "logo as edited");

    dialogs_.AnswerSave(Folder() + "out/menu.zarvex");
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("Save2");
    EXPECT_EQ(FileText(Folder() + "out/logo.gif"), "logo as edited");
    EXPECT_EQ(FileText(Folder() + "out/arrowr.gif"), "own arrow");
    EXPECT_FALSE(QFile::exists(Folder() + "out/secret.png"));
    ASSERT_EQ(dialogs_.MessageTexts().size(), 1);
    EXPECT_TRUE(dialogs_.MessageTexts()[0].endsWith(
        "These files were not copied: they lie outside the project folder.\n" + Folder() +
        "secret.png"))
        << dialogs_.MessageTexts()[0].toStdString();
}

// A name without extension saves as name.zarvex; when that is another design's
// file, the author is asked first, and No writes nothing.
TEST_F(FileCommands, SaveAsksBeforeReplacingAnotherDesignsProjectFile) {
    const QString other = WriteProject("b.zarvex", {{0, "Other"}});
    const std::string before = FileText(other);
    MakeChangedDesign();
    dialogs_.AnswerSave(Folder() + "b");
    dialogs_.AnswerMessage(DialogButton::No);
    Trigger("Save1");
    ASSERT_EQ(dialogs_.MessageTexts().size(), 1);
    EXPECT_TRUE(dialogs_.MessageTexts()[0].contains("\nb.zarvex\n"));
    EXPECT_EQ(FileText(other), before);
    EXPECT_FALSE(QFile::exists(Folder() + "b.html"));
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_TRUE(Form().ProjectFileName().isEmpty());

    dialogs_.AnswerSave(Folder() + "b");
    dialogs_.AnswerMessage(DialogButton::Yes);
    Trigger("Save1");
    EXPECT_EQ(DefaultItemLines(other), 1);
    EXPECT_EQ(Form().ProjectFileName(), other);
}

TEST_F(FileCommands, SaveAsksForANameOnceThenWritesToTheSamePath) {
    MakeChangedDesign();
    dialogs_.AnswerSave(Folder() + "menu");
    Trigger("Save1");
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text, kProjectFilter);
    EXPECT_EQ(Form().ProjectFileName(), Folder() + "menu.zarvex") << "the file written";
    EXPECT_TRUE(QFile::exists(Folder() + "menu.zarvex"));
    EXPECT_TRUE(QFile::exists(Folder() + "menu.html"));
    EXPECT_TRUE(QFile::exists(Folder() + "menu_PublishReport.txt"));
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_FALSE(Action("Save1")->isEnabled());

    Trigger("Insert1");
    Trigger("tlbtnSave");
    EXPECT_EQ(dialogs_.Calls().size(), 1u) << "the second save asks nothing";
    EXPECT_EQ(DefaultItemLines(Folder() + "menu.zarvex"), 2);
}

TEST_F(FileCommands, SaveCancelledInItsDialogChangesNothing) {
    MakeChangedDesign();
    dialogs_.AnswerSave(std::nullopt);
    Trigger("Save1");
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_TRUE(Form().ProjectFileName().isEmpty());
}

TEST_F(FileCommands, SaveCommitsThePages) {
    Form().findChild<QLineEdit*>("edt_MenuName")->setText("  Main  ");
    dialogs_.AnswerSave(Folder() + "m.zarvex");
    Trigger("Save1");
    EXPECT_EQ(Form().Agent().MenuParameters.MenuName, "Main");
}

TEST_F(FileCommands, AFailedSaveIsReportedAndTheDesignStaysChanged) {
    MakeChangedDesign();
    dialogs_.AnswerSave(Folder() + "no/such/folder/menu.zarvex");
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("Save1");
    ASSERT_EQ(dialogs_.Calls().size(), 2u);
    EXPECT_EQ(dialogs_.Calls()[1].messageKind, MessageKind::Error);
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_TRUE(Form().ProjectFileName().isEmpty());
}

TEST_F(FileCommands, SaveAsKeepsTheChangedFlagAndExitStillAsks) {
    MakeChangedDesign();
    dialogs_.AnswerSave(Folder() + "copy.zarvex");
    Trigger("Save2");
    EXPECT_TRUE(QFile::exists(Folder() + "copy.zarvex"));
    EXPECT_EQ(Form().ProjectFileName(), Folder() + "copy.zarvex");
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_TRUE(Action("Save1")->isEnabled());

    dialogs_.AnswerMessage(DialogButton::Cancel);
    EXPECT_FALSE(Form().close());
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{"Save changes to files before Exit?"});
}

TEST_F(FileCommands, SaveAsCancelledChangesNothing) {
    dialogs_.AnswerSave(std::nullopt);
    Trigger("Save2");
    EXPECT_TRUE(Form().ProjectFileName().isEmpty());
    EXPECT_FALSE(Form().ModifiedFlag());
}

TEST_F(FileCommands, OpenLoadsTheProjectAndShowsTheRoot) {
    const QString path = WriteProject("site.zarvex", {{0, "Home"}, {1, "News"}, {0, "About"}});
    dialogs_.AnswerOpen(path);
    Trigger("Open1");
    EXPECT_EQ(dialogs_.Calls()[0].text, kProjectFilter);
    EXPECT_EQ(Form().ProjectFileName(), path);
    ASSERT_EQ(Form().TreeModel().NodeCount(), 4);
    EXPECT_EQ(Form().TreeModel().Caption(1), "Home");
    EXPECT_EQ(Form().TreeModel().NodeLevel(2), 2);
    EXPECT_EQ(Form().TreeModel().Caption(3), "About");
    EXPECT_EQ(Form().SelectedNodeIndex(), 0);
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_FALSE(Form().TreeRebuilding());
    EXPECT_EQ(Form().findChild<QTabWidget*>("pgcntrl1")->currentWidget()->objectName(),
              "tbshtScript");
    EXPECT_EQ(FileText(Folder() + "state/recentfile.dat"), "&1 " + ToCorePath(path) + "\r\n");
}

TEST_F(FileCommands, OpenAsksToSaveFirst) {
    const QString path = WriteProject("site.zarvex", {{0, "Home"}});
    MakeChangedDesign();
    dialogs_.AnswerMessage(DialogButton::Cancel);
    Trigger("Open1");
    EXPECT_EQ(Form().Agent().Items[0].Text, "Item");

    dialogs_.AnswerMessage(DialogButton::No);
    dialogs_.AnswerOpen(std::nullopt);
    Trigger("tlbtnOpen");
    EXPECT_EQ(Form().Agent().Items[0].Text, "Item") << "a cancelled dialog keeps the design";

    dialogs_.AnswerMessage(DialogButton::Yes);
    dialogs_.AnswerSave(Folder() + "before.zarvex");
    dialogs_.AnswerOpen(path);
    Trigger("Open1");
    EXPECT_TRUE(QFile::exists(Folder() + "before.zarvex"));
    EXPECT_EQ(Form().Agent().Items[0].Text, "Home");
    EXPECT_EQ(Form().ProjectFileName(), path);
}

// The readers change nothing before the whole file passed: a refused file leaves the
// window as it was, its design, its path and its history.
TEST_F(FileCommands, ARefusedFileLeavesTheWindowAsItWasAndIsNotRemembered) {
    const QString good = WriteProject("good.zarvex", {{0, "Home"}});
    dialogs_.AnswerOpen(good);
    Trigger("Open1");
    ASSERT_EQ(Form().ProjectFileName(), good);

    QFile bad(Folder() + "bad.zarvex");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a project\r\n");
    bad.close();
    dialogs_.AnswerOpen(bad.fileName());
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("Open1");
    ASSERT_EQ(dialogs_.MessageTexts().size(), 1);
    EXPECT_TRUE(dialogs_.MessageTexts()[0].contains("bad.zarvex"));
    EXPECT_EQ(Form().ProjectFileName(), good);
    ASSERT_EQ(Form().Agent().Items.size(), 1u);
    EXPECT_EQ(Form().Agent().Items[0].Text, "Home");
    EXPECT_EQ(Form().TreeModel().NodeCount(), 2);
    EXPECT_FALSE(Form().TreeRebuilding());
    EXPECT_EQ(Form().SelectedNodeIndex(), 0);
    EXPECT_EQ(FileText(Folder() + "state/recentfile.dat"), "&1 " + ToCorePath(good) + "\r\n");
}

// A save killed while it rewrote the project in place (a file with a second name)
// left it cut short and the complete text beside it: opening names where that lies
// and, asked to, opens it; Save then puts it in place and the copy goes. Declined,
// the file is refused as any damaged file is.
TEST_F(FileCommands, AProjectCutShortByAStoppedSaveOffersTheCompleteTextBesideIt) {
    const QString path = WriteProject("cut.zarvex", {{0, "Home"}, {1, "News"}, {0, "About"}});
    const std::string whole = FileText(path);
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const QString copy =
        Folder() + QStringLiteral(".cut.zarvex.~%1-0").arg(static_cast<qulonglong>(gone), 0, 16);
    // Cut first: a complete write of the file would sweep the killed writer's copy away.
    WriteFileSafely(ToCorePath(path), whole.substr(0, whole.size() / 2));
    WriteFileSafely(ToCorePath(copy), whole);

    dialogs_.AnswerOpen(path);
    dialogs_.AnswerMessage(DialogButton::No);
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("Open1");
    ASSERT_EQ(dialogs_.MessageTexts().size(), 2);
    EXPECT_EQ(Form().Agent().Items.size(), 0u);

    dialogs_.Reset();
    dialogs_.AnswerOpen(path);
    dialogs_.AnswerMessage(DialogButton::Yes);
    Trigger("Open1");
    ASSERT_EQ(dialogs_.MessageTexts().size(), 1);
    EXPECT_TRUE(dialogs_.MessageTexts()[0].contains(copy))
        << dialogs_.MessageTexts()[0].toStdString();
    EXPECT_TRUE(dialogs_.MessageTexts()[0].startsWith(path)) << "the reader's reason first";
    EXPECT_EQ(Form().ProjectFileName(), path);
    ASSERT_EQ(Form().TreeModel().NodeCount(), 4);
    EXPECT_TRUE(Form().ModifiedFlag());

    Trigger("Save1");
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_FALSE(QFile::exists(copy));
    TkavoAppletAgent reader;
    PreorderTree tree;
    reader.LoadProjectFile(ToCorePath(path), tree);
    EXPECT_EQ(reader.Items.size(), 3u);
}

// The preview folder holds the images the next save publishes: only an open that
// goes ahead, or leaving the program, clears it.
TEST_F(FileCommands, StagedImagesSurviveCancelledOpensAndACancelledExit) {
    QDir().mkpath(Folder() + "site");
    QFile image(Folder() + "site/arrowr.gif");
    ASSERT_TRUE(image.open(QIODevice::WriteOnly));
    image.write("GIF89a");
    image.close();
    dialogs_.AnswerOpen(WriteProject("site/site.zarvex", {{0, "Home"}}));
    Trigger("Open1");
    const QString staged = FromCorePath(Form().Agent().PreviewFolder()) + "arrowr.gif";
    ASSERT_TRUE(QFile::exists(staged));

    dialogs_.AnswerOpen(std::nullopt);
    Trigger("Open1");
    dialogs_.AnswerOpen(std::nullopt);
    Trigger("ImportMenuStructure1");
    EXPECT_TRUE(QFile::exists(staged));

    Form().MarkChanged();
    dialogs_.AnswerMessage(DialogButton::Cancel);
    EXPECT_FALSE(Form().close());
    EXPECT_TRUE(QFile::exists(staged));
    dialogs_.AnswerMessage(DialogButton::No);
    EXPECT_TRUE(Form().close());
    EXPECT_FALSE(QFile::exists(staged));
}

TEST_F(FileCommands, CloseWithoutChangesAsksNothing) {
    EXPECT_TRUE(Form().close());
    EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(FileCommands, CloseQuestionCancelKeepsTheWindowOpen) {
    MakeChangedDesign();
    dialogs_.AnswerMessage(DialogButton::Cancel);
    EXPECT_FALSE(Form().close());
    EXPECT_EQ(dialogs_.Calls()[0].text, "Save changes to files before Exit?");
    EXPECT_EQ(dialogs_.Calls()[0].messageKind, MessageKind::Warning);
    EXPECT_TRUE(Form().ModifiedFlag());
}

TEST_F(FileCommands, CloseQuestionNoClosesWithoutSaving) {
    MakeChangedDesign();
    dialogs_.AnswerMessage(DialogButton::No);
    EXPECT_TRUE(Form().close());
    EXPECT_EQ(dialogs_.Calls().size(), 1u);
}

TEST_F(FileCommands, CloseQuestionYesSavesToTheProjectAndCloses) {
    MakeChangedDesign();
    dialogs_.AnswerSave(Folder() + "p.zarvex");
    Trigger("Save1");
    Trigger("Insert1");
    dialogs_.AnswerMessage(DialogButton::Yes);
    EXPECT_TRUE(Form().close());
    EXPECT_EQ(DefaultItemLines(Folder() + "p.zarvex"), 2);
}

TEST_F(FileCommands, CloseQuestionYesAsksForANameAndStaysOpenOnCancel) {
    MakeChangedDesign();
    dialogs_.AnswerMessage(DialogButton::Yes);
    dialogs_.AnswerSave(std::nullopt);
    EXPECT_FALSE(Form().close());
    dialogs_.AnswerMessage(DialogButton::Yes);
    dialogs_.AnswerSave(Folder() + "last.zarvex");
    EXPECT_TRUE(Form().close());
    EXPECT_TRUE(QFile::exists(Folder() + "last.zarvex"));
}

TEST_F(FileCommands, ExitRunsTheCloseQuestion) {
    Form().show();
    MakeChangedDesign();
    dialogs_.AnswerMessage(DialogButton::No);
    Trigger("Exit1");
    EXPECT_FALSE(Form().isVisible());
}

TEST_F(FileCommands, ExportAddsTheExtensionOnlyWhenMissing) {
    MakeChangedDesign();
    dialogs_.AnswerSave(Folder() + "menu");
    Trigger("ExportMenuStructure1");
    EXPECT_EQ(dialogs_.Calls()[0].text, kStructureFilter);
    EXPECT_TRUE(QFile::exists(Folder() + "menu.gms"));
    dialogs_.AnswerSave(Folder() + "menu.GMS");
    Trigger("ExportMenuStructure1");
    EXPECT_TRUE(QFile::exists(Folder() + "menu.GMS"));
    EXPECT_FALSE(QFile::exists(Folder() + "menu.GMS.gms"));
    EXPECT_TRUE(Form().ModifiedFlag()) << "export leaves the changed flag alone";
}

TEST_F(FileCommands, ImportKeepsTheProjectSoSaveWritesToIt) {
    const QString project = WriteProject("proj.zarvex", {{0, "Old"}});
    dialogs_.AnswerOpen(project);
    Trigger("Open1");
    Trigger("Insert1");
    Trigger("Insert1");
    dialogs_.AnswerSave(Folder() + "two.gms");
    Trigger("ExportMenuStructure1");

    dialogs_.AnswerMessage(DialogButton::No);
    dialogs_.AnswerOpen(Folder() + "two.gms");
    Trigger("ImportMenuStructure1");
    EXPECT_EQ(dialogs_.Calls().back().text, kStructureFilter);
    EXPECT_EQ(Form().Agent().Items.size(), 3u);
    EXPECT_EQ(Form().TreeModel().NodeCount(), 4);
    EXPECT_EQ(Form().ProjectFileName(), project);
    EXPECT_FALSE(Form().ModifiedFlag());

    Trigger("Insert1");
    Trigger("Save1");
    EXPECT_EQ(DefaultItemLines(project), 3);
}

}  // namespace
}  // namespace zarvex::ui::testing
