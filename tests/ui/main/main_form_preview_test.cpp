// The Preview command's road (build, stage, open in the chosen browser) and the
// Publish command with its report window.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "settings/settings_keys.h"
#include "ui/dialogs/form_html.h"
#include "ui/dialogs/form_publish_report.h"
#include "ui/modal_driver.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

using platform::RecordingShellLauncher;
using settings::StoredValue;
using Request = RecordingShellLauncher::Request;

class PreviewAndPublish : public MainFormFixture {
  protected:
    QString PreviewFolder() { return FromCorePath(Form().Agent().PreviewFolder()); }
    QByteArray ReadFile(const QString& path) const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }
    void AddItems(int count) {
        for (int i = 0; i < count; ++i) {
            Select(0);
            Trigger("Insert2");
        }
    }
    void RenameMenu(const QString& name) {
        Select(0);
        Form().findChild<QLineEdit*>("edt_MenuName")->setText(name);
    }
    void StoreBrowserChoice(bool known, bool specified, int number, const QString& path) {
        const char* g = settings::kBrowsersGroup;
        settings_.Put(g, settings::kUseDefaultBrowser, StoredValue::Boolean(!known && !specified));
        settings_.Put(g, settings::kUseKnownBrowser, StoredValue::Boolean(known));
        settings_.Put(g, settings::kUseSpecifiedBrowser, StoredValue::Boolean(specified));
        settings_.Put(g, settings::kSelectedBrowserNumber, StoredValue::Integer(number));
        settings_.Put(g, settings::kSpecifiedBrowserExePath, StoredValue::Text(path.toStdString()));
    }
    // Runs Publish; action looks at the report window before it is closed.
    bool Publish(const std::function<void(TfrmPublishReport&)>& action) {
        ModalDriver driver;
        driver.OnNext<TfrmPublishReport>(action);
        Trigger("Publish1");
        return driver.Shown();
    }
};

TEST_F(PreviewAndPublish, APreviewWithoutItemsStopsAfterTheMessage) {
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("Preview1");
    EXPECT_EQ(dialogs_.MessageTexts(),
              QStringList{"No item to build. Please add item to left pane and try again."});
    EXPECT_FALSE(QFile::exists(PreviewFolder() + "~preview.html"));
    EXPECT_TRUE(shell_.requests.empty());
}

TEST_F(PreviewAndPublish, APreviewStagesTheCodeViewsPageAndOpensItInTheDefaultBrowser) {
    AddItems(2);
    RenameMenu("SiteNav");
    Trigger("Preview1");
    EXPECT_TRUE(dialogs_.Calls().empty());
    const QString page = PreviewFolder() + "~preview.html";
    ASSERT_TRUE(QFile::exists(page));
    QString shown = Form().CodeView().Text();
    ASSERT_TRUE(shown.contains("SiteNav.css"));
    EXPECT_EQ(ReadFile(page), (shown.replace('\n', "\r\n") + "\r\n").toUtf8());
    // The build's own files went along; the page was not left in the program folder.
    EXPECT_TRUE(QFile::exists(PreviewFolder() + "SiteNav.css"));
    EXPECT_TRUE(QFile::exists(PreviewFolder() + "SiteNavcfg.js"));
    EXPECT_FALSE(QFile::exists(Folder() + "~preview.html"));
    EXPECT_EQ(shell_.requests, std::vector<Request>({{Request::Kind::Open, page, {}}}));
}

