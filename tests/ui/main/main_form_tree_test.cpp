#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>
#include <map>
#include <random>

#include "model/item_list.h"
#include "model/structure_file.h"
#include "platform/text_codec.h"
#include "ui/pages/property_pages.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

class TreeCommands : public MainFormFixture {
  protected:
    QTreeView* Tree() { return Form().findChild<QTreeView*>("trvwDesignPanel"); }
    QLineEdit* ItemText() { return Form().findChild<QLineEdit*>("edt_Text"); }
    // Opens a design given as (item level, text) pairs.
    void Open(const std::vector<std::pair<int, QString>>& items) {
        dialogs_.AnswerOpen(WriteProject("t.zarvex", items));
        Trigger("Open1");
        ASSERT_EQ(Form().TreeModel().NodeCount(), static_cast<int>(items.size()) + 1);
    }
    // Each item's text and level against its node's caption and level.
    void ExpectItemsMatchTree() {
        const auto& m = Form().TreeModel();
        const auto& items = Form().Agent().Items;
        ASSERT_EQ(static_cast<int>(items.size()), m.NodeCount() - 1);
        for (int k = 0; k < static_cast<int>(items.size()); ++k) {
            EXPECT_EQ(m.Caption(k + 1), platform::DecodeFieldText(items[k].Text)) << k;
            EXPECT_EQ(items[k].Level, std::to_string(m.NodeLevel(k + 1) - 1)) << k;
        }
    }
    QStringList Captions() {
        QStringList c;
        for (int i = 1; i < Form().TreeModel().NodeCount(); ++i)
            c << Form().TreeModel().Caption(i);
        return c;
    }
};

TEST_F(TreeCommands, InsertUnderTheRootAddsATopLevelItemAtTheEnd) {
    Open({{0, "A"}, {1, "A1"}});
    Trigger("Insert1");
    EXPECT_EQ(Captions(), (QStringList{"A", "A1", "Item"}));
    EXPECT_EQ(Form().Agent().Items[2].Level, "0");
    EXPECT_EQ(Form().Agent().Items[2].Target, "_self");
    EXPECT_EQ(Form().SelectedNodeIndex(), 0);
    EXPECT_TRUE(Form().ModifiedFlag());
}

TEST_F(TreeCommands, InsertUnderAnItemAddsItsLastChildAndExpandsIt) {
    Open({{0, "A"}, {1, "A1"}, {0, "B"}});
    Select(1);
    Trigger("tlbtnInsert");
    EXPECT_EQ(Captions(), (QStringList{"A", "A1", "Item", "B"}));
    EXPECT_EQ(Form().Agent().Items[2].Level, "1");
    EXPECT_EQ(Form().SelectedNodeIndex(), 1);
    EXPECT_TRUE(Tree()->isExpanded(Form().TreeModel().IndexAt(1)));
    ExpectItemsMatchTree();

    // Under an item already expanded, small beside the tree and last in it, with the view
    // scrolled to its end: the view stays where it was, the expansion inside the item
    // stays, and the new child is shown.
    std::vector<std::pair<int, QString>> design;
    for (int i = 0; i < 60; ++i)
        design.push_back({0, QStringLiteral("B%1").arg(i)});
    design.insert(design.end(), {{0, "Z"}, {1, "Z1"}, {2, "Z11"}, {1, "Z2"}});
    Form().MarkUnchanged();
    Open(design);
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    const auto& model = Form().TreeModel();
    const int z = 61;
    Tree()->expand(model.IndexAt(z));
    Tree()->expand(model.IndexAt(z + 1));
    Select(z);
    QApplication::processEvents();
    QScrollBar* bar = Tree()->verticalScrollBar();
    bar->setValue(bar->maximum());
    const int scrolled = bar->value();
    ASSERT_GT(scrolled, 0);
    Trigger("Insert1");
    QApplication::processEvents();
    EXPECT_EQ(model.Caption(z + 4), "Item");
    EXPECT_TRUE(Tree()->isExpanded(model.IndexAt(z)));
    EXPECT_TRUE(Tree()->isExpanded(model.IndexAt(z + 1)));
    EXPECT_TRUE(Tree()->visualRect(model.IndexAt(z + 2)).isValid());
    EXPECT_TRUE(Tree()->visualRect(model.IndexAt(z + 4)).isValid());
    EXPECT_EQ(bar->value(), scrolled);
    ExpectItemsMatchTree();
}

