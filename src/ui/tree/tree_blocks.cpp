#include "ui/tree/tree_blocks.h"

#include <algorithm>

#include "model/structure_file.h"
#include "model/text_util.h"

namespace zarvex::ui {

namespace {

int LevelOf(const TItemData& record) {
    int level = 0;
    return TryStrToInt(Trim(record.Level), level) ? level : 0;
}

}  // namespace

TItemArray BlockRecords(const DesignTreeModel& tree, const TItemArray& items, int pos) {
    const int size = tree.BlockSize(pos);
    const int top = tree.NodeLevel(pos);
    TItemArray records(items.begin() + (pos - 1), items.begin() + (pos - 1 + size));
    for (int i = 0; i < size; ++i)
        records[static_cast<std::size_t>(i)].Level = std::to_string(tree.NodeLevel(pos + i) - top);
    return records;
}

std::string BlocksText(const TItemArray& records) {
    return FormatStructureText(records);
}

TItemArray ParseBlocksText(std::string_view text) {
    return ParseStructureText(text, "clipboard").items;
}

bool LooksLikeBlocksText(std::string_view text) {
    static const std::string first = [] {
        const std::string sample = FormatStructureText({});
        return sample.substr(0, sample.find_first_of("\r\n"));
    }();
    return text.substr(0, first.size()) == first;
}

int DeepestRelativeLevel(const TItemArray& records) {
    int deepest = 0;
    for (const TItemData& record : records)
        deepest = std::max(deepest, LevelOf(record));
    return deepest;
}

std::vector<DesignTreeModel::Block> MakeBlocks(DesignTreeModel& tree, const TItemArray& records) {
    std::vector<DesignTreeModel::Block> blocks;
    for (const TItemData& record : records) {
        const int level = LevelOf(record);
        // A fresh node for each record; the ids come from the tree, the shape from the levels.
        DesignTreeModel::Block one = tree.NewBlock(record);
        if (level == 0 || blocks.empty()) {
            blocks.push_back(std::move(one));
            continue;
        }
        DesignTreeModel::Block& block = blocks.back();
        block.levels.push_back(level);
        block.ids.push_back(one.ids.front());
        block.records.push_back(std::move(one.records.front()));
    }
    return blocks;
}

PutBlocksCommand::PutBlocksCommand(IEditHost& host, const QString& text, NodeId parent, int row,
                                   std::vector<DesignTreeModel::Block> blocks, NodeId selectBefore)
    : TreeCommand(host, text, selectBefore, blocks.empty() ? parent : blocks.front().ids.front()),
      parent_(parent),
      row_(row),
      blocks_(std::move(blocks)) {
    for (const DesignTreeModel::Block& block : blocks_)
        tops_.push_back(block.ids.front());
}

void PutBlocksCommand::Apply() {
    DesignTreeModel& tree = host_.Tree();
    const int parentPos = tree.PositionOfId(parent_);
    for (std::size_t i = 0; i < blocks_.size(); ++i)
        tree.PutBlock(parentPos, row_ + static_cast<int>(i), std::move(blocks_[i]));
    host_.ExpandNode(parent_);
}

void PutBlocksCommand::Revert() {
    DesignTreeModel& tree = host_.Tree();
    for (std::size_t i = tops_.size(); i-- > 0;)
        blocks_[i] = tree.TakeBlock(tree.PositionOfId(tops_[i]));
}

}  // namespace zarvex::ui
