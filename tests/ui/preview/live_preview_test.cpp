// The live preview pane in the real window: the View menu's toggle and its memory, the
// private staging folder, and, through the web view, edits reaching the page, the width
// presets, the kept scroll position and the blocked network.
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QSplitter>
#include <QTcpServer>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "settings/settings_keys.h"
#include "ui/pages/color_panel.h"
#include "ui/preview/live_preview.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

// Waits up to ms for condition, failing the test when it does not come. (Qt's QTRY
// macros only leave the test function under GoogleTest, recording nothing.)
#define WAIT_FOR(condition, ms)                                                    \
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, ms)) \
        << "waited " << (ms) << " ms for " #condition
#define WAIT_FOR_EQ(actual, expected, ms) WAIT_FOR((actual) == (expected), ms)

class LivePreviewPane : public MainFormFixture {
  protected:
    void SetUp() override {
        // The program's shipped files, so that the page runs the real runtime.
        QDirIterator it(QStringLiteral(ZARVEX_APP_DIR), {"velmo.js", "*.gif", "*.png"},
                        QDir::Files);
        while (it.hasNext()) {
            it.next();
            QFile::copy(it.filePath(), folder_.path() + '/' + it.fileName());
        }
        MainFormFixture::SetUp();
    }
    LivePreview& Pane() { return *Form().findChild<LivePreview*>("pnlLivePreview"); }
    void Open(const std::vector<std::pair<int, QString>>& items) {
        dialogs_.AnswerOpen(WriteProject("site.zarvex", items));
        Trigger("Open1");
    }
    void ShowWindow() {
        Form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
        if (!Pane().HasView())
            GTEST_SKIP() << "built without the web view";
    }
    // The value of script in the page, waiting for the answer.
    QVariant Js(const QString& script) {
        QVariant value;
        bool answered = false;
        Pane().RunScript(script, [&](const QVariant& v) {
            value = v;
            answered = true;
        });
        if (!QTest::qWaitFor([&] { return answered; }, 20000))
            ADD_FAILURE() << "no answer from the page: " << script.toStdString();
        return value;
    }
    // The text of the menu bar that the runtime built.
    QString MenuText() {
        return Js("(document.querySelector('div.bnaz-bpAb') || {innerText: ''}).innerText")
            .toString();
    }
};

TEST_F(LivePreviewPane, TheViewMenuTogglesThePaneAndTheChoiceIsKept) {
    QAction* toggle = Action("LivePreview1");
    EXPECT_TRUE(Form().findChild<QMenu*>("View1")->actions().contains(toggle));
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_FALSE(Pane().isHidden());
    EXPECT_EQ(Pane().parentWidget(), Form().findChild<QSplitter*>("spltrMain"));
    toggle->trigger();
    EXPECT_TRUE(Pane().isHidden());
    EXPECT_EQ(settings_.Read(settings::kSettingsGroup, kShowLivePreview),
              settings::StoredValue::Boolean(false));
    // The next start remembers it; the window is not marked changed by any of it.
    Recreate();
    EXPECT_FALSE(Action("LivePreview1")->isChecked());
    EXPECT_TRUE(Pane().isHidden());
    EXPECT_FALSE(Form().ModifiedFlag());
    Action("LivePreview1")->trigger();
    EXPECT_FALSE(Pane().isHidden());
}

// Through the real window: an edit appears in the page; staging stays in the pane's own
// folder and never marks the design changed.
TEST_F(LivePreviewPane, AnEditAppearsInThePage) {
    Open({{0, "Home"}, {0, "Products"}, {1, "Hardware"}});
    ShowWindow();
    WAIT_FOR(MenuText().contains("Products"), 30000);
    EXPECT_FALSE(Form().ModifiedFlag());
    const QString stage = Pane().StageFolder();
    EXPECT_FALSE(stage.startsWith(Folder()));
    EXPECT_TRUE(stage.startsWith(ScratchFolder() + "live-")) << stage.toStdString();
    EXPECT_TRUE(QFile::exists(stage + "MyMenu1.css"));
    EXPECT_TRUE(QFile::exists(stage + "velmo.js"));
    EXPECT_TRUE(QFile::exists(stage + "arrowr.gif"));
    // Neither the program folder nor the project's gets the build's files.
    EXPECT_FALSE(QFile::exists(Folder() + "MyMenu1.css"));
    EXPECT_FALSE(QFile::exists(Folder() + "MyMenu1cfg.js"));

    Select(2);
    Form().findChild<QLineEdit*>("edt_Text")->setText("Catalogue");
    WAIT_FOR(MenuText().contains("Catalogue"), 20000);
    EXPECT_FALSE(MenuText().contains("Products"));
    EXPECT_GE(Pane().LastRefreshMilliseconds(), 0);

    // An icon picked for an item is shown from where the picker staged it.
    QDir(Folder()).mkpath("img");
    ASSERT_TRUE(
        QFile::copy(ZARVEX_APP_DIR "/templates/icon_bar/home.svg", Folder() + "img/home.svg"));
    dialogs_.AnswerOpen(Folder() + "img/home.svg");
    Form().findChild<QToolButton*>("spdbtn_edt_Icon")->click();
    WAIT_FOR(Js("[...document.images].some(i => i.src.endsWith('/home.svg') && i.naturalWidth > 0)")
                 .toBool(),
             20000);

    // A colour chosen on the Style page is the page's colour.
    Select(0);
    dialogs_.AnswerColor(QColor(0x12, 0x34, 0x56));
    QTest::mouseClick(Form().findChild<ColorPanel*>("pnl_MenuBackgroundColor"), Qt::LeftButton);
    WAIT_FOR_EQ(
        Js("getComputedStyle(document.querySelector('div.bnaz-bpAb')).backgroundColor").toString(),
        QStringLiteral("rgb(18, 52, 86)"), 20000);

    // A choice of the Web Page page reaches the page: site navigation has no menubar.
    EXPECT_TRUE(Js("!!document.querySelector('[role=menubar]')").toBool());
    Form().findChild<QComboBox*>("cmbx_NavPattern")->setCurrentIndex(1);
    WAIT_FOR(Js("!document.querySelector('[role=menubar]') && "
                "!!document.querySelector('ul[data-velmo-pattern=navigation]')")
                 .toBool(),
             20000);
}

