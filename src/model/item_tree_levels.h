// The item tree described by the Level fields of items read from a file: checked
// in one pass and rebuilt in one call, so that a large file loads in linear time.
#pragma once

#include <vector>

#include "model/design_tree.h"
#include "model/records.h"
#include "model/tagged_text.h"

namespace zarvex {

// Tree levels (item Level + 1) of items that stand on consecutive lines of the
// file from firstItemLine on. Refuses the file, naming the item's line, when a
// Level is not a whole number or the sequence cannot be a pre-order tree (first
// level not 0, a negative level, a rise of more than one).
std::vector<int> CheckedTreeLevels(const TItemArray& items, const TaggedLineReader& reader,
                                   int firstItemLine);

// Reduces the tree to its root and appends one node per item, captioned with its Text.
void RebuildTree(IDesignTree& tree, const TItemArray& items, const std::vector<int>& treeLevels);

}  // namespace zarvex
