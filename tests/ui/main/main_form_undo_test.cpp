// Undo and redo through the real window: tree commands, drag and drop, indent and
// outdent, the tree's keys and property edits, down to a byte-identical project file.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>
#include <memory>
#include <random>

#include "platform/text_codec.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

class Undo : public MainFormFixture {
  protected:
    QTreeView* Tree() { return Form().findChild<QTreeView*>("trvwDesignPanel"); }
    QLineEdit* Edit(const char* name) { return Form().findChild<QLineEdit*>(name); }
    DesignTreeModel& M() { return Form().TreeModel(); }
    void Open(const std::vector<std::pair<int, QString>>& items) {
        dialogs_.AnswerOpen(WriteProject("u.zarvex", items));
        Trigger("Open1");
        ASSERT_EQ(M().NodeCount(), static_cast<int>(items.size()) + 1);
    }
    // The tree as "level:caption" in pre-order, checked against Items on the way.
    QStringList Shape() {
        QStringList shape;
        const auto& items = Form().Agent().Items;
        EXPECT_EQ(static_cast<int>(items.size()), M().NodeCount() - 1);
        for (int i = 1; i < M().NodeCount(); ++i) {
            shape << QString::number(M().NodeLevel(i)) + ':' + M().Caption(i);
            if (i - 1 < static_cast<int>(items.size())) {
                EXPECT_EQ(items[i - 1].Level, std::to_string(M().NodeLevel(i) - 1)) << i;
            }
        }
        return shape;
    }
    // Drops node pos as the model receives it from the view: row -1 drops onto parent.
    bool Drop(int pos, int row, int parentPos) {
        std::unique_ptr<QMimeData> data(M().mimeData({M().IndexAt(pos)}));
        const QModelIndex parent = M().IndexAt(parentPos);
        if (!M().canDropMimeData(data.get(), Qt::MoveAction, row, 0, parent))
            return false;
        return M().dropMimeData(data.get(), Qt::MoveAction, row, 0, parent);
    }
    QByteArray SaveAs(const QString& name) {
        dialogs_.AnswerSave(Folder() + name);
        Trigger("Save2");
        QFile file(Folder() + name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }
};

TEST_F(Undo, TreeCommandsUndoAndRedoWithTreeSelectionAndRecords) {
    Open({{0, "A"}, {1, "A1"}, {0, "B"}, {1, "B1"}, {2, "B1a"}, {0, "C"}});
    const QStringList start = Shape();
    const TItemArray records = Form().Agent().Items;
    EXPECT_FALSE(Action("Undo1")->isEnabled());
    Form().MarkUnchanged();

    Select(3);  // B
    Trigger("Insert2");
    EXPECT_EQ(Action("Undo1")->text(), "&Undo Insert");
    Trigger("Indent2");  // B under A
    EXPECT_EQ(Shape(), (QStringList{"1:A", "2:A1", "2:B", "3:B1", "4:B1a", "3:Item", "1:C"}));
    EXPECT_EQ(Form().SelectedNodeIndex(), 3);
    Trigger("Outdent1");
    Trigger("Outdent1");  // B is a top-level item again, and stays so
    EXPECT_FALSE(Action("Outdent2")->isEnabled());
    Select(4);  // B1
    dialogs_.AnswerMessage(DialogButton::Yes);
    Trigger("Delete2");
    EXPECT_EQ(Action("Undo1")->text(), "&Undo Delete");
    EXPECT_EQ(Shape(), (QStringList{"1:A", "2:A1", "1:B", "2:Item", "1:C"}));

    Trigger("Undo1");
    EXPECT_EQ(Form().SelectedNodeIndex(), 4) << "the deleted item comes back selected";
    EXPECT_EQ(Edit("edt_Text")->text(), "B1");
    EXPECT_EQ(Action("Redo1")->text(), "&Redo Delete");
    while (Action("Undo1")->isEnabled())
        Trigger("Undo1");
    EXPECT_EQ(Shape(), start);
    EXPECT_EQ(Form().Agent().Items, records);
    EXPECT_EQ(Form().SelectedNodeIndex(), 3);
    EXPECT_TRUE(Form().ModifiedFlag()) << "undoing never clears the changed mark";
    EXPECT_EQ(Action("Undo1")->text(), "&Undo");

    while (Action("Redo1")->isEnabled())
        Trigger("Redo1");
    EXPECT_EQ(Shape(), (QStringList{"1:A", "2:A1", "1:B", "2:Item", "1:C"}));
    EXPECT_EQ(Form().SelectedNodeIndex(), 4) << "after the delete, its next sibling";
}

TEST_F(Undo, TheTreeKeysAndShortCutsRunTheCommands) {
    Open({{0, "A"}, {0, "B"}});
    Form().show();
    Form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    Tree()->setFocus();
    Select(2);
    QTest::keyClick(Tree(), Qt::Key_Insert);
    EXPECT_EQ(Shape(), (QStringList{"1:A", "1:B", "2:Item"}));
    QTest::keyClick(Tree(), Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);  // indent
    EXPECT_EQ(Shape(), (QStringList{"1:A", "2:B", "3:Item"}));
    QTest::keyClick(Tree(), Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier);  // outdent
    EXPECT_EQ(Shape(), (QStringList{"1:A", "1:B", "2:Item"}));
    dialogs_.AnswerMessage(DialogButton::No);
    QTest::keyClick(Tree(), Qt::Key_Delete);
    EXPECT_EQ(dialogs_.MessageTexts().back(),
              "Are you sure to delete this item and all its children?");
    QTest::keyClick(Tree(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(Tree(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Shape(), (QStringList{"1:A", "1:B", "2:Item"}));
    QTest::keyClick(Tree(), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(Tree(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(Tree(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Shape(), (QStringList{"1:A", "1:B"}));
    QTest::keyClick(Tree(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Shape(), (QStringList{"1:A", "1:B", "2:Item"}));

    // In a text field the keys keep their meaning: Delete deletes a character, and
    // Ctrl+Z still undoes through the window's history.
    Select(1);
    QLineEdit* text = Edit("edt_Text");
    text->setFocus();
    QTest::keyClicks(text, "xy");
    QTest::keyClick(text, Qt::Key_Home);
    QTest::keyClick(text, Qt::Key_Delete);
    EXPECT_EQ(text->text(), "xy");
    EXPECT_EQ(Shape().size(), 3);
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);  // the typing was one step
    EXPECT_EQ(text->text(), "A");
    EXPECT_EQ(Shape().size(), 3);
}

TEST_F(Undo, PropertyEditsMergePerFieldAndARefusedTextComesBack) {
    Open({{0, "Home"}, {0, "News"}});
    Select(1);
    QLineEdit* text = Edit("edt_Text");
    text->setFocus();
    QTest::keyClicks(text, "Page");
    EXPECT_EQ(M().Caption(1), "HomePage");
    EXPECT_EQ(Action("Undo1")->text(), "&Undo Edit Text");
    QTest::keyClicks(Edit("edt_Icon"), "a.gif");
    Form().History().undo();  // the icon, typed in one step
    EXPECT_EQ(Edit("edt_Icon")->text(), "");
    Form().History().undo();  // the whole typed text
    EXPECT_EQ(text->text(), "Home");
    EXPECT_EQ(M().Caption(1), "Home");

    // The refused character is taken back after its warning and leaves no step of its own.
    dialogs_.AnswerMessage(DialogButton::Yes);
    QTest::keyClicks(text, "'s");
    EXPECT_EQ(text->text(), "Homes") << "the text before, then the next key";
    Form().History().undo();
    EXPECT_EQ(text->text(), "Home");

    // An edit undone on another item's record shows that item again.
    text->setText("Start");
    Select(2);
    Select(0);
    auto* tooltips = Form().findChild<QCheckBox*>("chkbx_Tooltips");
    tooltips->click();
    Edit("edt_MenuName")->setText("Nav");
    Form().History().undo();
    Form().History().undo();
    EXPECT_EQ(Edit("edt_MenuName")->text(), "MyMenu1");
    EXPECT_EQ(tooltips->isChecked(), Form().Agent().MenuParameters.ShowTooltips == "1");
    Form().History().undo();
    EXPECT_EQ(Form().SelectedNodeIndex(), 1);
    EXPECT_EQ(text->text(), "Home");
    EXPECT_EQ(Form().Agent().Items[0].Text, "Home");
}

TEST_F(Undo, DragAndDropMovesABlockBeforeAfterOrIntoAnItem) {
    Open({{0, "A"}, {1, "A1"}, {0, "B"}, {1, "B1"}, {2, "B1a"}, {0, "C"}});
    const QStringList start = Shape();
    // Never into its own block, never onto or beside the root.
    EXPECT_FALSE(Drop(3, -1, 4));
    EXPECT_FALSE(Drop(3, 0, 5));
    EXPECT_FALSE(Drop(3, -1, 3));
    EXPECT_FALSE(Drop(0, -1, 1));
    EXPECT_FALSE(Drop(3, 1, -1));
    EXPECT_EQ(Shape(), start);
    EXPECT_FALSE(Action("Undo1")->isEnabled());

    EXPECT_TRUE(Drop(3, -1, 6));  // B into C
    EXPECT_EQ(Shape(), (QStringList{"1:A", "2:A1", "1:C", "2:B", "3:B1", "4:B1a"}));
    EXPECT_EQ(Form().SelectedNodeIndex(), 4) << "the dropped item is selected";
    EXPECT_EQ(Action("Undo1")->text(), "&Undo Drag");
    EXPECT_TRUE(Drop(4, 0, 0));  // B before A
    EXPECT_EQ(Shape(), (QStringList{"1:B", "2:B1", "3:B1a", "1:A", "2:A1", "1:C"}));
    EXPECT_TRUE(Drop(5, 1, 1));  // A1 after B1, inside B
    EXPECT_EQ(Shape(), (QStringList{"1:B", "2:B1", "3:B1a", "2:A1", "1:A", "1:C"}));
    EXPECT_TRUE(Drop(1, 3, 0));  // B to the end, after C
    EXPECT_EQ(Shape(), (QStringList{"1:A", "1:C", "1:B", "2:B1", "3:B1a", "2:A1"}));
    while (Form().History().canUndo())
        Form().History().undo();
    EXPECT_EQ(Shape(), start);
}

// The Web Page choices: edits are steps of the history (typing a number is one step),
// mark the design changed, and are saved and read back with it.
TEST_F(Undo, WebPageChoicesAreUndoneSavedAndReadBack) {
    Open({{0, "Home"}, {1, "News"}});
    Select(1);
    const auto control = [this](const char* name) { return Form().findChild<QWidget*>(name); };
    auto* pattern = qobject_cast<QComboBox*>(control("cmbx_NavPattern"));
    auto* collapse = qobject_cast<QComboBox*>(control("cmbx_CollapseRule"));
    auto* width = qobject_cast<QSpinBox*>(control("spnedt_CollapseWidth"));
    auto* delay = qobject_cast<QSpinBox*>(control("spnedt_OpenDelay"));
    auto* current = qobject_cast<QCheckBox*>(control("chkbx_MarkCurrentPage"));
    ASSERT_TRUE(pattern && collapse && width && delay && current);
    EXPECT_FALSE(width->isEnabled()) << "the width belongs to the third rule only";

    Select(0);
    pattern->setCurrentIndex(1);
    const WebPageOptions& options = Form().Agent().WebPage;
    EXPECT_EQ(options.pattern, NavigationPattern::SiteNavigation);
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_EQ(Action("Undo1")->text(), "&Undo Edit Web Page");
    delay->setFocus();
    delay->selectAll();
    QTest::keyClicks(delay, "150");
    EXPECT_EQ(options.openDelay, 150);
    current->click();
    collapse->setCurrentIndex(static_cast<int>(CollapseRule::BelowWidth));
    EXPECT_TRUE(width->isEnabled());
    width->setValue(480);

    // Undone on another node's page: the root and the Web Page tab come back into view.
    Select(1);
    Form().History().undo();  // the width
    Form().History().undo();  // the rule
    EXPECT_EQ(Form().SelectedNodeIndex(), 0);
    EXPECT_EQ(Form().findChild<QTabWidget*>("pgcntrl1")->currentWidget()->objectName(),
              "tbshtWebPage");
    EXPECT_EQ(options.collapse, CollapseRule::WhenBarDoesNotFit);
    EXPECT_FALSE(width->isEnabled());
    Form().History().undo();  // the current page
    Form().History().undo();  // the whole typed delay
    EXPECT_EQ(options.openDelay, 0);
    EXPECT_EQ(delay->value(), 0);
    Form().History().undo();
    EXPECT_EQ(pattern->currentIndex(), 0);
    EXPECT_TRUE(options.IsDefault());
    for (int i = 0; i < 5; ++i)
        Form().History().redo();
    EXPECT_EQ(width->value(), 480);
    EXPECT_EQ(delay->value(), 150);

    const QByteArray saved = SaveAs("web.zarvex");
    EXPECT_TRUE(
        saved.contains("</Item_Parameters>\r\n<Web_Page>\r\nPattern=navigation\r\n"
                       "Collapse=480\r\nCurrentPage=1\r\nWithoutScripts=0\r\n"
                       "OpenDelay=150\r\n</Web_Page>"))
        << saved.toStdString();
    dialogs_.AnswerMessage(DialogButton::No);  // saved already: no second save
    Trigger("New1");
    EXPECT_EQ(pattern->currentIndex(), 0) << "a new design keeps the defaults";
    EXPECT_TRUE(Form().Agent().WebPage.IsDefault());
    dialogs_.AnswerOpen(Folder() + "web.zarvex");
    Trigger("Open1");
    EXPECT_EQ(pattern->currentIndex(), 1);
    EXPECT_EQ(collapse->currentIndex(), static_cast<int>(CollapseRule::BelowWidth));
    EXPECT_EQ(width->value(), 480);
    EXPECT_TRUE(current->isChecked());
    EXPECT_EQ(delay->value(), 150);
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_FALSE(Action("Undo1")->isEnabled()) << "an opened design starts a new history";
}

// Random commands through the window, with undo and redo among them; undoing all of
// them gives back the project file that was there at the start, byte for byte.
TEST_F(Undo, RandomCommandsUndoneGiveAByteIdenticalProjectFile) {
    Open({{0, "Home"},
          {0, "Products"},
          {1, "Hardware"},
          {2, "Disks"},
          {1, "Software"},
          {0, "About"},
          {1, "Team"},
          {0, "Contact"}});
    const QByteArray start = SaveAs("start.zarvex");
    const TItemArray records = Form().Agent().Items;
    std::mt19937 rng(4711);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    int serial = 0;
    for (int step = 0; step < 600; ++step) {
        SCOPED_TRACE(step);
        const int n = M().NodeCount();
        const int selected = Form().SelectedNodeIndex();
        switch (pick(13)) {
            case 0:
                Trigger("Insert1");
                break;
            case 1:
                if (selected > 0 && n > 6) {
                    dialogs_.AnswerMessage(DialogButton::Yes);
                    Trigger("Delete1");
                }
                break;
            case 2:
                Trigger("MoveUp1");
                break;
            case 3:
                Trigger("MoveDown1");
                break;
            case 4:
                Trigger("Indent1");
                break;
            case 5:
                Trigger("Outdent1");
                break;
            case 6:
                if (n > 1)
                    Drop(1 + pick(n - 1), pick(3) - 1, pick(n));
                break;
            case 7:
                Select(pick(n));
                break;
            case 8:
                if (selected > 0)
                    Edit("edt_Text")->setText("T" + QString::number(++serial));
                else
                    Edit("edt_MenuName")->setText("M" + QString::number(++serial));
                break;
            case 9:
                if (selected > 0) {
                    Edit("edt_ToolTip")->setText("tip " + QString::number(++serial));
                } else {
                    Form().findChild<QCheckBox*>("chkbx_ClickToOpen")->click();
                    Form().findChild<QSpinBox*>("spnedt_MenuFontSize")->setValue(pick(40));
                }
                break;
            case 10:
                if (selected > 0) {
                    dialogs_.AnswerMessage(DialogButton::Yes);
                    Edit("edt_Icon")->setText("it's.gif");  // refused and taken back
                }
                break;
            case 11:
                Trigger("Undo1");
                break;
            default:
                Trigger("Redo1");
                break;
        }
        ASSERT_TRUE(dialogs_.AllAnswered());
        if (HasFailure())
            break;
    }
    EXPECT_GT(Form().History().count(), 50);
    while (Action("Undo1")->isEnabled())
        Trigger("Undo1");
    EXPECT_EQ(Form().Agent().Items, records);
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_EQ(SaveAs("end.zarvex"), start);
}

}  // namespace
}  // namespace zarvex::ui::testing
