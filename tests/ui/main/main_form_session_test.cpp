// The window keeps the author's work: from other writers of the project file, from
// read-only files and shipped templates, and from a session that ends without a
// save (recovery copies); and it keeps its own look between runs.
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QTimer>
#include <QToolBar>

#include "model/file_helpers.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

const QString kProjectFilter = "Zarvex Files (*.zarvex)|*.zarvex";

class WindowSession : public MainFormFixture {
  protected:
    // A saved project of one item, open and then changed (a second item).
    QString OpenAndChange() {
        const QString path = WriteProject("p.zarvex", {{0, "Mine"}});
        Form().OpenProjectByName(path);
        Trigger("Insert1");
        EXPECT_TRUE(Form().ModifiedFlag());
        return path;
    }
    static std::string Text(const QString& path) { return ReadWholeFile(ToCorePath(path)); }
    QStringList RecoveryFiles() const {
        return QDir(Folder() + "state/recovery").entryList({"*.zarvex"}, QDir::Files);
    }
};

TEST_F(WindowSession, AProjectChangedOnDiskIsNotOverwrittenUnasked) {
    struct Row {
        int answer;  // Reload, Overwrite, Save As, or the box closed
        bool keepsTheirs;
        std::size_t itemsAfter;
    };
    for (const Row& row : {Row{-1, true, 2}, Row{0, true, 3}, Row{1, false, 2}, Row{2, true, 2}}) {
        SCOPED_TRACE(row.answer);
        const QString path = OpenAndChange();
        // Another writer's version, three items.
        WriteProject("p.zarvex", {{0, "Theirs"}, {0, "Too"}, {0, "Three"}});
        const std::string theirs = Text(path);
        dialogs_.AnswerChoice(row.answer);
        if (row.answer == 2)
            dialogs_.AnswerSave(Folder() + "copy.zarvex");
        Trigger("Save1");
        EXPECT_EQ(Text(path) == theirs, row.keepsTheirs);
        EXPECT_EQ(Form().Agent().Items.size(), row.itemsAfter);
        if (row.answer == 2) {
            EXPECT_EQ(dialogs_.suggestedSaveFile, path) << "Save As starts from the project's name";
            EXPECT_EQ(Form().ProjectFileName(), Folder() + "copy.zarvex");
        }
        Form().MarkUnchanged();
    }
    // Saved here last: Save asks nothing.
    const QString path = OpenAndChange();
    Trigger("Save1");
    Trigger("Insert1");
    Trigger("Save1");
    EXPECT_EQ(dialogs_.Calls().size(), 4u + 1u);
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_EQ(Form().ProjectFileName(), path);
}

TEST_F(WindowSession, AReadOnlyProjectSavesThroughSaveAsWithItsNameFilledIn) {
    const QString path = OpenAndChange();
    const std::string before = Text(path);
    ::chmod(ToCorePath(path).c_str(), 0444);
    dialogs_.AnswerSave(std::nullopt);
    Trigger("Save1");
    EXPECT_EQ(dialogs_.suggestedSaveFile, path);
    EXPECT_TRUE(Form().ModifiedFlag()) << "nothing saved";
    const QString copy = Folder() + "mine.zarvex";
    dialogs_.AnswerSave(copy);
    Trigger("Save1");
    EXPECT_EQ(Form().ProjectFileName(), copy);
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_EQ(Text(path), before);
}

TEST_F(WindowSession, AShippedTemplateOrSampleOpensAsANewDesignEvenWhenWritable) {
    for (const QString& name :
         {QStringLiteral("templates/t/t.zarvex"), QStringLiteral("samples/s.zarvex")}) {
        QDir().mkpath(QFileInfo(Folder() + name).absolutePath());
        const QString path = WriteProject(name, {{0, "Shipped"}});
        const std::string before = Text(path);
        Form().OpenProjectByName(path);
        EXPECT_EQ(Form().ProjectFileName(), "");
        EXPECT_TRUE(Form().ModifiedFlag());
        dialogs_.AnswerSave(Folder() + "new.zarvex");
        Trigger("Save1");  // Ctrl+S
        EXPECT_EQ(Text(path), before) << name.toStdString();
        Form().MarkUnchanged();
    }
}

TEST_F(WindowSession, UnsavedChangesLiveInARecoveryCopyUntilSavedOrDiscarded) {
    EXPECT_EQ(Form().RecoveryTimer().interval(), 30000);
    const QString path = OpenAndChange();
    EXPECT_TRUE(Form().RecoveryTimer().isActive());
    Form().WriteRecoveryCopy();
    EXPECT_EQ(RecoveryFiles().size(), 1);
    Trigger("Save1");
    EXPECT_TRUE(RecoveryFiles().isEmpty()) << "saved";
    EXPECT_FALSE(Form().RecoveryTimer().isActive());

    // A window that ends by a signal keeps the copy, without a question, and the next
    // start offers it: the design comes back, unsaved, belonging to its project.
    Trigger("Insert1");
    Trigger("Insert1");
    Form().EndOnSignal();
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(RecoveryFiles().size(), 1);
    Recreate();
    dialogs_.AnswerChoice(0);
    EXPECT_TRUE(Form().OfferRecovery());
    EXPECT_EQ(Form().Agent().Items.size(), 4u);
    EXPECT_EQ(Form().ProjectFileName(), path);
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_EQ(RecoveryFiles().size(), 1) << "the new session's own copy only";

    // Discarded at the close question, or declined at the start: gone for good.
    dialogs_.AnswerMessage(DialogButton::No);
    EXPECT_TRUE(Form().close());
    EXPECT_TRUE(RecoveryFiles().isEmpty());
    Trigger("Insert1");
    Form().WriteRecoveryCopy();
    Recreate();
    dialogs_.AnswerChoice(1);
    EXPECT_FALSE(Form().OfferRecovery());
    EXPECT_TRUE(RecoveryFiles().isEmpty());
    EXPECT_FALSE(Form().OfferRecovery()) << "nothing left to offer";
}

TEST_F(WindowSession, KeysLookAndBarsAreKeptAsDesktopsExpect) {
    EXPECT_EQ(Action("Topic1")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(Action("Exit1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    Trigger("ToolBar1");
    Trigger("StatusBar2");
    Form().resize(1000, 700);
    EXPECT_TRUE(Form().close());
    Recreate();
    EXPECT_FALSE(Action("ToolBar1")->isChecked());
    EXPECT_FALSE(Action("StatusBar2")->isChecked());
    EXPECT_TRUE(Form().findChild<QToolBar*>("tlbr1")->isHidden());
    EXPECT_EQ(Form().size(), QSize(1000, 700));
}

}  // namespace
}  // namespace zarvex::ui::testing
