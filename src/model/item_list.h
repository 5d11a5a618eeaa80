// Operations on the ordered item list. The one-record operations behave exactly
// as the editor has always relied on, quirks at the ends included; the block
// operations give the same result as the equivalent loops of one-record calls in
// time proportional to the records touched.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "model/records.h"

namespace zarvex::items {

void Insert(TItemArray& items, int index, const TItemData& record);
void Delete(TItemArray& items, int index);
void MoveUp(TItemArray& items, int index);

// Same as calling Delete(items, first) count times.
void DeleteBlock(TItemArray& items, int first, int count);

// Same as: for k in [0, lowerSize): for j = first + k down to first + k - upperSize + 1: MoveUp(j).
// With valid indexes this swaps the block [first - upperSize, first) with [first, first +
// lowerSize).
void MoveBlockUp(TItemArray& items, int first, int upperSize, int lowerSize);

// Moves the block [first, first + count) so that it starts at index `to` of the result
// (0 <= to <= size - count); the other records keep their order. False, with nothing
// changed, for a block or destination out of range.
bool MoveBlock(TItemArray& items, int first, int count, int to);

// MoveBlock for any vector whose ranges the caller has checked, so that lists kept in
// step with the records move the same way.
template <typename T>
void RotateBlock(std::vector<T>& v, int first, int count, int to) {
    if (to < first)
        std::rotate(v.begin() + to, v.begin() + first, v.begin() + first + count);
    else if (to > first)
        std::rotate(v.begin() + first, v.begin() + first + count, v.begin() + to + count);
}

// Removes the block [first, first + count) and returns it; empty when out of range.
TItemArray TakeBlock(TItemArray& items, int first, int count);

// Puts block in front of index at (0 <= at <= size); false, with nothing changed, otherwise.
bool InsertBlock(TItemArray& items, int at, TItemArray block);

}  // namespace zarvex::items
