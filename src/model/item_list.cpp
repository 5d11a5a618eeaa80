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

// Taking a block and putting it back move whichever records are fewer: a block larger than
// the rest keeps the list's storage and the rest moves out, so that undoing and redoing the
// removal of most of a large design never moves the records twice.

TItemArray TakeBlock(TItemArray& items, int first, int count) {
    const int n = static_cast<int>(items.size());
    if (count <= 0 || first < 0 || first + count > n)
        return {};
    const auto begin = items.begin() + first;
    const auto end = begin + count;
    const long outMoves = count + (n - first - count);             // the block out, the tail down
    const long restMoves = (n - count) + (first > 0 ? count : 0);  // the rest out, the block down
    if (restMoves >= outMoves) {
        TItemArray block(std::make_move_iterator(begin), std::make_move_iterator(end));
        items.erase(begin, end);
        return block;
    }
    TItemArray rest;
    rest.reserve(static_cast<std::size_t>(n - count));
    rest.insert(rest.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(begin));
    rest.insert(rest.end(), std::make_move_iterator(end), std::make_move_iterator(items.end()));
    items.erase(end, items.end());
    items.erase(items.begin(), begin);
    items.swap(rest);
    return rest;
}

bool InsertBlock(TItemArray& items, int at, TItemArray block) {
    const int n = static_cast<int>(items.size());
    if (at < 0 || at > n)
        return false;
    const std::size_t total = items.size() + block.size();
    const long count = static_cast<long>(block.size());
    // Moves either way, a reallocation counted as moving what the list holds.
    const long inMoves = count + (n - at) + (items.capacity() < total ? n : 0);
    const long aroundMoves = n + (at > 0 ? count : 0) + (block.capacity() < total ? count : 0);
    if (inMoves <= aroundMoves) {
        items.insert(items.begin() + at, std::make_move_iterator(block.begin()),
                     std::make_move_iterator(block.end()));
        return true;
    }
    block.reserve(total);
    block.insert(block.begin(), std::make_move_iterator(items.begin()),
                 std::make_move_iterator(items.begin() + at));
    block.insert(block.end(), std::make_move_iterator(items.begin() + at),
                 std::make_move_iterator(items.end()));
    items.swap(block);
    return true;
}

}  // namespace zarvex::items
