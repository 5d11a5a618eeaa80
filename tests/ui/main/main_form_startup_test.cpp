#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include "ui/main/app_identity.h"
#include "ui/pages/property_pages.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

QStringList VisibleTabs(const TMainForm& form) {
    auto* pages = form.findChild<QTabWidget*>("pgcntrl1");
    QStringList names;
    for (int i = 0; i < pages->count(); ++i)
        if (pages->isTabVisible(i))
            names << pages->widget(i)->objectName();
    return names;
}

using StartUp = MainFormFixture;

TEST_F(StartUp, ShowsAnEmptyDefaultDesignWithTheRootSelected) {
    EXPECT_EQ(Form().windowTitle(), "Zarvex");
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_FALSE(Action("Save1")->isEnabled());
    EXPECT_FALSE(Form().findChild<QToolButton*>("tlbtnSave")->isEnabled());
    EXPECT_TRUE(Form().ProjectFileName().isEmpty());
    EXPECT_EQ(Form().SelectedNodeIndex(), 0);
    EXPECT_EQ(Form().CurrentItemNodeIndex(), -1);
    EXPECT_EQ(Form().TreeModel().NodeCount(), 1);
    EXPECT_EQ(Form().TreeModel().Caption(0), "Zarvex");
    EXPECT_TRUE(Form().Agent().Items.empty());
    EXPECT_EQ(Form().Agent().MenuParameters, DefaultAppletData());
    EXPECT_EQ(VisibleTabs(Form()),
              (QStringList{"tbshtScript", "tbshtStyle", "tbshtPath", "tbshtWebPage"}));
    EXPECT_EQ(Form().findChild<QTabWidget*>("pgcntrl1")->currentWidget()->objectName(),
              "tbshtScript");
    EXPECT_EQ(Form().findChild<QLineEdit*>("edt_MenuName")->text(), "MyMenu1");
    // 825 x 620 where the screen has room; within the screen, frame included, otherwise.
    const QSize room = Form().screen()->availableGeometry().size() - QSize(16, 48);
    EXPECT_EQ(Form().size(), QSize(825, 620).boundedTo(room));
    // Root only: it can take a child and nothing else.
    EXPECT_TRUE(Action("Insert1")->isEnabled());
    EXPECT_FALSE(Action("Delete2")->isEnabled());
    EXPECT_FALSE(Form().findChild<QToolButton*>("tlbtnMoveUp")->isEnabled());
    // The list of recent files exists from the first start on.
    EXPECT_TRUE(QFile::exists(Folder() + "state/recentfile.dat"));
    EXPECT_TRUE(Form().findChild<QMenu*>("mnitRecentFiles")->actions().isEmpty());
}

