#include "model/item_tree_levels.h"

#include <string>

#include "model/errors.h"
#include "model/text_util.h"
#include "model/tree_shape.h"

namespace zarvex {

namespace {
std::string SequenceFault(const std::vector<int>& levels, std::size_t bad) {
    const std::string level = std::to_string(levels[bad]);
    if (levels[bad] < 0)
        return "level " + level + " is negative";
    if (bad == 0)
        return "the first item has level " + level + "; it must have level 0";
    return "level " + level + " follows level " + std::to_string(levels[bad - 1]) +
           "; an item can be at most one level deeper than the item before it";
}
}  // namespace

std::vector<int> CheckedTreeLevels(const TItemArray& items, const TaggedLineReader& reader,
                                   int firstItemLine) {
    std::vector<int> levels(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!TryStrToInt(items[i].Level, levels[i]))
            reader.Refuse(firstItemLine + static_cast<int>(i),
                          ConversionError(items[i].Level).what());
    }
    std::size_t bad = 0;
    if (!IsValidItemLevelSequence(levels, bad))
        reader.Refuse(firstItemLine + static_cast<int>(bad), SequenceFault(levels, bad));
    for (int& level : levels)
        ++level;
    return levels;
}

void RebuildTree(IDesignTree& tree, const TItemArray& items, const std::vector<int>& treeLevels) {
    std::vector<std::string> captions;
    captions.reserve(items.size());
    for (const TItemData& item : items)
        captions.push_back(item.Text);
    tree.ResetToRoot();
    tree.AppendNodes(treeLevels, captions);
}

}  // namespace zarvex
