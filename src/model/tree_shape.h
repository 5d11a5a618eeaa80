// The structure of a pre-order tree, derived in one pass from its level sequence,
// so that every question (parent, siblings, children, last node) is O(1).
#pragma once

#include <vector>

#include "model/design_tree.h"

namespace zarvex {

class TreeShape {
  public:
    // levels[k] is the level of node k; levels[0] must be 0 (the root).
    explicit TreeShape(std::vector<int> levels);
    static TreeShape Of(const IDesignTree& tree);

    int Count() const { return static_cast<int>(levels_.size()); }
    int Level(int n) const { return levels_[n]; }
    int Parent(int n) const { return parent_[n]; }     // -1 for the root
    int NextSibling(int n) const { return next_[n]; }  // -1 when none
    int PrevSibling(int n) const { return prev_[n]; }  // -1 when none
    bool HasChildren(int n) const { return n + 1 < Count() && levels_[n + 1] > levels_[n]; }
    // One past the last node of n's subtree.
    int SubtreeEnd(int n) const { return end_[n]; }
    bool IsLast(int n) const { return n == Count() - 1; }

  private:
    std::vector<int> levels_, parent_, next_, prev_, end_;
};

// True when levels (item levels, tree level - 1, so the first is 0) may be a
// pre-order tree: starts at 0, never negative, never rises by more than one.
// On failure sets badIndex to the first offending position.
bool IsValidItemLevelSequence(const std::vector<int>& itemLevels, std::size_t& badIndex);

}  // namespace zarvex