TEST_F(StartUp, CommandsCarryTheirCaptionsShortCutsAndHints) {
    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
        const char* hint;
    } rows[] = {
        {"New1", "&New...", "Ctrl+N", "Create a new project"},
        {"Open1", "&Open...", "Ctrl+O", "Open a previous saved project"},
        {"Save1", "&Save", "Ctrl+S", "Save project"},
        {"Save2", "Save &As...", "", "Save the project with a new name"},
        {"Templet1", "&Templates", "", "Open predefine templets"},
        {"ImportMenuStructure1", "&Import Menu Structure", "", ""},
        {"ExportMenuStructure1", "&Export Menu Structure", "", ""},
        {"Exit1", "E&xit", "Ctrl+Q", "Quit the application; Prompts to save applet"},
        {"Insert2", "I&nsert", "", "Insert a new item as a child of selected item."},
        {"Insert1", "I&nsert", "Ins", "Insert a new item as a child of selected item."},
        {"Delete1", "&Delete", "Del", "Delete selected item and all its children item if it has."},
        // Keys that GNOME, KDE, Xfce and openbox leave to applications (openbox takes
        // Alt+Shift+arrows, which stay as second keys).
        {"MoveUp2", "Move &Up", "Ctrl+Shift+Up", "move the current selected item position up."},
        {"MoveDown2", "Move &Down", "Ctrl+Shift+Down", nullptr},
        {"Indent2", "&Indent", "Ctrl+Shift+Right", nullptr},
        {"Outdent2", "&Outdent", "Ctrl+Shift+Left", nullptr},
        {"Rename1", "&Rename", "F2", nullptr},
        {"Duplicate1", "D&uplicate", "Ctrl+D", nullptr},
        {"Cut1", "Cu&t", "Ctrl+X", nullptr},
        {"Copy1", "&Copy", "Ctrl+C", nullptr},
        {"Paste1", "&Paste", "Ctrl+V", nullptr},
        {"Find1", "&Find Items", "Ctrl+F", nullptr},
        {"Indent1", "&Indent", "", nullptr},
        {"Undo1", "&Undo", "Ctrl+Z", nullptr},
        {"Redo1", "&Redo", "Ctrl+Shift+Z", nullptr},
        {"MoveDown1", "Move &Down", "", "move the current selected item position down."},
        {"Preview1", "&Preview", "Ctrl+P", nullptr},
        {"WebBrowser1", "Web &Browser...", "", "Specified which web browser be used to preview"},
        {"Topic1", "Help &Topics", "F1", "List help topics"},
        {"tlbtnOpen", nullptr, "", "Open a project from the file that you saved before"},
        {"tlbtnSave", nullptr, "", "Save the current project to a file"},
        {"tlbtnPreview", nullptr, "", "preview the applet in web browser"},
        {"tlbtnHelp", nullptr, "", "Show help document"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QAction* a = Action(row.name);
        ASSERT_NE(a, nullptr);
        if (row.caption) {
            EXPECT_EQ(a->text(), row.caption);
        }
        EXPECT_EQ(a->shortcut().toString(), row.shortcut);
        if (row.hint) {
            EXPECT_EQ(a->statusTip(), row.hint);
        }
        if (row.hint && *row.hint) {
            EXPECT_EQ(a->toolTip(), row.hint);
        }
    }
    EXPECT_EQ(Action("Redo1")->shortcuts().value(1).toString(), "Ctrl+Y");
    EXPECT_EQ(Action("MoveUp2")->shortcuts().value(1).toString(), "Alt+Shift+Up");
    EXPECT_TRUE(Action("ToolBar1")->isChecked());
    EXPECT_TRUE(Action("StatusBar2")->isChecked());
    for (const char* button :
         {"tlbtnNew", "tlbtnOpen", "tlbtnSave", "tlbtnInsert", "tlbtnDelete", "tlbtnMoveUp",
          "tlbtnMoveDown", "tlbtnBuildHTML", "tlbtnPreview", "tlbtnHelp"})
        EXPECT_NE(Form().findChild<QToolButton*>(button), nullptr) << button;
    EXPECT_NE(Form().findChild<QLabel*>("stctxtHint"), nullptr);
    EXPECT_EQ(Form().findChild<QProgressBar*>("prgrsbrMainFormBottom")->maximum(), 100);
}

TEST_F(StartUp, ViewTogglesHideAndShowTheBars) {
    Form().show();
    Trigger("ToolBar1");
    EXPECT_FALSE(Action("ToolBar1")->isChecked());
    EXPECT_FALSE(Form().findChild<QToolBar*>("tlbr1")->isVisible());
    Trigger("ToolBar1");
    EXPECT_TRUE(Form().findChild<QToolBar*>("tlbr1")->isVisible());
    Trigger("StatusBar2");
    EXPECT_FALSE(Action("StatusBar2")->isChecked());
    EXPECT_FALSE(Form().findChild<QStatusBar*>("StatusBar1")->isVisible());
    Trigger("StatusBar2");
    EXPECT_TRUE(Form().findChild<QStatusBar*>("StatusBar1")->isVisible());
    EXPECT_TRUE(Form().findChild<QLabel*>("stctxtHint")->isVisible());
}

TEST_F(StartUp, HintLineShowsTheHintUnderTheMouseButNotDuringARebuild) {
    auto* hint = Form().findChild<QLabel*>("stctxtHint");
    auto* tree = Form().findChild<QTreeView*>("trvwDesignPanel");
    QStatusTipEvent tip(tree->statusTip());
    QApplication::sendEvent(tree, &tip);
    EXPECT_EQ(hint->text(), "Add, remove or move items by right-clicking the mouse.");
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(tree, &none);
    EXPECT_EQ(hint->text(), "");
}

TEST_F(StartUp, EscapeClosesTheWindowThroughTheCloseQuestion) {
    Form().show();
    Form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    Form().MarkChanged();
    dialogs_.AnswerMessage(DialogButton::Cancel);
    QTest::keyClick(Form().findChild<QTreeView*>("trvwDesignPanel"), Qt::Key_Escape);
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{"Save changes to files before Exit?"});
    EXPECT_TRUE(Form().isVisible());
    // Inside the live preview Escape belongs to the page (it closes a sub-menu there).
    Form().MarkUnchanged();
    auto* pane = Form().findChild<QWidget*>("pnlLivePreview");
    ASSERT_TRUE(pane->isVisible());
    for (QWidget* inPane : pane->findChildren<QWidget*>()) {
        if (!inPane->isVisible() || !(inPane->focusPolicy() & Qt::TabFocus))
            continue;
        inPane->setFocus();
        QTest::keyClick(inPane, Qt::Key_Escape);
        EXPECT_TRUE(Form().isVisible()) << inPane->objectName().toStdString();
    }
    Form().MarkChanged();
    dialogs_.AnswerMessage(DialogButton::No);
    QTest::keyClick(Form().findChild<QLineEdit*>("edt_MenuName"), Qt::Key_Escape);
    EXPECT_FALSE(Form().isVisible());
}