// After the last item went, the root has no children and the view drops its expansion;
// the next insert must show its item again.
TEST_F(TreeCommands, InsertAfterDeletingTheLastItemShowsTheNewItem) {
    Open({{0, "A"}});
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    Select(1);
    dialogs_.AnswerMessage(DialogButton::Yes);
    Trigger("Delete1");
    ASSERT_EQ(Form().TreeModel().NodeCount(), 1);
    Select(0);
    Trigger("Insert1");
    QApplication::processEvents();
    EXPECT_TRUE(Tree()->isExpanded(Form().TreeModel().IndexAt(0)));
    EXPECT_TRUE(Tree()->visualRect(Form().TreeModel().IndexAt(1)).isValid());
    // Undone and redone, the item shows again too.
    Trigger("Undo1");
    Trigger("Redo1");
    QApplication::processEvents();
    EXPECT_TRUE(Tree()->visualRect(Form().TreeModel().IndexAt(1)).isValid());
}

// Renaming in place goes through the Text field: its checks, its node caption and its
// history. F2 and a double click open the editor; Escape leaves the name.
TEST_F(TreeCommands, RenameInPlaceTakesTheTextFieldsChecksAndHistory) {
    Open({{0, "Home"}, {0, "News"}});
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    auto* editor = Form().findChild<QLineEdit*>("edtRenameItem");
    ASSERT_NE(editor, nullptr);
    Select(1);
    Tree()->setFocus();
    QTest::keyClick(Tree(), Qt::Key_F2);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->selectedText(), "Home");
    QTest::keyClicks(editor, "Start");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(Form().isVisible());
    EXPECT_EQ(Form().TreeModel().Caption(1), "Start");
    EXPECT_EQ(ItemText()->text(), "Start");
    EXPECT_EQ(Action("Undo1")->text(), "&Undo Edit Text");

    // A refused name is warned about and leaves the name it had.
    // (A real double click starts with a press, which the test's double click leaves out.)
    const QPoint news = Tree()->visualRect(Form().TreeModel().IndexAt(2)).center();
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, news);
    QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {}, news);
    QApplication::processEvents();
    ASSERT_TRUE(editor->isVisible());
    dialogs_.AnswerMessage(DialogButton::Yes);
    QTest::keyClicks(editor, "Men's");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(dialogs_.MessageTexts().size(), 1);
    EXPECT_EQ(Form().TreeModel().Caption(2), "News");

    // Escape closes the editor, not the window.
    QTest::keyClick(Tree(), Qt::Key_F2);
    QTest::keyClicks(editor, "Gone");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_TRUE(Form().isVisible());
    EXPECT_EQ(Form().TreeModel().Caption(2), "News");

    ExpectItemsMatchTree();
}

