// The design tree as a Qt item model over one pre-order array of nodes (level and
// a stable id per node); captions are read from the agent's Items, which stand
// in the same order. The model is the window's IDesignTree, and its editing
// operations change the nodes and Items in one step, so that item k always
// belongs to node k + 1.
//
// Node ids are serial numbers multiplied by an odd constant: Qt hashes model
// indexes by their internal id, and sequential ids cluster badly. They stay with
// their node across moves, because views do not re-ask for the rows inside a
// moved subtree.
#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/applet_agent.h"
#include "model/design_tree.h"

namespace zarvex::ui {

class DesignTreeModel final : public QAbstractItemModel, public IDesignTree {
    Q_OBJECT
  public:
    using NodeId = quintptr;
    static constexpr NodeId kNoNode = 0;
    static constexpr int kMaxLevel = 9999;  // items reach at most this tree level

    explicit DesignTreeModel(TkavoAppletAgent& agent, QObject* parent = nullptr);

    // --- QAbstractItemModel --------------------------------------------------
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // --- IDesignTree -----------------------------------------------------------
    int NodeCount() const override { return static_cast<int>(levels_.size()); }
    int NodeLevel(int absIndex) const override { return levels_.at(absIndex); }
    void ResetToRoot() override;
    void AppendNodes(const std::vector<int>& levels,
                     const std::vector<std::string>& captions) override;

    // --- positions (absolute indexes) ----------------------------------------
    int PositionOf(const QModelIndex& index) const;  // -1 for an invalid index
    int PositionOfId(NodeId id) const;               // -1 for a node that is gone
    NodeId IdAt(int pos) const { return ids_.at(pos); }
    QModelIndex IndexAt(int pos) const;
    int ParentOf(int pos) const;
    int PrevSibling(int pos) const;  // -1 when none
    int NextSibling(int pos) const;  // -1 when none
    int ChildCount(int pos) const;
    bool HasChildren(int pos) const { return ChildCount(pos) > 0; }
    int BlockSize(int pos) const;  // the node and its whole subtree
    QString Caption(int pos) const;

    // --- editing: nodes and Items together -----------------------------------
    // Adds record as the last child of parentPos with its Level set from the new
    // node's level; returns the new node's position.
    int InsertLastChild(int parentPos, TItemData record);
    // Removes the node with its subtree and their records.
    void DeleteSubtree(int pos);
    // Swap the node's block with its previous (next) sibling's block; false when
    // there is no such sibling.
    bool MoveUp(int pos);
    bool MoveDown(int pos);

    // The caption shown while the Item page's text is being edited, until the page
    // is written into the record.
    void SetCaptionOverride(int pos, const QString& caption);
    void ClearCaptionOverride(int pos);

    void SetIcons(const QIcon& root, const QIcon& item);

  private:
    NodeId NewId();
    void EnsureShape() const;
    void Invalidate() { shapeValid_ = false; }
    // Swaps the sibling blocks starting at upper and lower (lower follows upper).
    void SwapSiblingBlocks(int upper, int lower);

    TkavoAppletAgent& agent_;
    std::vector<int> levels_;
    std::vector<NodeId> ids_;
    quint64 nextSerial_ = 1;
    std::unordered_map<NodeId, QString> captionOverrides_;
    QIcon rootIcon_, itemIcon_;

    // Derived from levels_ and ids_ in one pass, rebuilt after each change.
    mutable bool shapeValid_ = false;
    mutable std::vector<int> parent_, row_, childStart_, childCount_, end_, children_;
    mutable std::vector<int> posOfSerial_;
};

}  // namespace zarvex::ui