// The border's width box is never squeezed below the size its values need: the pages
// scroll rather than squeeze.
TEST_F(StartUp, TheBorderWidthBoxShowsWhole) {
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    Form().Pages().Widget()->setCurrentWidget(Form().findChild<QWidget*>("tbshtStyle"));
    QApplication::processEvents();
    auto* border = Form().findChild<QSpinBox*>("spnedt_MainMenuBorderWidth");
    ASSERT_NE(border, nullptr);
    EXPECT_GE(border->width(), border->minimumSizeHint().width());
    EXPECT_GE(border->height(), border->minimumSizeHint().height());
}

// Window titles are the windows' own captions: a display name of the application would be
// appended to each of them, so the program sets none and the display name follows the name.
TEST(ApplicationIdentity, NamesTheProgramWithoutADisplayNameForTitles) {
    const QString before = QCoreApplication::applicationName();
    SetApplicationIdentity();
    EXPECT_EQ(QCoreApplication::applicationName(), "Zarvex");
    QCoreApplication::setApplicationName("Renamed");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Renamed");
    QCoreApplication::setApplicationName(before);
}

TEST(CommandLine, JoinsArgumentsWithBlanksAndTrims) {
    EXPECT_EQ(JoinCommandLine({"C:\\My", "Menus\\a.zarvex"}), "C:\\My Menus\\a.zarvex");
    EXPECT_EQ(JoinCommandLine({"/path/with two  spaces/a.zarvex"}),
              "/path/with two  spaces/a.zarvex");
    EXPECT_EQ(JoinCommandLine({" ", "a", ""}), "a");
    EXPECT_EQ(JoinCommandLine({}), "");
}

using CommandLineOpen = MainFormFixture;

TEST_F(CommandLineOpen, APathSplitAtItsBlankOpensTheFile) {
    QDir().mkpath(Folder() + "My Menus");
    const QString path = WriteProject("My Menus/a.zarvex", {{0, "Home"}, {1, "Sub"}});
    const QString first = Folder() + "My";
    Recreate();
    Form().OpenStartupPath(JoinCommandLine({first, "Menus/a.zarvex"}));
    EXPECT_EQ(Form().ProjectFileName(), path);
    EXPECT_EQ(Form().TreeModel().NodeCount(), 3);
    EXPECT_EQ(Form().TreeModel().Caption(2), "Sub");
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(CommandLineOpen, AQuotedPathWithTwoBlanksComesThroughAsItIs) {
    QDir().mkpath(Folder() + "with two  spaces");
    const QString path = WriteProject("with two  spaces/a.zarvex", {{0, "Only"}});
    Form().OpenStartupPath(JoinCommandLine({path}));
    EXPECT_EQ(Form().ProjectFileName(), path);
    EXPECT_EQ(Form().Agent().Items.size(), 1u);
}

TEST_F(CommandLineOpen, AStructureFileStartsANewDesignFromItsTree) {
    Form().OpenStartupPath(WriteProject("a.zarvex", {{0, "Home"}, {1, "Sub"}}));
    Form().Agent().ExportStructure((Folder() + "tree.GMS").toStdString());
    Recreate();
    Form().OpenStartupPath(Folder() + "tree.GMS");
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_TRUE(Form().ProjectFileName().isEmpty());
    EXPECT_EQ(Form().TreeModel().NodeCount(), 3);
    EXPECT_EQ(Form().TreeModel().Caption(2), "Sub");
}

TEST_F(CommandLineOpen, AMissingFileIsReportedAndLeavesTheEmptyDesign) {
    dialogs_.AnswerMessage(DialogButton::Ok);
    Form().OpenStartupPath(Folder() + "gone.zarvex");
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].messageKind, MessageKind::Error);
    EXPECT_TRUE(Form().ProjectFileName().isEmpty());
    EXPECT_EQ(Form().TreeModel().NodeCount(), 1);
    EXPECT_FALSE(Form().TreeRebuilding());
    EXPECT_FALSE(Form().ModifiedFlag());
}

}  // namespace
}  // namespace zarvex::ui::testing