TEST_F(PreviewAndPublish, TheShortcutAndTheToolButtonPreviewInTheStoredBrowser) {
    AddItems(1);
    browsers_ = {{"Firefox", "/usr/bin/firefox"}, {"Vivaldi", "/opt/vivaldi/vivaldi"}};
    StoreBrowserChoice(true, false, 1, {});
    const QString page = PreviewFolder() + "~preview.html";

    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    QTest::keyClick(&Form(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(shell_.requests,
              std::vector<Request>({{Request::Kind::Start, "/opt/vivaldi/vivaldi", {page}}}));

    // A named program gets the page, blanks and all, as its one argument.
    StoreBrowserChoice(false, true, 0, "/opt/My Browser/run browser");
    shell_.requests.clear();
    Trigger("tlbtnPreview");
    EXPECT_EQ(
        shell_.requests,
        std::vector<Request>({{Request::Kind::Start, "/opt/My Browser/run browser", {page}}}));
    Form().hide();
}

TEST_F(PreviewAndPublish, ABrowserThatCannotBeStartedIsReportedByName) {
    AddItems(1);
    shell_.result = false;
    StoreBrowserChoice(false, true, 0, "/opt/My Browser/run browser");
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("Preview1");
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].messageKind, MessageKind::Error);
    EXPECT_TRUE(dialogs_.Calls()[0].text.contains("\"/opt/My Browser/run browser\""))
        << dialogs_.Calls()[0].text.toStdString();
    // Through the desktop's handler: the default browser is named as such.
    StoreBrowserChoice(false, false, 0, {});
    dialogs_.Reset();
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("Preview1");
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_TRUE(dialogs_.Calls()[0].text.contains("default web browser"));
}

TEST_F(PreviewAndPublish, PublishBuildsFirstSoTheReportNamesTheCurrentMenusFiles) {
    QString text;
    EXPECT_TRUE(Publish([&](TfrmPublishReport& w) { text = w.Text(); }));
    EXPECT_TRUE(text.contains("[Script file(s)]:\n  velmo.js\n  MyMenu1cfg.js\n  MyMenu1.css\n"))
        << text.toStdString();

    AddItems(1);
    RenameMenu("SiteNav");
    EXPECT_TRUE(Publish([&](TfrmPublishReport& w) { text = w.Text(); }));
    EXPECT_TRUE(text.contains("  velmo.js\n  SiteNavcfg.js\n  SiteNav.css\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("End of Publish Report"));
}

TEST_F(PreviewAndPublish, TheReportIsStagedIntoThePreviewFolderAndClearedWithIt) {
    EXPECT_TRUE(Publish([](TfrmPublishReport&) {}));
    const QString staged = PreviewFolder() + "PublishReport.txt";
    ASSERT_TRUE(QFile::exists(staged));
    EXPECT_TRUE(ReadFile(staged).startsWith(QByteArray(77, '=') + "\r\n"));
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("PublishReport.txt")));
    EXPECT_FALSE(QFile::exists(Folder() + "PublishReport.txt"));
    Trigger("New1");
    EXPECT_FALSE(QFile::exists(staged));
}

TEST_F(PreviewAndPublish, TheReportWindowClosesOnOkAndOnEscape) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "OK");
        bool closed = false;
        EXPECT_TRUE(Publish([&](TfrmPublishReport& w) {
            EXPECT_EQ(w.windowTitle(), "Applet Publish Report");
            EXPECT_GE(w.width(), 509);
            EXPECT_EQ(w.minimumSize(), QSize(509, 337));
            auto* ok = w.findChild<QPushButton*>("BitBtn1");
            EXPECT_EQ(ok->size(), QSize(145, 25));
            EXPECT_TRUE(w.findChild<QPlainTextEdit*>("memoPublishReport")->isReadOnly());
            if (escape)
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                ok->click();
            closed = !w.isVisible();
        }));
        EXPECT_TRUE(closed);
    }
}

TEST_F(PreviewAndPublish, AReportThatCannotBeStagedIsReportedAndNoWindowOpens) {
    // A file where the preview folder should be: the silent copy fails, the load does not.
    QString preview = PreviewFolder();
    preview.chop(1);
    QDir(preview).removeRecursively();
    ASSERT_TRUE(QFile(preview).open(QIODevice::WriteOnly));
    dialogs_.AnswerMessage(DialogButton::Ok);
    EXPECT_FALSE(Publish([](TfrmPublishReport&) { ADD_FAILURE() << "window shown"; }));
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].messageKind, MessageKind::Error);
    EXPECT_TRUE(dialogs_.Calls()[0].text.contains("PublishReport.txt"));
}

}  // namespace
}  // namespace zarvex::ui::testing
