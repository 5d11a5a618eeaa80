// The browser dialog: what it shows for each stored choice, what OK and Cancel keep,
// and what a page opens with. The browser search and the shell are stand-ins.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "platform/shell_launcher.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_keys.h"
#include "ui/dialogs/form_web_browser.h"
#include "ui/modal_driver.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

using platform::KnownBrowserList;
using platform::RecordingShellLauncher;
using settings::StoredValue;
using Request = RecordingShellLauncher::Request;

const KnownBrowserList kTwoBrowsers = {
    {QStringLiteral("Firefox"), QStringLiteral("/usr/bin/firefox")},
    {QStringLiteral("Chromium"), QStringLiteral("/usr/bin/chromium")},
};

const char* const kGroup = settings::kBrowsersGroup;

class WebBrowserDialog : public ::testing::Test {
  protected:
    std::unique_ptr<TformWebBrowser> Make(const KnownBrowserList& browsers = kTwoBrowsers) {
        auto dialog = std::make_unique<TformWebBrowser>(browsers, store_, shell_, dialogs_);
        return dialog;
    }
    template <typename W>
    static W* Child(const TformWebBrowser& d, const char* name) {
        auto* w = d.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QRadioButton* Radio(const TformWebBrowser& d, const char* name) {
        return Child<QRadioButton>(d, name);
    }
    static QComboBox* List(const TformWebBrowser& d) {
        return Child<QComboBox>(d, "ComboBoxBrowserList");
    }
    static QLineEdit* PathBox(const TformWebBrowser& d) {
        return Child<QLineEdit>(d, "editSpecifiedBrowserFileName");
    }
    // Which radio button is checked, by name.
    static QString CheckedMode(const TformWebBrowser& d) {
        QStringList checked;
        for (const char* name : {"RadioButtonBrowserDefault", "RadioButtonBrowserKnownInSystem",
                                 "RadioButtonBrowserUserSpecify"})
            if (Radio(d, name)->isChecked())
                checked << QString::fromLatin1(name);
        return checked.join(',');
    }
    void Store(const char* name, StoredValue value) { store_.Put(kGroup, name, value); }
    void StoreChoice(bool useDefault, bool useKnown, bool useSpecified, int number,
                     const std::string& path) {
        Store(settings::kUseDefaultBrowser, StoredValue::Boolean(useDefault));
        Store(settings::kUseKnownBrowser, StoredValue::Boolean(useKnown));
        Store(settings::kUseSpecifiedBrowser, StoredValue::Boolean(useSpecified));
        Store(settings::kSelectedBrowserNumber, StoredValue::Integer(number));
        Store(settings::kSpecifiedBrowserExePath, StoredValue::Text(path));
    }
    std::optional<StoredValue> Stored(const char* name) const { return store_.Peek(kGroup, name); }

    settings::MemorySettingsStore store_;
    RecordingShellLauncher shell_;
    ScriptedDialogService dialogs_;
};

TEST_F(WebBrowserDialog, NothingStoredShowsTheDefaultBrowserAndOpensThroughTheDesktop) {
    const auto d = Make();
    ASSERT_EQ(List(*d)->count(), 2);
    EXPECT_EQ(List(*d)->itemText(1), "Chromium");
    EXPECT_EQ(CheckedMode(*d), "RadioButtonBrowserDefault");
    EXPECT_EQ(List(*d)->currentIndex(), -1);
    EXPECT_TRUE(PathBox(*d)->text().isEmpty());
    d->OpenPage("/tmp/app/preview/", "~preview.html");
    EXPECT_EQ(shell_.requests,
              std::vector<Request>({{Request::Kind::Open, "/tmp/app/preview/~preview.html", {}}}));
}

TEST_F(WebBrowserDialog, AStoredChoiceIsShownAndDecidesTheLaunch) {
    struct Case {
        const char* what;
        bool useDefault, useKnown, useSpecified;
        int number;
        KnownBrowserList browsers;
        const char* checked;
        int selected;
        Request launch;
    };
    const QString page = "/home/a b/app/preview/~preview.html";
    const std::vector<Case> cases = {
        {"known browser, second entry",
         false,
         true,
         false,
         1,
         kTwoBrowsers,
         "RadioButtonBrowserKnownInSystem",
         1,
         {Request::Kind::Start, "/usr/bin/chromium", {page}}},
        {"known browser, but none found any more",
         false,
         true,
         false,
         0,
         {},
         "RadioButtonBrowserDefault",
         -1,
         {Request::Kind::Open, page, {}}},
        {"a number past the list selects the first entry",
         false,
         true,
         false,
         3,
         kTwoBrowsers,
         "RadioButtonBrowserKnownInSystem",
         0,
         {Request::Kind::Start, "/usr/bin/firefox", {page}}},
        {"known browser with no entry selected",
         false,
         true,
         false,
         -1,
         kTwoBrowsers,
         "RadioButtonBrowserKnownInSystem",
         -1,
         {Request::Kind::Open, page, {}}},
        {"a program the user named",
         false,
         false,
         true,
         0,
         kTwoBrowsers,
         "RadioButtonBrowserUserSpecify",
         0,
         {Request::Kind::Start, "/opt/my browser/run", {page}}},
        {"default browser with a selection kept",
         true,
         false,
         false,
         1,
         kTwoBrowsers,
         "RadioButtonBrowserDefault",
         1,
         {Request::Kind::Open, page, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreChoice(c.useDefault, c.useKnown, c.useSpecified, c.number, "/opt/my browser/run");
        shell_.requests.clear();
        const auto d = Make(c.browsers);
        EXPECT_EQ(CheckedMode(*d), c.checked);
        EXPECT_EQ(List(*d)->currentIndex(), c.selected);
        EXPECT_EQ(PathBox(*d)->text(), "/opt/my browser/run");
        const QString folder = page.left(page.lastIndexOf('/') + 1);
        d->OpenPage(folder, "~preview.html");
        EXPECT_EQ(shell_.requests, std::vector<Request>{c.launch});
    }
}

TEST_F(WebBrowserDialog, LoadingStopsAtTheFirstMissingOrMistypedValue) {
    // The mode values are there, the number is text: the path after it is not read.
    StoreChoice(false, false, true, 0, "/usr/bin/vivaldi");
    Store(settings::kSelectedBrowserNumber, StoredValue::Text("second"));
    auto d = Make();
    EXPECT_EQ(CheckedMode(*d), "RadioButtonBrowserUserSpecify");
    EXPECT_EQ(List(*d)->currentIndex(), -1);
    EXPECT_TRUE(PathBox(*d)->text().isEmpty());

    // Only the first mode value: checking nothing, it leaves the initial default.
    store_ = {};
    Store(settings::kUseDefaultBrowser, StoredValue::Boolean(false));
    d = Make();
    EXPECT_EQ(CheckedMode(*d), "RadioButtonBrowserDefault");
}

TEST_F(WebBrowserDialog, AnUnreadableStoreLeavesTheInitialState) {
    StoreChoice(false, true, false, 1, "x");
    store_.SetUnreadable(true);
    const auto d = Make();
    EXPECT_EQ(CheckedMode(*d), "RadioButtonBrowserDefault");
    EXPECT_EQ(List(*d)->currentIndex(), -1);
    EXPECT_TRUE(PathBox(*d)->text().isEmpty());
}

TEST_F(WebBrowserDialog, ChoosingAListEntrySwitchesToTheKnownBrowser) {
    StoreChoice(false, false, true, 0, "/opt/b");
    const auto d = Make();
    ASSERT_EQ(CheckedMode(*d), "RadioButtonBrowserUserSpecify");
    List(*d)->setCurrentIndex(1);
    emit List(*d)->activated(1);  // what a user's pick reports
    EXPECT_EQ(CheckedMode(*d), "RadioButtonBrowserKnownInSystem");
    EXPECT_EQ(d->CurrentSettings().selectedBrowserNumber, 1);
}

TEST_F(WebBrowserDialog, TheKnownBrowserRadioFallsBackToDefaultWithAnEmptyList) {
    const auto d = Make({});
    Radio(*d, "RadioButtonBrowserKnownInSystem")->click();
    EXPECT_EQ(CheckedMode(*d), "RadioButtonBrowserDefault");
    Radio(*d, "RadioButtonBrowserUserSpecify")->click();
    EXPECT_EQ(CheckedMode(*d), "RadioButtonBrowserUserSpecify");

    const auto withList = Make();
    Radio(*withList, "RadioButtonBrowserKnownInSystem")->click();
    EXPECT_EQ(CheckedMode(*withList), "RadioButtonBrowserKnownInSystem");
}

TEST_F(WebBrowserDialog, TheBrowseButtonFillsThePathBoxAndLeavesTheMode) {
    const auto d = Make();
    dialogs_.AnswerOpen(QStringLiteral("/opt/Other Browser/browser"));
    Child<QToolButton>(*d, "spdbtnOpenExeFile")->click();
    EXPECT_EQ(PathBox(*d)->text(), "/opt/Other Browser/browser");
    EXPECT_EQ(CheckedMode(*d), "RadioButtonBrowserDefault");
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text, ExecutableFileFilter());

    dialogs_.AnswerOpen(std::nullopt);
    Child<QToolButton>(*d, "spdbtnOpenExeFile")->click();
    EXPECT_EQ(PathBox(*d)->text(), "/opt/Other Browser/browser");
}

TEST_F(WebBrowserDialog, OkStoresAllFiveValuesFromTheControls) {
    const auto d = Make();
    Radio(*d, "RadioButtonBrowserUserSpecify")->click();
    PathBox(*d)->setText("/usr/bin/epiphany");
    List(*d)->setCurrentIndex(1);
    Child<QPushButton>(*d, "bitbtnOk")->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(Stored(settings::kUseDefaultBrowser), StoredValue::Integer(0));
    EXPECT_EQ(Stored(settings::kUseKnownBrowser), StoredValue::Integer(0));
    EXPECT_EQ(Stored(settings::kUseSpecifiedBrowser), StoredValue::Integer(1));
    EXPECT_EQ(Stored(settings::kSelectedBrowserNumber), StoredValue::Integer(1));
    EXPECT_EQ(Stored(settings::kSpecifiedBrowserExePath), StoredValue::Text("/usr/bin/epiphany"));

    // Known browser with nothing selected stores -1 and reloads as it was left.
    const auto again = Make();
    Radio(*again, "RadioButtonBrowserKnownInSystem")->click();
    List(*again)->setCurrentIndex(-1);
    Child<QPushButton>(*again, "bitbtnOk")->click();
    EXPECT_EQ(Stored(settings::kSelectedBrowserNumber), StoredValue::Integer(-1));
    const auto reloaded = Make();
    EXPECT_EQ(CheckedMode(*reloaded), "RadioButtonBrowserKnownInSystem");
    EXPECT_EQ(List(*reloaded)->currentIndex(), -1);
}

TEST_F(WebBrowserDialog, CancelAndEscapeStoreNothing) {
    StoreChoice(false, true, false, 0, "");
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        const auto d = Make();
        d->show();
        Radio(*d, "RadioButtonBrowserDefault")->click();
        if (escape)
            QTest::keyClick(d.get(), Qt::Key_Escape);
        else
            Child<QPushButton>(*d, "bitbtnCancel")->click();
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_EQ(store_.writeCount(), 0);
        EXPECT_EQ(Stored(settings::kUseKnownBrowser), StoredValue::Integer(1));
    }
    // The next preview uses the stored mode.
    const auto next = Make();
    next->OpenPage("/p/", "~preview.html");
    EXPECT_EQ(shell_.requests.back(),
              (Request{Request::Kind::Start, "/usr/bin/firefox", {"/p/~preview.html"}}));
}

TEST_F(WebBrowserDialog, AStoreThatRefusesTheChoiceStillLetsTheDialogClose) {
    StoreChoice(true, false, false, 0, "/old");
    store_.SetUnwritable(true);
    const auto d = Make();
    Radio(*d, "RadioButtonBrowserUserSpecify")->click();
    Child<QPushButton>(*d, "bitbtnOk")->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(Stored(settings::kUseDefaultBrowser), StoredValue::Integer(1));
    EXPECT_TRUE(dialogs_.Calls().empty());
}

// --- the Web Browser command of the main window ---------------------------------------

using WebBrowserCommand = MainFormFixture;

TEST_F(WebBrowserCommand, SearchesForBrowsersAtEveryShowingAndStoresOnOk) {
    int listed = 0;
    browsers_ = kTwoBrowsers;
    ModalDriver driver;
    driver.OnNext<TformWebBrowser>([&](TformWebBrowser& d) {
        listed = d.findChild<QComboBox*>("ComboBoxBrowserList")->count();
        d.findChild<QRadioButton*>("RadioButtonBrowserKnownInSystem")->click();
        d.findChild<QComboBox*>("ComboBoxBrowserList")->setCurrentIndex(1);
        d.findChild<QPushButton*>("bitbtnOk")->click();
    });
    Trigger("WebBrowser1");
    EXPECT_TRUE(driver.Shown());
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(settings_.Peek(kGroup, settings::kUseKnownBrowser), StoredValue::Integer(1));
    EXPECT_EQ(settings_.Peek(kGroup, settings::kSelectedBrowserNumber), StoredValue::Integer(1));

    // A browser removed since: the next showing lists one entry.
    browsers_.removeLast();
    ModalDriver second;
    second.OnNext<TformWebBrowser>([&](TformWebBrowser& d) {
        listed = d.findChild<QComboBox*>("ComboBoxBrowserList")->count();
        EXPECT_EQ(d.findChild<QComboBox*>("ComboBoxBrowserList")->currentIndex(), 0);
    });
    Trigger("WebBrowser1");
    EXPECT_TRUE(second.Shown());
    EXPECT_EQ(listed, 1);
}

}  // namespace
}  // namespace zarvex::ui::testing