// Duplicate, cut, copy and paste move an item with its sub-items, each in one undo step;
// the clipboard holds the structure file's text, so items come from a text editor too.
TEST_F(TreeCommands, DuplicateCutCopyAndPasteMoveBlocksInOneStepEach) {
    Open({{0, "A"}, {1, "A1"}, {2, "A11"}, {0, "B"}});
    TItemData a = Form().Agent().GetItem(0);
    a.Target = "_blank";
    Form().Agent().SetItem(0, a);
    const TItemArray start = Form().Agent().Items;
    const int steps = Form().History().count();

    Select(1);
    Trigger("Duplicate1");
    EXPECT_EQ(Captions(), (QStringList{"A", "A1", "A11", "A", "A1", "A11", "B"}));
    EXPECT_EQ(Form().Agent().Items[3].Target, "_blank");
    EXPECT_EQ(Form().SelectedNodeIndex(), 4);
    ExpectItemsMatchTree();
    Trigger("Undo1");
    EXPECT_EQ(Form().Agent().Items, start);

    Select(2);
    Trigger("Copy1");
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains("A11")) << copied.toStdString();
    EXPECT_FALSE(copied.contains("B#$@"));
    Select(4);
    Trigger("Paste1");
    EXPECT_EQ(Captions(), (QStringList{"A", "A1", "A11", "B", "A1", "A11"}));
    ExpectItemsMatchTree();

    Select(1);
    Trigger("Cut1");
    EXPECT_EQ(Captions(), (QStringList{"B", "A1", "A11"}));
    Select(3);
    Trigger("Paste1");  // after A11, at its level
    EXPECT_EQ(Captions(), (QStringList{"B", "A1", "A11", "A", "A1", "A11"}));
    EXPECT_EQ(Form().Agent().Items[3].Level, "1");
    ExpectItemsMatchTree();
    EXPECT_EQ(Form().History().count(), steps + 3);
    for (int i = 0; i < 3; ++i)
        Trigger("Undo1");
    EXPECT_EQ(Form().Agent().Items, start);

    // Structure text from elsewhere; text that is none is not offered for pasting.
    QApplication::clipboard()->setText("just words");
    Select(0);
    EXPECT_FALSE(Action("Paste1")->isEnabled());
    TItemArray outside(2, TkavoAppletAgent::NewItemRecord());
    outside[0].Text = "X";
    outside[0].Level = "0";
    outside[1].Text = "Y";
    outside[1].Level = "0";
    QApplication::clipboard()->setText(QString::fromStdString(FormatStructureText(outside)));
    EXPECT_TRUE(Action("Paste1")->isEnabled());
    Trigger("Paste1");
    EXPECT_EQ(Captions(), (QStringList{"A", "A1", "A11", "B", "X", "Y"}));
    ExpectItemsMatchTree();
    Trigger("Undo1");
    EXPECT_EQ(Form().Agent().Items, start);
}

TEST_F(TreeCommands, TheFilterFindsItemsByCaptionOrLinkAndChoosingSelects) {
    Open({{0, "Home"}, {0, "Careers"}, {1, "Men's jobs"}, {0, "About"}});
    TItemData about = Form().Agent().GetItem(3);
    about.Link = "http://example.com/CAREER.html";
    Form().Agent().SetItem(3, about);
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    Trigger("Find1");
    auto* box = Form().findChild<QLineEdit*>("edtTreeFilter");
    ASSERT_TRUE(box->hasFocus());
    QTest::keyClicks(box, "career");
    auto* results = Form().findChild<QListView*>("lstTreeFilterResults");
    EXPECT_TRUE(results->isVisible());
    EXPECT_FALSE(Tree()->isVisible());
    ASSERT_EQ(results->model()->rowCount(), 2);
    EXPECT_EQ(results->model()->index(1, 0).data().toString(),
              QString::fromUtf8("About  \u2014  http://example.com/CAREER.html"));
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(Form().SelectedNodeIndex(), 2);
    QTest::keyClick(results, Qt::Key_Down);
    EXPECT_EQ(Form().SelectedNodeIndex(), 4);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(Form().isVisible()) << "Escape clears the box";
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_TRUE(Tree()->isVisible());
    EXPECT_EQ(Form().SelectedNodeIndex(), 4);
}

