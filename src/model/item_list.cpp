#include "model/item_list.h"

#include <algorithm>

namespace zarvex::items {

void Insert(TItemArray& items, int index, const TItemData& record) {
    const int n = static_cast<int>(items.size());
    if (items.empty()) {
        items.push_back(record);
    } else if (index == n) {
        items.push_back(record);
    } else if (index >= 0 && index < n) {
        items.insert(items.begin() + index, record);
    }
    // index beyond the end (or negative) on a non-empty list: nothing changes
}

void Delete(TItemArray& items, int index) {
    const int n = static_cast<int>(items.size());
    if (n == 0)
        return;
    if (n == 1) {
        items.clear();
    } else if (index == n - 1) {
        items.pop_back();
    } else if (index >= n || index < 0) {
        return;
    } else {
        items.erase(items.begin() + index);
    }
}

void MoveUp(TItemArray& items, int index) {
    if (index > 0 && index < static_cast<int>(items.size()))
        std::swap(items[index], items[index - 1]);
}

void DeleteBlock(TItemArray& items, int first, int count) {
    if (count <= 0)
        return;
    const int n = static_cast<int>(items.size());
    if (first >= 0 && first + count <= n) {
        // Each one-record delete at `first` removes the record there while the
        // list holds two or more; the last step on a one-record list empties it
        // whatever the index, which removes the record at `first` all the same.
        items.erase(items.begin() + first, items.begin() + first + count);
        return;
    }
    for (int i = 0; i < count; ++i)
        Delete(items, first);
}

void MoveBlockUp(TItemArray& items, int first, int upperSize, int lowerSize) {
    if (upperSize <= 0 || lowerSize <= 0)
        return;
    const int n = static_cast<int>(items.size());
    const int begin = first - upperSize;
    // Every one-record move in the loop is in range exactly when both blocks are.
    if (begin >= 0 && first + lowerSize <= n) {
        std::rotate(items.begin() + begin, items.begin() + first,
                    items.begin() + first + lowerSize);
        return;
    }
    for (int k = 0; k < lowerSize; ++k)
        for (int j = first + k; j >= first + k - upperSize + 1; --j)
            MoveUp(items, j);
}

bool MoveBlock(TItemArray& items, int first, int count, int to) {
    const int n = static_cast<int>(items.size());
    if (count <= 0 || first < 0 || first + count > n || to < 0 || to + count > n)
        return false;
    RotateBlock(items, first, count, to);
    return true;
}

TItemArray TakeBlock(TItemArray& items, int first, int count) {
    const int n = static_cast<int>(items.size());
    if (count <= 0 || first < 0 || first + count > n)
        return {};
    TItemArray block(std::make_move_iterator(items.begin() + first),
                     std::make_move_iterator(items.begin() + first + count));
    items.erase(items.begin() + first, items.begin() + first + count);
    return block;
}

bool InsertBlock(TItemArray& items, int at, TItemArray block) {
    if (at < 0 || at > static_cast<int>(items.size()))
        return false;
    items.insert(items.begin() + at, std::make_move_iterator(block.begin()),
                 std::make_move_iterator(block.end()));
    return true;
}

}  // namespace zarvex::items
