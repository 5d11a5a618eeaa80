#include <gtest/gtest.h>

#include "model/preorder_tree.h"
#include "model/tree_shape.h"

namespace zarvex {
namespace {

TEST(TreeShape, AnswersStructureQuestionsFromLevels) {
    // root, A(1), A1(2), A1a(3), A2(2), B(1)
    const TreeShape t({0, 1, 2, 3, 2, 1});
    EXPECT_EQ(t.Parent(0), -1);
    EXPECT_EQ(t.Parent(3), 2);
    EXPECT_EQ(t.Parent(4), 1);
    EXPECT_EQ(t.Parent(5), 0);
    EXPECT_EQ(t.NextSibling(1), 5);
    EXPECT_EQ(t.PrevSibling(5), 1);
    EXPECT_EQ(t.NextSibling(2), 4);
    EXPECT_EQ(t.NextSibling(3), -1);
    EXPECT_EQ(t.NextSibling(4), -1);
    EXPECT_EQ(t.PrevSibling(2), -1);
    EXPECT_TRUE(t.HasChildren(1));
    EXPECT_FALSE(t.HasChildren(3));
    EXPECT_FALSE(t.HasChildren(5));
    EXPECT_EQ(t.SubtreeEnd(1), 5);
    EXPECT_EQ(t.SubtreeEnd(0), 6);
    EXPECT_TRUE(t.IsLast(5));
}

TEST(TreeShape, RefusesABrokenSequence) {
    EXPECT_THROW(TreeShape({0, 2}), std::invalid_argument);
    EXPECT_THROW(TreeShape({1}), std::invalid_argument);
    EXPECT_THROW(TreeShape({0, 1, 0}), std::invalid_argument);
}

TEST(TreeShape, ItemLevelSequenceCheck) {
    std::size_t bad = 99;
    EXPECT_TRUE(IsValidItemLevelSequence({}, bad));
    EXPECT_TRUE(IsValidItemLevelSequence({0, 1, 2, 1, 0}, bad));
    EXPECT_FALSE(IsValidItemLevelSequence({1}, bad));
    EXPECT_EQ(bad, 0u);
    EXPECT_FALSE(IsValidItemLevelSequence({0, 1, 3}, bad));
    EXPECT_EQ(bad, 2u);
    EXPECT_FALSE(IsValidItemLevelSequence({0, -1}, bad));
    EXPECT_EQ(bad, 1u);
}

TEST(PreorderTree, AddLastChildKeepsPreorder) {
    PreorderTree t;
    const int a = t.AddLastChild(0, "A");
    const int b = t.AddLastChild(0, "B");
    const int a1 = t.AddLastChild(a, "A1");
    EXPECT_EQ(a1, 2);
    EXPECT_EQ(t.Caption(3), "B");
    EXPECT_EQ(b, 2);  // index at the moment of insertion
    EXPECT_EQ(t.Levels(), (std::vector<int>{0, 1, 2, 1}));
    t.ResetToRoot();
    EXPECT_EQ(t.NodeCount(), 1);
    EXPECT_EQ(t.Caption(0), "Zarvex");
}

}  // namespace
}  // namespace zarvex
