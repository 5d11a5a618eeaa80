#include "model/preorder_tree.h"

#include <stdexcept>

#include "model/tree_shape.h"

namespace zarvex {

void PreorderTree::ResetToRoot() {
    levels_.assign(1, 0);
    captions_.assign(1, kRootCaption);
}

void PreorderTree::AppendNodes(const std::vector<int>& levels,
                               const std::vector<std::string>& captions) {
    if (levels.size() != captions.size())
        throw std::invalid_argument("levels and captions differ in length");
    levels_.insert(levels_.end(), levels.begin(), levels.end());
    captions_.insert(captions_.end(), captions.begin(), captions.end());
}

void PreorderTree::AppendItemNodes(const std::vector<int>& levels, const TItemArray& items) {
    if (levels.size() != items.size())
        throw std::invalid_argument("levels and items differ in length");
    levels_.insert(levels_.end(), levels.begin(), levels.end());
    captions_.reserve(captions_.size() + items.size());
    for (const TItemData& item : items)
        captions_.push_back(item.Text);
}

int PreorderTree::AddLastChild(int parent, const std::string& caption) {
    int pos = parent + 1;
    const int lv = levels_.at(parent);
    while (pos < NodeCount() && levels_[pos] > lv)
        ++pos;
    levels_.insert(levels_.begin() + pos, lv + 1);
    captions_.insert(captions_.begin() + pos, caption);
    return pos;
}

}  // namespace zarvex
