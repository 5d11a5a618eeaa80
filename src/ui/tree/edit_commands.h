// The undoable edits of a design: tree commands keep the blocks they removed and the
// node ids, so that undoing puts back exactly what was there; field edits keep the value
// before and after, and typing into one field merges into one step.
#pragma once

#include <QUndoCommand>
#include <functional>
#include <string>

#include "model/web_page_options.h"
#include "ui/pages/property_pages.h"
#include "ui/tree/design_tree_model.h"

namespace zarvex::ui {

// What the commands need of the window.
class IEditHost {
  public:
    using NodeId = DesignTreeModel::NodeId;
    virtual ~IEditHost() = default;
    virtual DesignTreeModel& Tree() = 0;
    // Runs a change of the tree, then selects the node `select` (the root when it is gone)
    // and brings the pages and the commands up to date.
    virtual void RunTreeEdit(const std::function<void()>& change, NodeId select) = 0;
    // Shows the node whose field it is, then puts value into the field and its control.
    virtual void ApplyField(NodeId node, const FieldEdit& edit, const std::string& value) = 0;
    virtual void ExpandNode(NodeId node) = 0;
    // Runs a change that only adds children to parent and then shows them expanded.
    virtual void AddChildren(NodeId parent, const std::function<void()>& change) {
        change();
        ExpandNode(parent);
    }
};

// A tree command: undo selects what was selected before, redo what was selected after.
class TreeCommand : public QUndoCommand {
  public:
    using NodeId = DesignTreeModel::NodeId;
    TreeCommand(IEditHost& host, const QString& text, NodeId selectBefore, NodeId selectAfter)
        : QUndoCommand(text), host_(host), selectBefore_(selectBefore), selectAfter_(selectAfter) {}
    void redo() final;
    void undo() final;

  protected:
    virtual void Apply() = 0;
    virtual void Revert() = 0;
    IEditHost& host_;

  private:
    NodeId selectBefore_, selectAfter_;
};

// Puts a new block (a new item) in as the last child of a node.
class InsertBlockCommand final : public TreeCommand {
  public:
    InsertBlockCommand(IEditHost& host, const QString& text, NodeId parent,
                       DesignTreeModel::Block block);

  private:
    void Apply() override;
    void Revert() override;
    NodeId parent_, node_;
    int row_ = -1;
    DesignTreeModel::Block block_;
};

// Removes a node with its block, which it keeps for undo.
class RemoveBlockCommand final : public TreeCommand {
  public:
    RemoveBlockCommand(IEditHost& host, const QString& text, NodeId node, NodeId selectAfter);

  private:
    void Apply() override;
    void Revert() override;
    NodeId node_, parent_ = DesignTreeModel::kNoNode;
    int row_ = -1;
    DesignTreeModel::Block block_;
};

// Moves a node with its block to child number row of another node (row counted after
// the block left its place): move up and down, indent, outdent, drag and drop.
class MoveBlockCommand final : public TreeCommand {
  public:
    MoveBlockCommand(IEditHost& host, const QString& text, NodeId node, NodeId toParent, int toRow,
                     NodeId selectBefore);

  private:
    void Apply() override;
    void Revert() override;
    NodeId node_, toParent_, fromParent_ = DesignTreeModel::kNoNode;
    int toRow_, fromRow_ = -1;
};

// One field of one record (an item's or the menu's): consecutive edits of the same field
// merge, and an edit that ends where it started goes away. The emptying of a refused text
// stays a step of its own, so that undo gives the text back.
class FieldEditCommand final : public QUndoCommand {
  public:
    using NodeId = DesignTreeModel::NodeId;
    FieldEditCommand(IEditHost& host, const QString& text, NodeId node, FieldEdit edit);
    void redo() override;
    void undo() override;
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

  private:
    IEditHost& host_;
    NodeId node_;
    FieldEdit edit_;
    bool applied_ = true;  // the control already shows the value when the edit is pushed
};

// A change of the design's web page choices, which are kept as a whole. Typing into one
// number (a width, a delay) merges into one step, as typing into a field does.
class WebPageEditCommand final : public QUndoCommand {
  public:
    using Apply = std::function<void(const WebPageOptions&)>;
    WebPageEditCommand(Apply apply, const QString& text, const WebPageOptions& before,
                       const WebPageOptions& after)
        : QUndoCommand(text), apply_(std::move(apply)), before_(before), after_(after) {}
    void redo() override;
    void undo() override;
    int id() const override { return 2; }
    bool mergeWith(const QUndoCommand* other) override;

  private:
    Apply apply_;
    WebPageOptions before_, after_;
    bool applied_ = true;  // the page already shows the choice when the edit is pushed
};

}  // namespace zarvex::ui
