#include "model/tree_shape.h"

#include <stdexcept>

namespace zarvex {

TreeShape::TreeShape(std::vector<int> levels)
    : levels_(std::move(levels)),
      parent_(levels_.size(), -1),
      next_(levels_.size(), -1),
      prev_(levels_.size(), -1),
      end_(levels_.size(), 0) {
    const int n = Count();
    // open[d] = the most recent node at depth d still open (its subtree not closed).
    std::vector<int> open;
    for (int i = 0; i < n; ++i) {
        const int lv = levels_[i];
        while (static_cast<int>(open.size()) > lv) {
            end_[open.back()] = i;
            open.pop_back();
        }
        if (lv < 0 || lv > static_cast<int>(open.size()) || (i == 0) != (lv == 0))
            throw std::invalid_argument("not a pre-order level sequence");
        if (lv > 0)
            parent_[i] = open[lv - 1];
        open.push_back(i);
    }
    for (int i : open)
        end_[i] = n;
    // Siblings: the node after a subtree, when it has the same parent.
    for (int i = 0; i < n; ++i) {
        const int after = end_[i];
        if (after < n && levels_[after] == levels_[i]) {
            next_[i] = after;
            prev_[after] = i;
        }
    }
}

TreeShape TreeShape::Of(const IDesignTree& tree) {
    std::vector<int> levels(tree.NodeCount());
    for (int i = 0; i < static_cast<int>(levels.size()); ++i)
        levels[i] = tree.NodeLevel(i);
    return TreeShape(std::move(levels));
}

bool IsValidItemLevelSequence(const std::vector<int>& itemLevels, std::size_t& badIndex) {
    int prev = -1;
    for (std::size_t i = 0; i < itemLevels.size(); ++i) {
        const int lv = itemLevels[i];
        if (lv < 0 || lv > prev + 1) {
            badIndex = i;
            return false;
        }
        prev = lv;
    }
    return true;
}

}  // namespace zarvex