// A window closed while its page loads: the page's deletion ends the load and answers
// the scripts still pending, which must find the pane whole, and the window being torn
// down must hear nothing (they once wrote into freed memory, now and then).
TEST_F(LivePreviewPane, AWindowClosedWhileItsPageLoadsHearsNothingFromIt) {
    Open({{0, "Home"}, {0, "Products"}, {1, "Hardware"}});
    ShowWindow();
    WAIT_FOR(Pane().PageLoads() > 0, 20000);
    int heard = 0;
    QObject::connect(&Pane(), &LivePreview::refreshed, [&heard] { ++heard; });
    QObject* pane = &Pane();
    bool paneWhole = true;
    Pane().RunScript("1", [pane, &paneWhole](const QVariant&) {
        paneWhole = qobject_cast<LivePreview*>(pane) != nullptr;
    });
    form_.reset();
    EXPECT_TRUE(paneWhole);
    EXPECT_EQ(heard, 0);
}

TEST_F(LivePreviewPane, WidthPresetsScrollAndNetwork) {
    std::vector<std::pair<int, QString>> items;
    for (int i = 0; i < 120; ++i)
        items.push_back({0, QStringLiteral("Entry %1").arg(i)});
    Open(items);
    Select(0);
    // A vertical bar of 120 entries: a page taller than the pane.
    auto* orientation = Form().findChild<QComboBox*>("cmbx_Vertical");
    orientation->setCurrentIndex(1);
    emit orientation->activated(1);
    ShowWindow();
    // A pane wide enough for the bar itself: a narrower one shows the collapsed menu.
    Form().resize(1360, 720);
    Form().findChild<QSplitter*>("spltrMain")->setSizes({260, 460, 640});
    WAIT_FOR(MenuText().contains("Entry 119"), 30000);

    // A width wider than the pane is scaled to fit it; the page still lays out at it.
    for (const int width : {kPhoneWidth, kTabletWidth, kDesktopWidth}) {
        Pane().SetPageWidth(width);
        WAIT_FOR_EQ(Js("window.innerWidth").toInt(), width, 20000);
    }
    EXPECT_LT(Pane().PageScale(), 1.0);
    EXPECT_EQ(settings_.Read(settings::kSettingsGroup, kLivePreviewWidth),
              settings::StoredValue::Integer(kDesktopWidth));
    Pane().SetPageWidth(0);
    EXPECT_EQ(Form().findChild<QComboBox*>("cmbxLivePreviewWidth")->currentIndex(), 0);
    EXPECT_EQ(Pane().PageScale(), 1.0);

    // The reload after an edit keeps where the page was scrolled to.
    WAIT_FOR(Js("document.documentElement.scrollHeight > innerHeight + 300").toBool(), 20000);
    // (Scrolled again until it holds: a refresh of the width change may still land.)
    WAIT_FOR_EQ(Js("window.scrollTo(0, 300); window.scrollY").toInt(), 300, 10000);
    // An edit of an item or the style reaches the loaded page in place: no reload.
    QSignalSpy refreshed(&Pane(), &LivePreview::refreshed);
    const int loads = Pane().PageLoads();
    Js("window.notReloaded = true");
    Select(1);
    Form().findChild<QLineEdit*>("edt_Text")->setText("First");
    WAIT_FOR(MenuText().contains("First"), 20000);
    EXPECT_GE(refreshed.size(), 1);
    WAIT_FOR_EQ(Js("window.scrollY").toInt(), 300, 10000);
    Select(0);
    dialogs_.AnswerColor(QColor(0x12, 0x34, 0x56));
    QTest::mouseClick(Form().findChild<ColorPanel*>("pnl_MenuBackgroundColor"), Qt::LeftButton);
    WAIT_FOR_EQ(
        Js("getComputedStyle(document.querySelector('div.bnaz-bpAb')).backgroundColor").toString(),
        QStringLiteral("rgb(18, 52, 86)"), 20000);
    EXPECT_EQ(Pane().PageLoads(), loads);
    EXPECT_GE(Pane().InPlaceUpdates(), 2);
    EXPECT_TRUE(Js("window.notReloaded === true").toBool());
    EXPECT_EQ(Js("window.scrollY").toInt(), 300);

    // Nothing but local files: a request to a listening local server never arrives.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    Js(QStringLiteral("window.probe = 'pending'; var i = new Image();"
                      "i.onload = () => probe = 'loaded'; i.onerror = () => probe = 'blocked';"
                      "i.src = 'http://127.0.0.1:%1/x.gif'; probe")
           .arg(server.serverPort()));
    WAIT_FOR(Js("probe").toString() != "pending", 20000);
    EXPECT_EQ(Js("probe").toString(), "blocked");
    EXPECT_FALSE(server.hasPendingConnections());
    EXPECT_FALSE(server.waitForNewConnection(200));
    // Of local files, only the staged folder's: the program folder's own copy of an
    // image is out of reach, the staged one is not.
    const auto probeImage = [&](const QString& src) {
        Js(QStringLiteral("window.probe = 'pending'; var j = new Image();"
                          "j.onload = () => probe = 'loaded'; j.onerror = () => probe = 'blocked';"
                          "j.src = '%1'; probe")
               .arg(src));
        if (!QTest::qWaitFor([&] { return Js("probe").toString() != "pending"; }, 20000))
            ADD_FAILURE() << "the image neither loaded nor failed: " << src.toStdString();
        return Js("probe").toString();
    };
    EXPECT_EQ(probeImage(QUrl::fromLocalFile(folder_.path() + "/arrowr.gif").toString()),
              "blocked");
    EXPECT_EQ(probeImage("arrowr.gif"), "loaded");
    // Nor does the page go anywhere else, local or not: it stays the staged page.
    const QString page = Js("location.href").toString();
    Js(QStringLiteral("location.href = 'other.html'; 1"));
    Js(QStringLiteral("location.href = 'http://127.0.0.1:%1/'; 1").arg(server.serverPort()));
    QTest::qWait(300);
    EXPECT_EQ(Js("location.href").toString(), page);
    EXPECT_TRUE(MenuText().contains("Entry 119"));
    EXPECT_FALSE(server.hasPendingConnections());
}

