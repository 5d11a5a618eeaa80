// The help window, the Help menu, the about box and the link tip.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include "codegen/generated_header.h"
#include "settings/help_pages.h"
#include "settings/settings_keys.h"
#include "ui/dialogs/form_about.h"
#include "ui/dialogs/form_help.h"
#include "ui/dialogs/form_link_tip.h"
#include "ui/modal_driver.h"
#include "ui/ui_test_support.h"
#include "version.h"

namespace zarvex::ui::testing {
namespace {

using platform::RecordingShellLauncher;
using settings::StoredValue;
using Request = RecordingShellLauncher::Request;

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// --- the help window over the shipped pages -------------------------------------------

const QString kShippedHelp = QStringLiteral(ZARVEX_APP_DIR "/help/");

TEST(HelpWindow, ShowsEveryShippedPageTheProgramOpensByName) {
    RecordingShellLauncher shell;
    TfrmHelp help(shell);
    auto* view = help.findChild<QTextBrowser*>("WebBrowser1");
    ASSERT_NE(view, nullptr);
    for (const std::string& page : settings::RequiredHelpPages()) {
        SCOPED_TRACE(page);
        const QUrl address = QUrl::fromLocalFile(kShippedHelp + QString::fromStdString(page));
        help.ShowPage(address);
        EXPECT_EQ(help.CurrentPage(), address);
        EXPECT_FALSE(view->documentTitle().isEmpty());
        EXPECT_GT(view->toPlainText().size(), 200);
    }
}

TEST(HelpWindow, FollowsLinksBetweenHelpPagesAndSendsWebAddressesToTheDesktop) {
    RecordingShellLauncher shell;
    TfrmHelp help(shell);
    auto* view = help.findChild<QTextBrowser*>("WebBrowser1");
    help.ShowPage(QUrl::fromLocalFile(kShippedHelp + "index.html"));
    emit view->anchorClicked(QUrl("getting_started.htm"));
    EXPECT_EQ(help.CurrentPage(), QUrl::fromLocalFile(kShippedHelp + "getting_started.htm"));
    EXPECT_TRUE(shell.requests.empty());
    emit view->anchorClicked(QUrl("https://example.org/page"));
    EXPECT_EQ(help.CurrentPage(), QUrl::fromLocalFile(kShippedHelp + "getting_started.htm"));
    EXPECT_EQ(shell.requests,
              std::vector<Request>({{Request::Kind::Open, "https://example.org/page", {}}}));
}

// --- the window's help commands ---------------------------------------------------------

using HelpCommands = MainFormFixture;

TEST_F(HelpCommands, MenuCommandsOpenTheirPagesThroughTheDesktop) {
    const struct {
        const char* action;
        QString target;
    } cases[] = {
        {"Topic1", Folder() + "help/index.html"},
        {"tlbtnHelp", Folder() + "help/index.html"},
        {"ViewSample1", Folder() + "samples/index.html"},
        {"Homepage1", FromView(kHomePageAddress)},
        {"ContactUs1", FromView(kSupportPageAddress)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        shell_.requests.clear();
        ASSERT_TRUE(Action(c.action)->isEnabled());
        Trigger(c.action);
        EXPECT_EQ(shell_.requests, std::vector<Request>({{Request::Kind::Open, c.target, {}}}));
    }
    // What the desktop makes of them is its own affair.
    shell_.result = false;
    Trigger("Topic1");
    EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(HelpCommands, AHelpButtonShowsItsPageWithoutBlockingAndAgainOnlyChangesThePage) {
    TfrmHelp& help = Form().HelpWindow();
    EXPECT_FALSE(help.isVisible());
    auto* button = Form().findChild<QAbstractButton*>("SpeedButton4");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_TRUE(help.isVisible());
    EXPECT_FALSE(help.isModal());
    EXPECT_EQ(help.CurrentPage(),
              QUrl::fromLocalFile(Folder() + "help/customizing_js_script_script_general.htm"));

    help.move(help.pos() + QPoint(40, 30));
    const QPoint placed = help.pos();
    Form().findChild<QAbstractButton*>("SpeedButton5")->click();
    EXPECT_EQ(help.CurrentPage(),
              QUrl::fromLocalFile(Folder() + "help/customizing_js_script_script_misc.htm"));
    EXPECT_EQ(help.pos(), placed);
    EXPECT_EQ(&Form().HelpWindow(), &help);

    // Escape hides it, and only it: the main window behind it neither closes nor asks
    // (an unexpected question fails the test). The help window stays for the next request.
    Form().show();
    Form().MarkChanged();
    help.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    auto* view = help.findChild<QTextBrowser*>("WebBrowser1");
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
    EXPECT_TRUE(Form().isVisible());
    Form().ShowContextHelp(QString());
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(&Form().HelpWindow(), &help);
    EXPECT_EQ(help.CurrentPage(), QUrl::fromLocalFile(Folder() + "help/getting_started.htm"));
    // This program folder has no help pages: the window says so.
    EXPECT_TRUE(
        help.findChild<QTextBrowser*>("WebBrowser1")->toPlainText().contains("Page not found"));
    help.hide();
}

TEST_F(HelpCommands, TheAboutBoxNamesTheProductAndOpensItsLinks) {
    ModalDriver driver;
    driver.OnNext<TformAbout>([&](TformAbout& box) {
        EXPECT_EQ(box.windowTitle(), "Zarvex");
        auto* name = box.findChild<QLabel*>("lblProductName");
        EXPECT_EQ(name->text(), "Zarvex");
        EXPECT_TRUE(name->font().bold());
        EXPECT_EQ(box.findChild<QLabel*>("lblProductVersion")->text(),
                  QStringLiteral("Version ") + kVersionText);
        EXPECT_EQ(box.findChild<QLabel*>("Label2")->text(), "Web Site");
        EXPECT_EQ(box.findChild<QLabel*>("Label3")->text(), "Tech Support");
        auto* home = box.findChild<QLabel*>("Label8");
        auto* support = box.findChild<QLabel*>("Label10");
        EXPECT_EQ(home->text(), FromView(kHomePageAddress));
        EXPECT_EQ(support->text(), FromView(kSupportPageAddress));
        EXPECT_EQ(home->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(support, Qt::LeftButton);
        QTest::mouseClick(home, Qt::LeftButton);
        box.findChild<QPushButton*>("OKButton")->click();
        EXPECT_FALSE(box.isVisible());
    });
    Trigger("About1");
    EXPECT_TRUE(driver.Shown());
    EXPECT_EQ(shell_.requests,
              std::vector<Request>({{Request::Kind::Open, FromView(kSupportPageAddress), {}},
                                    {Request::Kind::Open, FromView(kHomePageAddress), {}}}));
}

TEST(AboutBox, ALinkTurnsRedUnderTheMouseAndTheBackgroundTurnsBothBlue) {
    RecordingShellLauncher shell;
    TformAbout box(shell);
    auto* home = box.findChild<QLabel*>("Label8");
    auto* support = box.findChild<QLabel*>("Label10");
    const auto color = [](QLabel* l) { return l->palette().color(QPalette::WindowText); };
    EXPECT_EQ(color(home), TformAbout::LinkColor());
    EXPECT_EQ(color(support), TformAbout::LinkColor());

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(home, &enter);
    EXPECT_EQ(color(home), TformAbout::HotLinkColor());
    QApplication::sendEvent(support, &enter);
    EXPECT_EQ(color(support), TformAbout::HotLinkColor());
    // A move over a link stays with it.
    QMouseEvent onLink(QEvent::MouseMove, QPointF(2, 2), home->mapToGlobal(QPointF(2, 2)),
                       Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(home, &onLink);
    EXPECT_EQ(color(home), TformAbout::HotLinkColor());

    QMouseEvent background(QEvent::MouseMove, QPointF(1, 1), box.mapToGlobal(QPointF(1, 1)),
                           Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &background);
    EXPECT_EQ(color(home), TformAbout::LinkColor());
    EXPECT_EQ(color(support), TformAbout::LinkColor());
    EXPECT_TRUE(shell.requests.empty());
}

// --- the link tip before the link file dialog ---------------------------------------

class LinkTip : public MainFormFixture {
  protected:
    // Presses the Item page's link browse button with an item selected; the link file
    // dialog that follows is cancelled. Returns whether the tip came up.
    bool PressLinkButton(const std::function<void(TfrmMsgBox_LinkTip&)>& action = {}) {
        if (Form().TreeModel().NodeCount() < 2) {
            Trigger("Insert2");
            Select(1);
        }
        dialogs_.AnswerOpen(std::nullopt);
        ModalDriver driver;
        driver.OnNext<TfrmMsgBox_LinkTip>([&](TfrmMsgBox_LinkTip& tip) {
            if (action)
                action(tip);
        });
        auto* button = Form().findChild<QAbstractButton*>("spdbtn_cmbx_Link");
        EXPECT_TRUE(button && button->isEnabled());
        if (button)
            button->click();
        return driver.Shown();
    }
    std::optional<StoredValue> Flag() const {
        return settings_.Peek(settings::kSettingsGroup, settings::kShowLinkTipDialog);
    }
    void SetFlag(bool show) {
        settings_.Put(settings::kSettingsGroup, settings::kShowLinkTipDialog,
                      StoredValue::Boolean(show));
    }
    static QCheckBox* DontShow(TfrmMsgBox_LinkTip& tip) {
        return tip.findChild<QCheckBox*>("chckbxDontShow");
    }
};

TEST_F(LinkTip, IsShownAsTheSettingSaysAndTheLinkDialogFollowsEitherWay) {
    const struct {
        const char* what;
        std::function<void(settings::MemorySettingsStore&)> prepare;
        bool shown;
    } cases[] = {
        {"absent", [](auto&) {}, true},
        {"true",
         [](auto& s) {
             s.Put(settings::kSettingsGroup, settings::kShowLinkTipDialog, StoredValue::Integer(1));
         },
         true},
        {"false",
         [](auto& s) {
             s.Put(settings::kSettingsGroup, settings::kShowLinkTipDialog, StoredValue::Integer(0));
         },
         false},
        {"not a number",
         [](auto& s) {
             s.Put(settings::kSettingsGroup, settings::kShowLinkTipDialog,
                   StoredValue::Text("yes"));
         },
         false},
        {"unreadable", [](auto& s) { s.SetUnreadable(true); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings_ = {};
        c.prepare(settings_);
        dialogs_.Reset();
        bool captioned = false;
        EXPECT_EQ(PressLinkButton([&](TfrmMsgBox_LinkTip& tip) {
                      captioned = tip.windowTitle() == "Important!" &&
                                  tip.findChild<QLabel*>("Label1")->text().startsWith(
                                      "Local link may not work for security reason.") &&
                                  DontShow(tip)->text() == "Do not show this dialog again.";
                      tip.findChild<QPushButton*>("btnOK")->click();
                  }),
                  c.shown);
        EXPECT_EQ(captioned, c.shown);
        // The link file dialog came after the tip (or without it).
        ASSERT_EQ(dialogs_.Calls().size(), 1u);
        EXPECT_EQ(dialogs_.Calls()[0].kind, ScriptedDialogService::Kind::Open);
        EXPECT_EQ(settings_.writeCount(), 0);
    }
}

TEST_F(LinkTip, TheCheckBoxWritesAtOnceHoweverTheTipCloses) {
    const std::function<void(TfrmMsgBox_LinkTip&)> closers[] = {
        [](TfrmMsgBox_LinkTip& tip) { tip.findChild<QPushButton*>("btnOK")->click(); },
        [](TfrmMsgBox_LinkTip& tip) { QTest::keyClick(&tip, Qt::Key_Escape); },
        [](TfrmMsgBox_LinkTip& tip) { tip.close(); },
    };
    for (const auto& close : closers) {
        settings_ = {};
        EXPECT_TRUE(PressLinkButton([&](TfrmMsgBox_LinkTip& tip) {
            DontShow(tip)->click();
            EXPECT_EQ(Flag(), StoredValue::Integer(0));
            close(tip);
            EXPECT_FALSE(tip.isVisible());
        }));
        EXPECT_EQ(Flag(), StoredValue::Integer(0));
        EXPECT_FALSE(PressLinkButton());
    }
    // Unchecking again in the same tip writes true at once.
    SetFlag(true);
    EXPECT_TRUE(PressLinkButton([&](TfrmMsgBox_LinkTip& tip) {
        DontShow(tip)->click();
        DontShow(tip)->click();
        EXPECT_EQ(Flag(), StoredValue::Integer(1));
    }));
    EXPECT_EQ(Flag(), StoredValue::Integer(1));
}

TEST_F(LinkTip, AStoreThatCannotBeWrittenIsSilentOnlyWhenTheTipIsTurnedOff) {
    settings_.SetUnwritable(true);
    dialogs_.AnswerMessage(DialogButton::Ok);  // for the second click
    EXPECT_TRUE(PressLinkButton([&](TfrmMsgBox_LinkTip& tip) {
        DontShow(tip)->click();
        EXPECT_TRUE(dialogs_.Calls().empty());
        DontShow(tip)->click();
    }));
    ASSERT_EQ(dialogs_.Calls().size(), 2u);
    EXPECT_EQ(dialogs_.Calls()[0].kind, ScriptedDialogService::Kind::Message);
    EXPECT_EQ(dialogs_.Calls()[0].messageKind, MessageKind::Error);
    EXPECT_EQ(dialogs_.Calls()[1].kind, ScriptedDialogService::Kind::Open);
    EXPECT_FALSE(Flag().has_value());
}

}  // namespace
}  // namespace zarvex::ui::testing
