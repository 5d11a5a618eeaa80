#include "model/preorder_tree.h"

#include <stdexcept>

#include "model/tree_shape.h"

namespace zarvex {

void PreorderTree::ResetToRoot() {
    levels_.assign(1, 0);
    captionText_.clear();
    captionEnds_.clear();
    AppendCaption(kRootCaption);
}

void PreorderTree::AppendCaption(std::string_view caption) {
    captionText_.append(caption);
    captionEnds_.push_back(captionText_.size());
}

std::string_view PreorderTree::Caption(int absIndex) const {
    const std::size_t end = captionEnds_.at(static_cast<std::size_t>(absIndex));
    const std::size_t begin = absIndex == 0 ? 0 : captionEnds_[absIndex - 1];
    return std::string_view(captionText_).substr(begin, end - begin);
}

void PreorderTree::AppendNodes(const std::vector<int>& levels,
                               const std::vector<std::string>& captions) {
    if (levels.size() != captions.size())
        throw std::invalid_argument("levels and captions differ in length");
    levels_.insert(levels_.end(), levels.begin(), levels.end());
    captionEnds_.reserve(captionEnds_.size() + captions.size());
    for (const std::string& caption : captions)
        AppendCaption(caption);
}

void PreorderTree::AppendItemNodes(const std::vector<int>& levels, const TItemArray& items) {
    if (levels.size() != items.size())
        throw std::invalid_argument("levels and items differ in length");
    levels_.insert(levels_.end(), levels.begin(), levels.end());
    captionEnds_.reserve(captionEnds_.size() + items.size());
    for (const TItemData& item : items)
        AppendCaption(item.Text);
}

int PreorderTree::AddLastChild(int parent, const std::string& caption) {
    int pos = parent + 1;
    const int lv = levels_.at(parent);
    while (pos < NodeCount() && levels_[pos] > lv)
        ++pos;
    const std::size_t at = captionEnds_[pos - 1];
    levels_.insert(levels_.begin() + pos, lv + 1);
    captionText_.insert(at, caption);
    captionEnds_.insert(captionEnds_.begin() + pos, at);
    for (std::size_t k = static_cast<std::size_t>(pos); k < captionEnds_.size(); ++k)
        captionEnds_[k] += caption.size();
    return pos;
}

}  // namespace zarvex