TEST_F(TreeCommands, InsertStopsBelowLevel9999) {
    std::vector<std::pair<int, QString>> chain;
    for (int level = 0; level < 9999; ++level)
        chain.emplace_back(level, QString::number(level));
    Open(chain);
    Select(9998);  // tree level 9998
    EXPECT_TRUE(Action("Insert1")->isEnabled());
    EXPECT_TRUE(Action("Insert2")->isEnabled());
    Select(9999);
    EXPECT_FALSE(Action("Insert1")->isEnabled());
    EXPECT_FALSE(Action("tlbtnInsert")->isEnabled());
    EXPECT_FALSE(Action("Insert2")->isEnabled());
    Select(9998);
    Trigger("Insert1");
    EXPECT_EQ(Form().TreeModel().NodeLevel(10000), 9999);
    EXPECT_EQ(Form().Agent().Items.back().Level, "9998");
}

// At the deepest level the keys still move a valid selection and every caption has
// room: the tree scrolls sideways rather than clipping deep captions away.
TEST_F(TreeCommands, ADeepTreeKeepsASelectionAndShowsDeepCaptions) {
    std::vector<std::pair<int, QString>> chain;
    for (int level = 0; level < 9999; ++level)
        chain.emplace_back(level, "Level" + QString::number(level + 1));
    Open(chain);
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    Tree()->setFocus();
    Select(9999);
    QApplication::processEvents();
    for (const int key : {Qt::Key_End, Qt::Key_Home, Qt::Key_End, Qt::Key_Up}) {
        QTest::keyClick(Tree(), static_cast<Qt::Key>(key));
        const int selected = Form().SelectedNodeIndex();
        ASSERT_GE(selected, 0) << key;
        EXPECT_EQ(Tree()->selectionModel()->selectedIndexes().size(), 1) << key;
        EXPECT_TRUE(Tree()->currentIndex().isValid()) << key;
    }
    EXPECT_EQ(Form().SelectedNodeIndex(), 9998);
    for (const int pos : {9999, 1, 9998}) {
        const QModelIndex deep = Form().TreeModel().IndexAt(pos);
        Select(pos);
        QApplication::processEvents();
        const QRect shown = Tree()->visualRect(deep);
        const int captionWidth =
            Tree()->fontMetrics().horizontalAdvance(Form().TreeModel().Caption(pos));
        EXPECT_GE(shown.width(), captionWidth) << pos;
        EXPECT_TRUE(shown.intersects(Tree()->viewport()->rect())) << pos;
    }
}

TEST_F(TreeCommands, DeleteRefusesTheRoot) {
    EXPECT_FALSE(Action("Delete1")->isEnabled());
    dialogs_.AnswerMessage(DialogButton::Ok);
    Form().Delete1Click();
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text, "Root item cannot be deleted.");
    EXPECT_EQ(dialogs_.Calls()[0].messageKind, MessageKind::Error);
    EXPECT_TRUE(Form().ModifiedFlag());
}

TEST_F(TreeCommands, DeleteAnsweredNoChangesNothingButTheFlag) {
    Open({{0, "A"}, {1, "A1"}});
    Select(1);
    Form().MarkUnchanged();
    dialogs_.AnswerMessage(DialogButton::No);
    Trigger("Delete2");
    EXPECT_EQ(dialogs_.Calls().back().text,
              "Are you sure to delete this item and all its children?");
    EXPECT_EQ(dialogs_.Calls().back().buttons, DialogButton::Yes | DialogButton::No);
    EXPECT_EQ(Captions(), (QStringList{"A", "A1"}));
    EXPECT_TRUE(Form().ModifiedFlag());
}

