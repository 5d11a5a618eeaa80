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

#include "ui/form_html.h"
#include "ui_test_support.h"

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

TEST_F(BuildHtml, WithoutItemsTellsSoAndShowsTheEmptyView) {
    dialogs_.AnswerMessage(DialogButton::Ok);
    QString text = "unset";
    EXPECT_TRUE(TriggerAndLook("BuildHTML1", [&](QWidget* w) {
        ASSERT_EQ(w, &Form().CodeView());
        text = Form().CodeView().Text();
    }));
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{kNoItem});
    EXPECT_EQ(dialogs_.Calls().front().messageKind, MessageKind::Error);
    EXPECT_EQ(text, "");
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

    // The view keeps the last build's text when the next one has nothing to build.
    dialogs_.AnswerMessage(DialogButton::Yes);  // "Are you sure ..." for each delete
    dialogs_.AnswerMessage(DialogButton::Yes);
    Select(1);
    Trigger("Delete1");
    Select(1);
    Trigger("Delete1");
    ASSERT_EQ(Form().TreeModel().NodeCount(), 1);
    dialogs_.AnswerMessage(DialogButton::Ok);
    QString again;
    EXPECT_TRUE(TriggerAndLook("BuildHTML1", [&](QWidget*) { again = Form().CodeView().Text(); }));
    EXPECT_EQ(again, shown);
}

TEST_F(BuildHtml, AFailedBuildShowsItsErrorAndNotTheView) {
    Open({{0, "Home"}});
    Form().findChild<QLineEdit*>("edt_MenuName")->setText("a/b");
    dialogs_.AnswerMessage(DialogButton::Ok);
    EXPECT_FALSE(TriggerAndLook("BuildHTML1", [](QWidget*) {}));
    ASSERT_EQ(dialogs_.MessageTexts().size(), 1);
    EXPECT_TRUE(dialogs_.MessageTexts().front().contains("menu name"))
        << dialogs_.MessageTexts().front().toStdString();
    EXPECT_EQ(Form().CodeView().Text(), "");
}

}  // namespace
}  // namespace zarvex::ui::testing
