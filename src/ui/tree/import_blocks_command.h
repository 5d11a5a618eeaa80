// An import into the open design: the imported items come in as new top items after
// the design's own, all in one undoable step.
#pragma once

#include <vector>

#include "model/records.h"
#include "ui/tree/edit_commands.h"

namespace zarvex::ui {

class ImportBlocksCommand final : public TreeCommand {
  public:
    // items in pre-order with their tree levels (1 for a top item); the blocks
    // take new node ids from the host's tree.
    ImportBlocksCommand(IEditHost& host, const QString& text, NodeId selectBefore,
                        const TItemArray& items, const std::vector<int>& treeLevels);

  private:
    void Apply() override;
    void Revert() override;
    std::vector<DesignTreeModel::Block> blocks_;
    std::vector<NodeId> tops_;
    int firstRow_ = -1;
};

}  // namespace zarvex::ui
