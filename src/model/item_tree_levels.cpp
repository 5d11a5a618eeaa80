#include "model/item_tree_levels.h"

#include <string>

#include "model/errors.h"
#include "model/text_util.h"

namespace zarvex {

namespace {

std::string SequenceFault(int level, int previous, bool first) {
    const std::string text = std::to_string(level);
    if (level < 0)
        return "level " + text + " is negative";
    if (first)
        return "the first item has level " + text + "; it must have level 0";
    return "level " + text + " follows level " + std::to_string(previous) +
           "; an item can be at most one level deeper than the item before it";
}

}  // namespace

std::size_t ItemMemoryBudget(std::size_t textSize) {
    return 17 * textSize + (std::size_t{16} << 20);
}

TreeLevelReader::TreeLevelReader(const TaggedLineReader& reader, std::size_t itemCount,
                                 int firstItemLine)
    : reader_(reader) {
    if (itemCount > ItemMemoryBudget(reader.TextSize()) / (sizeof(TItemData) + sizeof(int)))
        reader.Refuse(firstItemLine, "the item section holds " + std::to_string(itemCount) +
                                         " lines, more items than a file of " +
                                         std::to_string(reader.TextSize()) + " bytes can carry");
    levels_.reserve(itemCount);
}

void TreeLevelReader::Add(std::string_view levelBytes) {
    int level = 0;
    // The message quotes the field as the record would hold it, as UTF-8.
    if (!TryStrToInt(levelBytes, level)) {
        // A line without its level is most often a file cut short (a copy or a download
        // that stopped); the number's own complaint would not tell a person that.
        if (Trim(levelBytes).empty())
            reader_.Refuse(reader_.LineNumber(),
                           reader_.EndsAtCurrentLine()
                               ? "the file is incomplete: it ends inside an item, before its level"
                               : "the item has no level (a whole number)");
        reader_.Refuse(reader_.LineNumber(), ConversionError(TextAsUtf8(levelBytes)).what());
    }
    const int previous = levels_.empty() ? -1 : levels_.back() - 1;
    if (level < 0 || level > previous + 1)
        reader_.Refuse(reader_.LineNumber(), SequenceFault(level, previous, levels_.empty()));
    levels_.push_back(level + 1);
}

void RebuildTree(IDesignTree& tree, const TItemArray& items, const std::vector<int>& treeLevels) {
    tree.ResetToRoot();
    tree.AppendItemNodes(treeLevels, items);
}

}  // namespace zarvex
