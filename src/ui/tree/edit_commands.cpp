#include "ui/tree/edit_commands.h"

namespace zarvex::ui {

void TreeCommand::redo() {
    host_.RunTreeEdit([this] { Apply(); }, selectAfter_);
}

void TreeCommand::undo() {
    host_.RunTreeEdit([this] { Revert(); }, selectBefore_);
}

InsertBlockCommand::InsertBlockCommand(IEditHost& host, const QString& text, NodeId parent,
                                       DesignTreeModel::Block block)
    : TreeCommand(host, text, parent, parent),
      parent_(parent),
      node_(block.ids.front()),
      block_(std::move(block)) {}

void InsertBlockCommand::Apply() {
    DesignTreeModel& tree = host_.Tree();
    const int parentPos = tree.PositionOfId(parent_);
    if (row_ < 0)
        row_ = tree.ChildCount(parentPos);
    host_.AddChildren(parent_, [&] { tree.PutBlock(parentPos, row_, std::move(block_)); });
}

void InsertBlockCommand::Revert() {
    DesignTreeModel& tree = host_.Tree();
    block_ = tree.TakeBlock(tree.PositionOfId(node_));
}

RemoveBlockCommand::RemoveBlockCommand(IEditHost& host, const QString& text, NodeId node,
                                       NodeId selectAfter)
    : TreeCommand(host, text, node, selectAfter), node_(node) {}

void RemoveBlockCommand::Apply() {
    DesignTreeModel& tree = host_.Tree();
    const int pos = tree.PositionOfId(node_);
    parent_ = tree.IdAt(tree.ParentOf(pos));
    row_ = tree.RowOf(pos);
    block_ = tree.TakeBlock(pos);
}

void RemoveBlockCommand::Revert() {
    DesignTreeModel& tree = host_.Tree();
    const int parentPos = tree.PositionOfId(parent_);
    tree.PutBlock(parentPos, row_, std::move(block_));
    // A parent left without children shows its restored child again.
    if (tree.ChildCount(parentPos) == 1)
        host_.ExpandNode(parent_);
}

MoveBlockCommand::MoveBlockCommand(IEditHost& host, const QString& text, NodeId node,
                                   NodeId toParent, int toRow, NodeId selectBefore)
    : TreeCommand(host, text, selectBefore, node),
      node_(node),
      toParent_(toParent),
      toRow_(toRow) {}

void MoveBlockCommand::Apply() {
    DesignTreeModel& tree = host_.Tree();
    const int pos = tree.PositionOfId(node_);
    fromParent_ = tree.IdAt(tree.ParentOf(pos));
    fromRow_ = tree.RowOf(pos);
    tree.MoveBlock(pos, tree.PositionOfId(toParent_), toRow_);
}

void MoveBlockCommand::Revert() {
    DesignTreeModel& tree = host_.Tree();
    tree.MoveBlock(tree.PositionOfId(node_), tree.PositionOfId(fromParent_), fromRow_);
}

FieldEditCommand::FieldEditCommand(IEditHost& host, const QString& text, NodeId node,
                                   FieldEdit edit)
    : QUndoCommand(text), host_(host), node_(node), edit_(std::move(edit)) {}

void FieldEditCommand::redo() {
    if (applied_) {
        applied_ = false;
        return;
    }
    host_.ApplyField(node_, edit_, edit_.after);
}

void FieldEditCommand::undo() {
    host_.ApplyField(node_, edit_, edit_.before);
}

bool FieldEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const FieldEditCommand*>(other);
    if (next->node_ != node_ || next->edit_.item != edit_.item ||
        next->edit_.field != edit_.field || next->edit_.refused || edit_.refused)
        return false;
    edit_.after = next->edit_.after;
    setObsolete(edit_.after == edit_.before);
    return true;
}

namespace {

// Which number alone tells the two choices apart: 1 the collapse width, 2 the open delay,
// 0 anything else.
int OnlyNumberChanged(const WebPageOptions& a, const WebPageOptions& b) {
    WebPageOptions same = b;
    same.collapseWidth = a.collapseWidth;
    if (same == a && a.collapseWidth != b.collapseWidth)
        return 1;
    same = b;
    same.openDelay = a.openDelay;
    return same == a && a.openDelay != b.openDelay ? 2 : 0;
}

}  // namespace

void WebPageEditCommand::redo() {
    if (applied_) {
        applied_ = false;
        return;
    }
    apply_(after_);
}

void WebPageEditCommand::undo() {
    apply_(before_);
}

bool WebPageEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const WebPageEditCommand*>(other);
    const int number = OnlyNumberChanged(before_, after_);
    if (number == 0 || next->before_ != after_ ||
        OnlyNumberChanged(next->before_, next->after_) != number)
        return false;
    after_ = next->after_;
    setObsolete(after_ == before_);
    return true;
}

}  // namespace zarvex::ui
