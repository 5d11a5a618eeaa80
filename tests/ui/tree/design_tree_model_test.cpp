#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSet>
#include <algorithm>
#include <numeric>
#include <random>

#include "model/item_list.h"
#include "ui/tree/design_tree_model.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui {
namespace {

std::vector<int> LevelsOf(const DesignTreeModel& m) {
    std::vector<int> levels;
    for (int i = 0; i < m.NodeCount(); ++i)
        levels.push_back(m.NodeLevel(i));
    return levels;
}

// root, A, A1, A1a, A2, B, B1
void Fill(DesignTreeModel& m, TkavoAppletAgent& agent) {
    const std::vector<int> levels{1, 2, 3, 2, 1, 2};
    const std::vector<std::string> texts{"A", "A1", "A1a", "A2", "B", "B1"};
    agent.Items.clear();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        TItemData d = NewItemRecord();
        d.Text = texts[i];
        d.Level = std::to_string(levels[i] - 1);
        agent.Items.push_back(d);
    }
    m.ResetToRoot();
    m.AppendNodes(levels, texts);
}

TEST(DesignTreeModel, AnswersStructureAndCaptionsFromItems) {
    TkavoAppletAgent agent;
    DesignTreeModel m(agent);
    Fill(m, agent);
    EXPECT_EQ(m.rowCount(), 1);
    const QModelIndex root = m.index(0, 0);
    EXPECT_EQ(m.data(root).toString(), "Zarvex");
    EXPECT_EQ(m.rowCount(root), 2);
    const QModelIndex a = m.index(0, 0, root);
    const QModelIndex b = m.index(1, 0, root);
    EXPECT_EQ(m.data(a).toString(), "A");
    EXPECT_EQ(m.data(b).toString(), "B");
    EXPECT_EQ(m.PositionOf(b), 5);
    EXPECT_EQ(m.parent(m.index(0, 0, b)), b);
    EXPECT_EQ(m.parent(root), QModelIndex());
    EXPECT_EQ(m.BlockSize(1), 4);
    EXPECT_EQ(m.NextSibling(1), 5);
    EXPECT_EQ(m.PrevSibling(5), 1);
    EXPECT_EQ(m.ParentOf(3), 2);
    // Leaves say so, which spares the view asking for their children.
    EXPECT_TRUE(m.flags(m.IndexAt(3)) & Qt::ItemNeverHasChildren);
    EXPECT_FALSE(m.flags(a) & Qt::ItemNeverHasChildren);
    EXPECT_FALSE(m.flags(a) & Qt::ItemIsEditable);
}

TEST(DesignTreeModel, IdsAreScrambledDistinctAndStayWithTheirNodeAcrossMoves) {
    TkavoAppletAgent agent;
    DesignTreeModel m(agent);
    Fill(m, agent);
    QSet<quintptr> ids;
    for (int i = 0; i < m.NodeCount(); ++i)
        ids.insert(m.IdAt(i));
    EXPECT_EQ(ids.size(), m.NodeCount());
    EXPECT_GT(m.IdAt(2) - m.IdAt(1), quintptr(1 << 20))
        << "neighbouring ids must not be sequential";

    const QPersistentModelIndex deepInMovedBlock(m.IndexAt(3));  // A1a
    const QPersistentModelIndex selected(m.IndexAt(5));          // B
    ASSERT_TRUE(m.MoveBlock(5, 0, 0));                           // B (with B1) before A
    EXPECT_EQ(LevelsOf(m), (std::vector<int>{0, 1, 2, 1, 2, 3, 2}));
    EXPECT_EQ(m.PositionOf(selected), 1);
    EXPECT_EQ(m.PositionOf(deepInMovedBlock), 5);
    EXPECT_EQ(m.data(deepInMovedBlock).toString(), "A1a");
    EXPECT_EQ(agent.Items[4].Text, "A1a");
    EXPECT_FALSE(m.MoveBlock(1, 2, 0)) << "a block never goes into itself";
    ASSERT_TRUE(m.MoveBlock(1, 0, 1));
    EXPECT_EQ(LevelsOf(m), (std::vector<int>{0, 1, 2, 3, 2, 1, 2}));
    EXPECT_EQ(m.data(selected).toString(), "B");
}

