// The Build HTML command: the no-item message, the commit and build, the code view
// shown modally with the snippet, and its Copy to Clipboard.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "model/file_helpers.h"
#include "model/preorder_tree.h"
#include "ui/dialogs/form_html.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

const QString kNoItem = "No item to build. Please add item to left pane and try again.";

class BuildHtml : public MainFormFixture {
  protected:
    // Triggers the command; while its modal window is up, look runs on it and then
    // closes it. Returns whether a modal window came up.
    bool TriggerAndLook(const char* action, const std::function<void(QWidget*)>& look) {
        bool shown = false;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                shown = true;
                look(modal);
                if (modal->isVisible())
                    modal->close();
                poll.stop();
            }
        });
        poll.start();
        Trigger(action);
        return shown;
    }
    void Open(const std::vector<std::pair<int, QString>>& items) {
        dialogs_.AnswerOpen(WriteProject("b.zarvex", items));
        Trigger("Open1");
    }
};

TEST_F(BuildHtml, WithoutItemsTellsSoAndShowsNoView) {
    dialogs_.AnswerMessage(DialogButton::Ok);
    EXPECT_FALSE(TriggerAndLook("BuildHTML1", [](QWidget*) {}));
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{kNoItem});
    EXPECT_EQ(dialogs_.Calls().front().messageKind, MessageKind::Error);
    EXPECT_FALSE(QFile::exists(Folder() + "MyMenu1.css"));
}

TEST_F(BuildHtml, BuildsTheCommittedDesignAndCopiesTheWholeText) {
    Open({{0, "Home"}, {0, "Products"}, {1, "Hardware"}});
    // What the pages show is committed first.
    Form().findChild<QLineEdit*>("edt_MenuName")->setText("Nav");
    QString shown;
    EXPECT_TRUE(TriggerAndLook("tlbtnBuildHTML", [&](QWidget*) {
        shown = Form().CodeView().Text();
        Form().CodeView().findChild<QPushButton*>("Button2")->click();
    }));
    EXPECT_TRUE(dialogs_.MessageTexts().isEmpty());
    EXPECT_TRUE(shown.contains("Hardware")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Nav.css")) << shown.toStdString();
    EXPECT_FALSE(shown.contains('\r'));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    EXPECT_TRUE(QFile::exists(Folder() + "Nav.css"));
    EXPECT_TRUE(QFile::exists(Folder() + "Navcfg.js"));
    EXPECT_EQ(Form().Agent().GetMenuParameters().ListId, "Nav_ul");
    // The scratch file is gone, and never was in the current folder.
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("~tmp0001.txt")));
    EXPECT_FALSE(QFile::exists(Folder() + "~tmp0001.txt"));

    // A later build with nothing to build shows the message only; the view keeps its text.
    dialogs_.AnswerMessage(DialogButton::Yes);  // "Are you sure ..." for each delete
    dialogs_.AnswerMessage(DialogButton::Yes);
    Select(1);
    Trigger("Delete1");
    Select(1);
    Trigger("Delete1");
    ASSERT_EQ(Form().TreeModel().NodeCount(), 1);
    dialogs_.AnswerMessage(DialogButton::Ok);
    EXPECT_FALSE(TriggerAndLook("BuildHTML1", [](QWidget*) {}));
    EXPECT_EQ(Form().CodeView().Text(), shown);
}

// Fields the pages take while they are typed but no page can be built from: a
// reserved word as the menu name (before its edit finishes), a font list that would
// end its CSS rule. Building, previewing and publishing refuse them with the core
// check's message; Save refuses too, since the reader would refuse the file: the
// project saved before stays as it was and still opens.
TEST_F(BuildHtml, AFieldTheBuildRefusesIsNamedAndSaveWritesNothing) {
    const struct {
        const char* control;
        const char* text;
        const char* message;
    } cases[] = {
        {"edt_MenuName", "class",
         "Cannot build the menu: MenuName: 'class' is a word the script language keeps for "
         "itself."},
        {"edt_MenuFontFamily", "a;}body{display:none",
         "Cannot build the menu: FontFamily: 'a;}body{display:none' is not a list of font names"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        dialogs_.Reset();
        Trigger("New1");
        Trigger("Insert1");
        Select(0);
        const QString project = Folder() + "kept.zarvex";
        QFile::remove(project);
        dialogs_.AnswerSave(project);
        Trigger("Save1");
        const std::string saved = ReadWholeFile(ToCorePath(project));
        for (const QString& derived : QDir(Folder()).entryList({"*.html", "*.css", "*cfg.js"}))
            QFile::remove(Folder() + derived);
        Form().findChild<QLineEdit*>(c.control)->setText(c.text);
        EXPECT_EQ(dialogs_.MessageTexts(), QStringList{}) << "refused while typing";
        for (const char* command : {"BuildHTML1", "Preview1", "Publish1"}) {
            SCOPED_TRACE(command);
            dialogs_.Reset();
            dialogs_.AnswerMessage(DialogButton::Ok);
            EXPECT_FALSE(TriggerAndLook(command, [](QWidget*) {}));
            ASSERT_EQ(dialogs_.MessageTexts().size(), 1);
            EXPECT_TRUE(dialogs_.MessageTexts()[0].startsWith(c.message))
                << dialogs_.MessageTexts()[0].toStdString();
        }
        const QString why = QString(c.message).mid(QString("Cannot build the menu: ").size());
        for (const char* command : {"Save1", "Save2"}) {
            SCOPED_TRACE(command);
            dialogs_.Reset();
            dialogs_.AnswerMessage(DialogButton::Ok);
            Trigger(command);
            ASSERT_EQ(dialogs_.MessageTexts().size(), 1);
            EXPECT_TRUE(dialogs_.MessageTexts()[0].startsWith("Cannot save the design: " + why))
                << dialogs_.MessageTexts()[0].toStdString();
            EXPECT_EQ(ReadWholeFile(ToCorePath(project)), saved);
            EXPECT_TRUE(Form().ModifiedFlag());
        }
        EXPECT_EQ(QDir(Folder()).entryList({"*.html", "*.css", "*cfg.js"}, QDir::Files),
                  QStringList{});
        TkavoAppletAgent reader;
        PreorderTree tree;
        EXPECT_NO_THROW(reader.LoadProjectFile(ToCorePath(project), tree));
        EXPECT_TRUE(shell_.requests.empty());
        Form().MarkUnchanged();
    }
}

}  // namespace
}  // namespace zarvex::ui::testing