TEST_F(TreeCommands, DeleteRemovesTheItemWithItsDescendantsAndSelectsANeighbour) {
    Open({{0, "A"}, {0, "B"}, {1, "B1"}, {2, "B1a"}, {1, "B2"}, {0, "C"}});
    Select(2);
    dialogs_.AnswerMessage(DialogButton::Yes);
    Trigger("Delete1");
    EXPECT_EQ(Captions(), (QStringList{"A", "C"}));
    ExpectItemsMatchTree();
    EXPECT_EQ(Form().SelectedNodeIndex(), 2) << "the next sibling takes the selection";
    EXPECT_EQ(ItemText()->text(), "C");

    dialogs_.AnswerMessage(DialogButton::Yes);
    Trigger("Delete1");
    EXPECT_EQ(Captions(), QStringList{"A"});
    EXPECT_EQ(Form().SelectedNodeIndex(), 1) << "then the previous sibling";
    dialogs_.AnswerMessage(DialogButton::Yes);
    Trigger("Delete1");
    EXPECT_TRUE(Form().Agent().Items.empty());
    EXPECT_EQ(Form().SelectedNodeIndex(), 0) << "then the parent";
}

TEST_F(TreeCommands, DeleteDropsTheDeletedItemsUnsavedEdits) {
    Open({{0, "A"}, {0, "B"}});
    Select(1);
    ItemText()->setText("edited");
    EXPECT_EQ(Form().TreeModel().Caption(1), "edited");
    dialogs_.AnswerMessage(DialogButton::Yes);
    Trigger("Delete1");
    EXPECT_EQ(Captions(), QStringList{"B"});
    EXPECT_EQ(ItemText()->text(), "B");
    EXPECT_EQ(Form().Agent().Items[0].Text, "B");
}

TEST_F(TreeCommands, MovesCarryWholeBlocksAndKeepSelectionAndExpansion) {
    Open({{0, "A"}, {1, "A1"}, {1, "A2"}, {0, "B"}, {1, "B1"}, {2, "B1a"}});
    Tree()->expand(Form().TreeModel().IndexAt(1));
    Tree()->expand(Form().TreeModel().IndexAt(4));
    Tree()->expand(Form().TreeModel().IndexAt(5));
    Select(4);
    EXPECT_TRUE(Action("MoveUp1")->isEnabled());
    EXPECT_FALSE(Action("MoveDown1")->isEnabled());
    Trigger("MoveUp2");
    EXPECT_EQ(Captions(), (QStringList{"B", "B1", "B1a", "A", "A1", "A2"}));
    ExpectItemsMatchTree();
    EXPECT_EQ(Form().SelectedNodeIndex(), 1);
    EXPECT_EQ(Form().CurrentItemNodeIndex(), 1);
    for (int expanded : {1, 2, 4})
        EXPECT_TRUE(Tree()->isExpanded(Form().TreeModel().IndexAt(expanded)));
    EXPECT_FALSE(Action("tlbtnMoveUp")->isEnabled());
    EXPECT_TRUE(Action("tlbtnMoveDown")->isEnabled());

    Trigger("MoveDown1");
    EXPECT_EQ(Captions(), (QStringList{"A", "A1", "A2", "B", "B1", "B1a"}));
    EXPECT_EQ(Form().SelectedNodeIndex(), 4);
    ExpectItemsMatchTree();
}

TEST_F(TreeCommands, MoveWithoutASiblingOnlyMarksTheDesignChanged) {
    Open({{0, "A"}, {1, "A1"}});
    Select(2);
    Form().MarkUnchanged();
    EXPECT_FALSE(Action("MoveUp1")->isEnabled());
    EXPECT_FALSE(Action("MoveDown1")->isEnabled());
    Form().MoveUp1Click();
    Form().MoveDown1Click();
    EXPECT_EQ(Captions(), (QStringList{"A", "A1"}));
    EXPECT_TRUE(Form().ModifiedFlag());
}

