// The item tree described by the Level fields of items read from a file: checked
// item by item as the file is read, and rebuilt in one call, so that a large file
// loads in linear time and a broken one is refused at its first bad line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/design_tree.h"
#include "model/field_text_arena.h"
#include "model/file_helpers.h"
#include "model/menu_field_checks.h"
#include "model/progress.h"
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

    // Checks the Level field (the file's bytes) of the item on the reader's current
    // line. Refuses the file, naming that line, when it is not a whole number or
    // cannot follow the one before in a pre-order tree (first level not 0, a
    // negative level, a rise of more than one).
    void Add(std::string_view levelBytes);

    std::vector<int> Take() { return std::move(levels_); }

  private:
    const TaggedLineReader& reader_;
    std::vector<int> levels_;
};

// Reads the item section that follows the reader's current line: one record a
// line up to endTag. The lines are counted first and refused when so many records
// would outgrow ItemMemoryBudget; then every line's level, levelOf(line), is
// checked (TreeLevelReader) before any record is made, so that a broken file is
// refused having held little more than its text; a sound one then gets exactly the
// records it needs, each filled by readLine(line, record) from a copy of blank.
// Returns the tree levels of items; itemFault gets the first record's fault
// (FindItemFieldFault), looked for while the record is at hand.
template <typename LevelOf, typename ReadLine>
std::vector<int> ReadItemSection(TaggedLineReader& reader, std::string_view endTag,
                                 const TItemData& blank, TItemArray& items,
                                 std::optional<FieldFault>& itemFault, LevelOf levelOf,
                                 ReadLine readLine) {
    const std::size_t itemCount = reader.CountLinesBefore(endTag);
    TaggedLineReader check = reader;
    TreeLevelReader levels(check, itemCount, check.LineNumber() + 1);
    check.Advance(endTag);
    while (check.Line() != endTag) {
        levels.Add(levelOf(check.Line()));
        check.Advance(endTag);
    }

    items.reserve(itemCount);
    const FieldTextArena arena;  // the records' texts live and go together
    reader.Advance(endTag);
    while (reader.Line() != endTag) {
        TItemData& item = items.emplace_back(blank);
        readLine(reader.Line(), item);
        if (!itemFault)
            itemFault = FindItemFieldFault(item, static_cast<long long>(items.size() - 1));
        reader.Advance(endTag);
    }
    return levels.Take();
}

// The memory the records of a file of textSize bytes may take before their texts:
// seventeen times its size and 16 MB. A sound structure line may be as short as a
// level and its separator ("0#$@" and a line end), and a record with its level
// takes 84 bytes, so every sound file fits, while a flood of near-empty lines is
// refused before anything is allocated. Texts longer than a field's inline room are
// held once more on the heap, bounded by the file's own bytes.
std::size_t ItemMemoryBudget(std::size_t textSize);

// Reduces the tree to its root and appends one node per item, captioned with its Text.
void RebuildTree(IDesignTree& tree, const TItemArray& items, const std::vector<int>& treeLevels);

// Reads the design file at path with parse(text, path, onItemsFound), showing "Loading
// Data ... ..." from the item section on, and rebuilds tree from the items before
// handing the content back: should either fail, the caller's design is still the
// previous one. The content holds items and treeLevels.
template <typename Parse>
auto ReadDesignFile(IProgress& progress, const std::string& path, IDesignTree& tree, Parse parse) {
    std::optional<ProgressScope> scope;
    // The text goes before the tree is built: the records hold copies of it.
    auto content =
        parse(ReadWholeFile(path), path, [&] { scope.emplace(progress, "Loading Data ... ..."); });
    RebuildTree(tree, content.items, content.treeLevels);
    return content;
}

}  // namespace zarvex