TEST(DesignTreeModel, CaptionOverrideShowsTypedTextUntilTheRecordTakesIt) {
    TkavoAppletAgent agent;
    DesignTreeModel m(agent);
    Fill(m, agent);
    m.SetCaptionOverride(1, "Typed");
    EXPECT_EQ(m.Caption(1), "Typed");
    agent.Items[0].Text = "Typed";
    m.ClearCaptionOverride(1);
    EXPECT_EQ(m.Caption(1), "Typed");
    // Field bytes from a Windows design show with their accents.
    agent.Items[1].Text = "Caf\xE9";
    EXPECT_EQ(m.Caption(2), QString::fromUtf8("Caf\xC3\xA9"));
}

TEST(DesignTreeModel, RefusesNodesThatAreNotAPreorderTree) {
    TkavoAppletAgent agent;
    DesignTreeModel m(agent);
    EXPECT_THROW(m.AppendNodes({2}, {"x"}), std::invalid_argument);
    EXPECT_THROW(m.AppendNodes({1, 3}, {"x", "y"}), std::invalid_argument);
    EXPECT_THROW(m.AppendNodes({1}, {}), std::invalid_argument);
    EXPECT_EQ(m.NodeCount(), 1);
    // A file may nest deeper than the commands let anyone indent: still a tree.
    std::vector<int> chain(DesignTreeModel::kMaxLevel + 5);
    std::iota(chain.begin(), chain.end(), 1);
    m.AppendNodes(chain, std::vector<std::string>(chain.size(), "x"));
    EXPECT_EQ(m.DeepestLevelIn(0), DesignTreeModel::kMaxLevel + 5);
    EXPECT_EQ(m.ParentOf(m.NodeCount() - 1), m.NodeCount() - 2);
}

// Random edits through the block operations the window's commands use (new, delete,
// move, indent, undo's put-back), under QAbstractItemModelTester; the records follow
// the nodes.
TEST(DesignTreeModel, PassesTheModelTesterUnderRandomBlockEdits) {
    testing::TesterFailures failures;
    TkavoAppletAgent agent;
    DesignTreeModel m(agent);
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Warning);
    std::mt19937 rng(7);
    const auto pick = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(rng);
    };
    int serial = 0;
    std::vector<DesignTreeModel::Block> taken;
    for (int step = 0; step < 1500; ++step) {
        const int n = m.NodeCount();
        const int pos = pick(0, n - 1);
        const int op = pick(0, 9);
        if (op < 4 || n < 3) {
            TItemData d = NewItemRecord();
            d.Text = "N" + std::to_string(++serial);
            m.PutBlock(pos, pick(0, m.ChildCount(pos)), m.NewBlock(d));
        } else if (op < 6 && pos > 0) {
            taken.push_back(m.TakeBlock(pos));
        } else if (op < 7 && !taken.empty()) {
            m.PutBlock(pos, pick(0, m.ChildCount(pos)), std::move(taken.back()));
            taken.pop_back();
        } else if (pos > 0) {
            // Any destination: one into its own block or too deep is refused unchanged.
            const int parent = pick(0, n - 1);
            m.MoveBlock(pos, parent, pick(0, m.ChildCount(parent)));
        }
        ASSERT_EQ(static_cast<int>(agent.Items.size()), m.NodeCount() - 1);
        for (int i = 1; i < m.NodeCount(); ++i) {
            ASSERT_EQ(agent.Items[i - 1].Level, std::to_string(m.NodeLevel(i) - 1)) << step;
            ASSERT_EQ(m.Caption(i).toStdString(), agent.Items[i - 1].Text);
        }
        // The derived block facts agree with the levels they come from.
        const int at = pick(0, m.NodeCount() - 1);
        int end = at + 1, deepest = m.NodeLevel(at);
        for (; end < m.NodeCount() && m.NodeLevel(end) > m.NodeLevel(at); ++end)
            deepest = std::max(deepest, m.NodeLevel(end));
        ASSERT_EQ(m.BlockSize(at), end - at) << step;
        ASSERT_EQ(m.DeepestLevelIn(at), deepest) << step;
        if (m.NodeCount() > 120)
            m.TakeBlock(1);
    }
    EXPECT_EQ(failures.Count(), 0);
}

}  // namespace
}  // namespace zarvex::ui