TEST_F(TreeCommands, SelectionMovesTheItemPageBetweenRecords) {
    Open({{0, "A"}, {0, "B"}});
    auto* pages = Form().findChild<QTabWidget*>("pgcntrl1");
    Select(1);
    EXPECT_EQ(pages->currentWidget()->objectName(), "tbshtItem");
    EXPECT_FALSE(pages->isTabVisible(pages->indexOf(Form().findChild<QWidget*>("tbshtScript"))));
    EXPECT_TRUE(Form().ModifiedFlag()) << "selecting an item marks the design changed";
    ItemText()->setText("  Alpha ");
    EXPECT_EQ(Form().TreeModel().Caption(1), "Alpha") << "the caption follows the typing, trimmed";
    EXPECT_EQ(Form().Agent().Items[0].Text, "A") << "the record waits for the page to be read";

    Select(0);
    EXPECT_EQ(Form().Agent().Items[0].Text, "Alpha");
    EXPECT_EQ(pages->currentWidget()->objectName(), "tbshtScript");
    EXPECT_EQ(Form().CurrentItemNodeIndex(), 1) << "the root keeps the last item shown";
    Select(2);
    EXPECT_EQ(ItemText()->text(), "B");
    Select(1);
    EXPECT_EQ(ItemText()->text(), "Alpha");
}

TEST_F(TreeCommands, RightClickSelectsTheNodeUnderTheMouse) {
    Open({{0, "A"}, {0, "B"}});
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    const QRect b = Tree()->visualRect(Form().TreeModel().IndexAt(2));
    ASSERT_TRUE(b.isValid());
    QTest::mousePress(Tree()->viewport(), Qt::RightButton, {}, b.center());
    QTest::mouseRelease(Tree()->viewport(), Qt::RightButton, {}, b.center());
    EXPECT_EQ(Form().SelectedNodeIndex(), 2);
    EXPECT_TRUE(Action("Delete1")->isEnabled());
    EXPECT_TRUE(Action("MoveUp1")->isEnabled());
    if (auto* popup = Form().findChild<QMenu*>("PopupMenu1"))
        popup->close();
}

// A reference of the tree and the item list built the slow way: the tree as a
// naive pre-order list, the items with one-record operations in the loops of the
// editing rules.
struct Reference {
    struct Node {
        int level;
        QString text;
    };
    std::vector<Node> nodes{{0, "Zarvex"}};
    TItemArray items;

    int End(int pos) const {
        int end = pos + 1;
        while (end < static_cast<int>(nodes.size()) && nodes[end].level > nodes[pos].level)
            ++end;
        return end;
    }
    int Prev(int pos) const {
        for (int i = pos - 1; i > 0; --i) {
            if (nodes[i].level < nodes[pos].level)
                return -1;
            if (nodes[i].level == nodes[pos].level)
                return i;
        }
        return -1;
    }
    int Next(int pos) const {
        const int end = End(pos);
        return end < static_cast<int>(nodes.size()) && nodes[end].level == nodes[pos].level ? end
                                                                                            : -1;
    }
    int Parent(int pos) const {
        for (int i = pos - 1; i >= 0; --i)
            if (nodes[i].level < nodes[pos].level)
                return i;
        return -1;
    }
    void Insert(int parent) {
        const int at = End(parent);
        nodes.insert(nodes.begin() + at, {nodes[parent].level + 1, "Item"});
        TItemData d = NewItemRecord();
        d.Level = std::to_string(nodes[parent].level);
        items::Insert(items, at - 1, d);
    }
    void Delete(int pos) {
        const int first = pos - 1;
        int node = pos, last = static_cast<int>(nodes.size()) - 2;
        while (node > 0) {
            if (Next(node) >= 0) {
                last = Next(node) - 2;
                break;
            }
            node = Parent(node);
        }
        for (int i = 0; i <= last - first; ++i)
            items::Delete(items, first);
        nodes.erase(nodes.begin() + pos, nodes.begin() + End(pos));
    }
    // Moves the block at lower in front of its previous sibling's block at upper.
    void Swap(int upper, int lower) {
        const int p = End(upper) - upper, s = End(lower) - lower, first = lower - 1;
        for (int k = 0; k < s; ++k)
            for (int j = first + k; j >= first + k - p + 1; --j)
                items::MoveUp(items, j);
        std::rotate(nodes.begin() + upper, nodes.begin() + lower, nodes.begin() + End(lower));
    }
};

