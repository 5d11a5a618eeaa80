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
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/design_tree.h"
#include "publish/applet_agent.h"

namespace zarvex::ui {

namespace node_ids {
constexpr quintptr kMultiplier = static_cast<quintptr>(0x9E3779B97F4A7C15ULL);  // odd

// The multiplicative inverse of an odd number modulo 2^bits, by Newton's iteration.
constexpr quintptr InverseOf(quintptr odd) {
    quintptr inverse = odd;
    for (int i = 0; i < 6; ++i)
        inverse *= 2 - odd * inverse;
    return inverse;
}
constexpr quintptr kInverse = InverseOf(kMultiplier);
static_assert(kMultiplier * kInverse == 1);
}  // namespace node_ids

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
    // Drag and drop moves a node with its block; the drop itself is handed to the drop
    // handler (the window), which makes it an undoable command.
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    // --- IDesignTree -----------------------------------------------------------
    int NodeCount() const override { return static_cast<int>(levels_.size()); }
    int NodeLevel(int absIndex) const override { return levels_.at(absIndex); }
    void ResetToRoot() override;
    void AppendNodes(const std::vector<int>& levels,
                     const std::vector<std::string>& captions) override;
    // Captions are read from the agent's Items, so none are copied.
    void AppendItemNodes(const std::vector<int>& levels, const TItemArray& items) override;

    // --- positions (absolute indexes) ----------------------------------------
    // -1 for an invalid index. Called for every row the view lays out, hence inline.
    int PositionOf(const QModelIndex& index) const {
        if (!index.isValid() || index.model() != this)
            return -1;
        return PositionOfId(index.internalId());
    }
    int PositionOfId(NodeId id) const {  // -1 for a node that is gone
        EnsureShape();
        const quint64 serial = static_cast<quint64>(id * node_ids::kInverse);
        return serial < posOfSerial_.size() ? posOfSerial_[serial] : -1;
    }
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
    // The caption shown while the Item page's text is being edited, until the page
    // is written into the record.
    void SetCaptionOverride(int pos, const QString& caption);
    void ClearCaptionOverride(int pos);

    // A node with its subtree: relative levels (0 for its top), ids and records.
    struct Block {
        int level = 0;  // the top node's level where it stood
        std::vector<int> levels;
        std::vector<NodeId> ids;
        TItemArray records;
    };
    // Removes the block at pos (an item) and returns it.
    Block TakeBlock(int pos);
    // Puts a block back as child number row of parentPos, with the same ids; records'
    // Level fields are rewritten only when the block lands at another depth.
    void PutBlock(int parentPos, int row, Block block);
    // A block of one new node holding record.
    Block NewBlock(TItemData record);

    // Whether the block at pos may become child number row of parentPos (row counted
    // after the block left its place): never into its own block, never below the deepest level.
    bool CanMoveBlock(int pos, int parentPos, int row) const;
    // Moves the block at pos there; false, with nothing changed, when it cannot.
    bool MoveBlock(int pos, int parentPos, int row);
    int RowOf(int pos) const;
    int DeepestLevelIn(int pos) const;  // the deepest node level inside the block at pos

    // Where a drop would put the block at pos: (parent, row after the move), or parent -1
    // when it cannot go there. row -1 drops onto parent, as its last child.
    std::pair<int, int> DropTarget(int pos, int row, const QModelIndex& parent) const;
    // Takes a drop: the dragged node's position and the destination (parent, row).
    void SetDropHandler(std::function<bool(int, int, int)> handler) {
        dropHandler_ = std::move(handler);
    }

    void SetIcons(const QIcon& root, const QIcon& item);

  private:
    NodeId NewId();
    void AppendLevels(const std::vector<int>& levels);
    void EnsureShape() const {
        if (!shapeValid_)
            RebuildShape();
    }
    void RebuildShape() const;
    void Invalidate() { shapeValid_ = false; }

    // The absolute position where child number row of parentPos begins.
    int ChildStartPosition(int parentPos, int row) const;
    int DraggedNode(const QMimeData* data) const;

    TkavoAppletAgent& agent_;
    std::function<bool(int, int, int)> dropHandler_;
    std::vector<int> levels_;
    std::vector<NodeId> ids_;
    quint64 nextSerial_ = 1;
    std::unordered_map<NodeId, QString> captionOverrides_;
    QIcon rootIcon_, itemIcon_;

    // Derived from levels_ and ids_ in one pass, rebuilt after each change.
    mutable bool shapeValid_ = false;
    mutable std::vector<int> parent_, row_, childStart_, childCount_, end_, children_;
    mutable std::vector<int> posOfSerial_;
    mutable std::vector<int> deepest_;  // the deepest level in each node's block
    // RebuildShape's chain of open ancestors by level, kept to spare an allocation.
    mutable std::vector<int> openByLevel_;
};

}  // namespace zarvex::ui
