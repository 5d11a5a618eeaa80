// Blocks of items (an item with its sub-items) as the clipboard carries them and as
// Duplicate and Paste put them back: the structure file's text, so that items move
// between designs and into a text editor, and one undo step that puts several blocks in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"
#include "ui/tree/edit_commands.h"

namespace zarvex::ui {

// The records of the block at pos (an item), their Level fields counted from 0 at its top.
TItemArray BlockRecords(const DesignTreeModel& tree, const TItemArray& items, int pos);

// The structure file's text for records (their Levels counted from 0), and back. The
// reader checks the whole text first; FileFormatError names the clipboard and the line.
std::string BlocksText(const TItemArray& records);
TItemArray ParseBlocksText(std::string_view text);
// Whether text looks like what BlocksText makes (its first line), for enabling Paste.
bool LooksLikeBlocksText(std::string_view text);

// Splits records (Levels counted from 0) into blocks of fresh nodes, one per top item.
std::vector<DesignTreeModel::Block> MakeBlocks(DesignTreeModel& tree, const TItemArray& records);
// The deepest relative level among records (0 for a single item).
int DeepestRelativeLevel(const TItemArray& records);

// Puts blocks in as consecutive children of a node from row on; undo takes them out again.
// Selects the first block's top item.
class PutBlocksCommand final : public TreeCommand {
  public:
    PutBlocksCommand(IEditHost& host, const QString& text, NodeId parent, int row,
                     std::vector<DesignTreeModel::Block> blocks, NodeId selectBefore);

  private:
    void Apply() override;
    void Revert() override;
    NodeId parent_;
    int row_;
    std::vector<NodeId> tops_;
    std::vector<DesignTreeModel::Block> blocks_;
};

}  // namespace zarvex::ui