TEST_F(TreeCommands, RandomEditSequencesKeepItemsAndTreeInStep) {
    TesterFailures failures;
    QAbstractItemModelTester tester(&Form().TreeModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    Reference ref;
    std::mt19937 rng(20240611);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    int serial = 0, largest = 0;
    std::map<std::string, int> done;
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        const int n = static_cast<int>(ref.nodes.size());
        int selected = Form().SelectedNodeIndex();
        ASSERT_GE(selected, 0);
        // Small trees grow, large ones shrink.
        const int insertUpTo = n < 120 ? 50 : 30;
        const int deleteUpTo = insertUpTo + (n > 200 ? 35 : 8);
        const int roll = pick(100);
        if (roll < insertUpTo) {
            Trigger("Insert1");
            ref.Insert(selected);
            ++done["insert"];
        } else if (roll < deleteUpTo) {
            if (selected == 0) {
                Trigger("Delete1");  // disabled for the root: no question, no change
            } else {
                const bool yes = pick(5) != 0;
                dialogs_.AnswerMessage(yes ? DialogButton::Yes : DialogButton::No);
                int expected = -1;
                if (yes) {
                    // The next sibling (which moves up into the gap), else the previous
                    // sibling, else the parent takes the selection.
                    const int next = ref.Next(selected), prev = ref.Prev(selected);
                    expected = next >= 0 ? selected : prev >= 0 ? prev : ref.Parent(selected);
                    ref.Delete(selected);
                    ++done["delete"];
                }
                Trigger("Delete1");
                if (yes) {
                    ASSERT_EQ(Form().SelectedNodeIndex(), expected);
                }
            }
        } else if (roll < deleteUpTo + 12) {
            const int prev = selected > 0 ? ref.Prev(selected) : -1;
            Trigger("MoveUp1");
            if (prev >= 0) {
                ref.Swap(prev, selected);
                ++done["up"];
                ASSERT_EQ(Form().SelectedNodeIndex(), prev);
            }
        } else if (roll < deleteUpTo + 24) {
            const int next = selected > 0 ? ref.Next(selected) : -1;
            Trigger("MoveDown1");
            if (next >= 0) {
                const int nextSize = ref.End(next) - next;
                ref.Swap(selected, next);
                ++done["down"];
                ASSERT_EQ(Form().SelectedNodeIndex(), selected + nextSize);
            }
        } else if (roll < 95 || n == 1) {
            Select(pick(n));
        } else {
            // Rename the selected item through its page: unique texts make order checkable.
            selected = Form().SelectedNodeIndex();
            if (selected > 0) {
                const QString text = "N" + QString::number(++serial);
                ItemText()->setText(text);
                ASSERT_EQ(Form().TreeModel().Caption(selected), text);
                Form().CommitPages();
                ref.nodes[selected].text = text;
                ref.items[selected - 1].Text = ToCorePath(text);
                ++done["rename"];
            }
        }
        const auto& m = Form().TreeModel();
        ASSERT_EQ(m.NodeCount(), static_cast<int>(ref.nodes.size()));
        ASSERT_EQ(Form().Agent().Items, ref.items);
        for (int i = 0; i < m.NodeCount(); ++i) {
            ASSERT_EQ(m.NodeLevel(i), ref.nodes[i].level) << i;
            ASSERT_EQ(m.Caption(i), ref.nodes[i].text) << i;
        }
        ExpectItemsMatchTree();
        largest = std::max(largest, m.NodeCount());
        if (HasFailure())
            break;
    }
    // The sequence really exercised every command on trees of some size.
    for (const char* command : {"insert", "delete", "up", "down", "rename"})
        EXPECT_GT(done[command], 50) << command;
    EXPECT_GT(largest, 100);
    EXPECT_EQ(failures.Count(), 0);
}

}  // namespace
}  // namespace zarvex::ui::testing