TEST_F(LivePreviewPane, ScreenshotsOfATemplateAtDesktopAndPhoneWidths) {
    Form().OpenProjectByName(
        QStringLiteral(ZARVEX_APP_DIR "/templates/light_bar/light_bar.zarvex"));
    ShowWindow();
    Form().resize(1360, 720);
    auto* splitter = Form().findChild<QSplitter*>("spltrMain");
    splitter->setSizes({260, 460, 640});
    Form().findChild<QTreeView*>("trvwDesignPanel")->expandAll();
    WAIT_FOR(!MenuText().isEmpty(), 30000);
    const QString folder = QStringLiteral(ZARVEX_APP_DIR "/../screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    // The pointer over the first entry with a sub-menu, as a visitor would point at it.
    const QVariantList at = Js("var c = [...document.querySelectorAll('div.bnaz-bpAb td')].find("
                               "t => t.innerText.trim() == 'Products').getBoundingClientRect();"
                               "[c.left + c.width / 2, c.top + c.height / 2]")
                                .toList();
    if (QWidget* web = Form().findChild<QWidget*>("webLivePreview"); web && at.size() == 2) {
        QWidget* target = web->focusProxy() ? web->focusProxy() : web;
        const QPoint point(at[0].toInt(), at[1].toInt());
        QTest::mouseMove(target, point - QPoint(20, 0));
        QTest::mouseMove(target, point);
    }
    for (const auto& [width, name] : {std::pair{kDesktopWidth, "live_preview_desktop.png"},
                                      std::pair{kPhoneWidth, "live_preview_phone.png"}}) {
        Pane().SetPageWidth(width);
        if (width > 0) {
            WAIT_FOR_EQ(Js("window.innerWidth").toInt(), width, 20000);
        }
        QTest::qWait(400);  // the page's first frame at the new width
        const QImage shot = Form().grab().toImage();
        EXPECT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + '/' + name)) << name;
    }
}

}  // namespace
}  // namespace zarvex::ui::testing
