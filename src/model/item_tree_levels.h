// The item tree described by the Level fields of items read from a file: checked
// item by item as the file is read, and rebuilt in one call, so that a large file
// loads in linear time and a broken one is refused at its first bad line.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "model/design_tree.h"
#include "model/records.h"
#include "model/tagged_text.h"

namespace zarvex {

// Collects the tree levels (item Level + 1) of the items of a file as they are read.
class TreeLevelReader {
  public:
    // Sizes the result for itemCount items and refuses the file, naming
    // firstItemLine, when so many records would take more memory than a file of
    // its size may ask for (see ItemMemoryBudget).
    TreeLevelReader(const TaggedLineReader& reader, std::size_t itemCount, int firstItemLine);

    // Checks the item just read from the reader's current line. Refuses the file,
    // naming that line, when its Level is not a whole number or cannot follow the
    // one before in a pre-order tree (first level not 0, a negative level, a rise
    // of more than one), or when the items read so far take more than the budget.
    void Add(const TItemData& item);

    std::vector<int> Take() { return std::move(levels_); }

  private:
    const TaggedLineReader& reader_;
    std::vector<int> levels_;
    std::size_t budget_;
    std::size_t used_;
};

// The memory the items of a file of textSize bytes may take: twice its size and
// 12 MB. With the text itself this keeps a read within three times the file's size
// and 16 MB, whatever the file holds.
std::size_t ItemMemoryBudget(std::size_t textSize);

// Reduces the tree to its root and appends one node per item, captioned with its Text.
void RebuildTree(IDesignTree& tree, const TItemArray& items, const std::vector<int>& treeLevels);

}  // namespace zarvex
