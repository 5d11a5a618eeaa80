#include <gtest/gtest.h>

#include <random>

#include "model/item_list.h"

namespace zarvex {
namespace {

TItemArray Named(std::initializer_list<const char*> texts) {
    TItemArray out;
    for (const char* t : texts) {
        TItemData d = NewItemRecord();
        d.Text = t;
        out.push_back(d);
    }
    return out;
}

std::string Texts(const TItemArray& items) {
    std::string s;
    for (const auto& i : items)
        s += i.Text + ",";
    return s;
}

TEST(ItemList, InsertAtTheEdges) {
    TItemArray empty;
    items::Insert(empty, 0, Named({"a"})[0]);
    EXPECT_EQ(Texts(empty), "a,");

    TItemArray emptyFar;
    items::Insert(emptyFar, 7, Named({"a"})[0]);
    EXPECT_EQ(Texts(emptyFar), "a,") << "an empty list takes the record whatever the index";

    TItemArray list = Named({"a", "b"});
    items::Insert(list, 3, Named({"x"})[0]);
    EXPECT_EQ(Texts(list), "a,b,") << "beyond the end of a non-empty list nothing changes";
    items::Insert(list, 2, Named({"c"})[0]);
    EXPECT_EQ(Texts(list), "a,b,c,");
    items::Insert(list, 0, Named({"z"})[0]);
    EXPECT_EQ(Texts(list), "z,a,b,c,");
}

TEST(ItemList, DeleteAtTheEdges) {
    TItemArray one = Named({"a"});
    items::Delete(one, 5);
    EXPECT_TRUE(one.empty()) << "a one-element list empties whatever the index";

    TItemArray none;
    items::Delete(none, 0);
    EXPECT_TRUE(none.empty());

    TItemArray list = Named({"a", "b", "c"});
    items::Delete(list, 3);
    EXPECT_EQ(Texts(list), "a,b,c,");
    items::Delete(list, 2);
    EXPECT_EQ(Texts(list), "a,b,");
    items::Delete(list, 0);
    EXPECT_EQ(Texts(list), "b,");
}

TEST(ItemList, MoveUpAtTheEdges) {
    TItemArray list = Named({"a", "b", "c"});
    items::MoveUp(list, 0);
    EXPECT_EQ(Texts(list), "a,b,c,");
    items::MoveUp(list, 3);
    EXPECT_EQ(Texts(list), "a,b,c,");
    items::MoveUp(list, 2);
    EXPECT_EQ(Texts(list), "a,c,b,");
}

TItemArray Numbered(int n) {
    TItemArray out(n);
    for (int i = 0; i < n; ++i)
        out[i].Text = std::to_string(i);
    return out;
}

// Block operations must equal the one-record loops on every input, in range or not.
TEST(ItemList, BlockOperationsEqualTheOneRecordLoops) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 4000; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 12)(rng);
        const int first = std::uniform_int_distribution<int>(-2, 14)(rng);
        const int a = std::uniform_int_distribution<int>(0, 8)(rng);
        const int b = std::uniform_int_distribution<int>(0, 8)(rng);

        TItemArray loop = Numbered(n), block = Numbered(n);
        for (int i = 0; i < a; ++i)
            items::Delete(loop, first);
        items::DeleteBlock(block, first, a);
        ASSERT_EQ(Texts(block), Texts(loop))
            << "delete n=" << n << " first=" << first << " count=" << a;

        loop = Numbered(n);
        block = Numbered(n);
        for (int k = 0; k < b; ++k)
            for (int j = first + k; j >= first + k - a + 1; --j)
                items::MoveUp(loop, j);
        items::MoveBlockUp(block, first, a, b);
        ASSERT_EQ(Texts(block), Texts(loop))
            << "move n=" << n << " first=" << first << " p=" << a << " s=" << b;
    }
}

TEST(ItemList, MoveBlockUpSwapsTwoBlocksKeepingTheirOrder) {
    TItemArray list = Numbered(7);
    items::MoveBlockUp(list, 3, 2, 3);  // blocks [1,2] and [3,4,5]
    EXPECT_EQ(Texts(list), "0,3,4,5,1,2,6,");
}

// Moving a block, and taking it out and putting it back elsewhere, agree with each other
// and with a move made of one-record moves; out-of-range requests change nothing.
TEST(ItemList, BlockMovesTakesAndInsertsAgree) {
    std::mt19937 rng(777);
    for (int round = 0; round < 3000; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 10)(rng);
        const int first = std::uniform_int_distribution<int>(-1, 11)(rng);
        const int count = std::uniform_int_distribution<int>(0, 5)(rng);
        const int to = std::uniform_int_distribution<int>(-1, 11)(rng);
        SCOPED_TRACE(testing::Message() << n << " " << first << " " << count << " " << to);
        const bool valid =
            count > 0 && first >= 0 && first + count <= n && to >= 0 && to + count <= n;
        TItemArray moved = Numbered(n);
        ASSERT_EQ(items::MoveBlock(moved, first, count, to), valid);
        if (!valid) {
            ASSERT_EQ(Texts(moved), Texts(Numbered(n)));
            continue;
        }
        TItemArray taken = Numbered(n);
        TItemArray block = items::TakeBlock(taken, first, count);
        ASSERT_EQ(static_cast<int>(block.size()), count);
        ASSERT_TRUE(items::InsertBlock(taken, to, block));
        ASSERT_EQ(Texts(moved), Texts(taken));
        TItemArray stepwise = Numbered(n);
        for (int k = 0; k < count; ++k) {
            if (to < first)
                for (int j = first + k; j > to + k; --j)
                    items::MoveUp(stepwise, j);
            else
                for (int j = first + count - 1 - k; j < to + count - 1 - k; ++j)
                    items::MoveUp(stepwise, j + 1);
        }
        ASSERT_EQ(Texts(moved), Texts(stepwise));
    }
    TItemArray list = Numbered(3);
    EXPECT_FALSE(items::InsertBlock(list, 4, Numbered(1)));
    EXPECT_TRUE(items::TakeBlock(list, 2, 2).empty());
    EXPECT_EQ(Texts(list), "0,1,2,");
}

}  // namespace
}  // namespace zarvex
