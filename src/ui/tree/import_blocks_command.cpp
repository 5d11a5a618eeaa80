#include "ui/tree/import_blocks_command.h"

namespace zarvex::ui {

ImportBlocksCommand::ImportBlocksCommand(IEditHost& host, const QString& text, NodeId selectBefore,
                                         const TItemArray& items,
                                         const std::vector<int>& treeLevels)
    : TreeCommand(host, text, selectBefore, host.Tree().IdAt(0)) {
    DesignTreeModel& tree = host.Tree();
    for (std::size_t i = 0; i < items.size() && i < treeLevels.size(); ++i) {
        DesignTreeModel::Block node = tree.NewBlock(items[i]);
        if (treeLevels[i] <= 1 || blocks_.empty()) {
            node.level = -1;  // its records' Level fields are written where it lands
            blocks_.push_back(std::move(node));
            tops_.push_back(blocks_.back().ids.front());
            continue;
        }
        DesignTreeModel::Block& block = blocks_.back();
        block.levels.push_back(treeLevels[i] - 1);
        block.ids.push_back(node.ids.front());
        block.records.push_back(std::move(node.records.front()));
    }
}

void ImportBlocksCommand::Apply() {
    DesignTreeModel& tree = host_.Tree();
    if (firstRow_ < 0)
        firstRow_ = tree.ChildCount(0);
    for (std::size_t i = 0; i < blocks_.size(); ++i)
        tree.PutBlock(0, firstRow_ + static_cast<int>(i), std::move(blocks_[i]));
}

void ImportBlocksCommand::Revert() {
    DesignTreeModel& tree = host_.Tree();
    for (std::size_t i = blocks_.size(); i-- > 0;)
        blocks_[i] = tree.TakeBlock(tree.PositionOfId(tops_[i]));
}

}  // namespace zarvex::ui
