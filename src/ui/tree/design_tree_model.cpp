#include "ui/tree/design_tree_model.h"

#include <QMimeData>
#include <QStringList>
#include <algorithm>
#include <stdexcept>

#include "model/field_decimal.h"
#include "model/item_list.h"

#include "platform/text_codec.h"

namespace zarvex::ui {

namespace {

const char* const kNodeMimeType = "application/x-zarvex-design-node";

quint64 SerialOf(quintptr id) {
    return static_cast<quint64>(id * node_ids::kInverse);
}

}  // namespace

DesignTreeModel::DesignTreeModel(TkavoAppletAgent& agent, QObject* parent)
    : QAbstractItemModel(parent), agent_(agent) {
    levels_.push_back(0);
    ids_.push_back(NewId());
}

DesignTreeModel::NodeId DesignTreeModel::NewId() {
    return static_cast<NodeId>(nextSerial_++) * node_ids::kMultiplier;
}

// One pass for parents, rows, child counts and block ends, one for where each child list
// starts, one for the child lists and the id map. In pre-order a node's level is at most
// one deeper than the node before it, so the open ancestors are indexed by level.
void DesignTreeModel::RebuildShape() const {
    const int n = NodeCount();
    parent_.resize(n);
    row_.resize(n);
    childCount_.assign(n, 0);
    end_.resize(n);
    childStart_.resize(n);
    children_.resize(n > 0 ? n - 1 : 0);
    const int* level = levels_.data();
    int* parent = parent_.data();
    int* row = row_.data();
    int* count = childCount_.data();
    int* end = end_.data();
    // A node's level is at most its position: files may nest deeper than the commands do.
    openByLevel_.resize(static_cast<std::size_t>(n) + 1);
    int* open = openByLevel_.data();
    int depth = -1;  // the level of the deepest open node
    for (int i = 0; i < n; ++i) {
        const int l = level[i];
        for (; depth >= l; --depth)
            end[open[depth]] = i;
        const int p = l > 0 ? open[l - 1] : -1;
        parent[i] = p;
        row[i] = p >= 0 ? count[p]++ : 0;
        open[l] = i;
        depth = l;
    }
    for (; depth >= 0; --depth)
        end[open[depth]] = n;
    int* start = childStart_.data();
    int sum = 0;
    for (int i = 0; i < n; ++i) {
        start[i] = sum;
        sum += count[i];
    }
    int* children = children_.data();
    for (int i = 1; i < n; ++i)
        children[start[parent[i]] + row[i]] = i;
    // Children stand after their parent: walking backwards, each node's deepest level is
    // final before it is handed to its parent.
    deepest_.assign(levels_.begin(), levels_.end());
    int* deepest = deepest_.data();
    for (int i = n - 1; i > 0; --i)
        deepest[parent[i]] = std::max(deepest[parent[i]], deepest[i]);
    posOfSerial_.assign(nextSerial_, -1);
    int* posOfSerial = posOfSerial_.data();
    const NodeId* ids = ids_.data();
    for (int i = 0; i < n; ++i)
        posOfSerial[SerialOf(ids[i])] = i;
    shapeValid_ = true;
}

// --- QAbstractItemModel ------------------------------------------------------

QModelIndex DesignTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? createIndex(0, 0, ids_[0]) : QModelIndex();
    const int p = PositionOf(parent);
    if (p < 0 || row >= childCount_[p])
        return {};
    return createIndex(row, 0, ids_[children_[childStart_[p] + row]]);
}

QModelIndex DesignTreeModel::parent(const QModelIndex& child) const {
    const int pos = PositionOf(child);
    if (pos <= 0)
        return {};
    const int p = parent_[pos];
    return createIndex(row_[p], 0, ids_[p]);
}

int DesignTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    const int p = PositionOf(parent);
    return p < 0 ? 0 : childCount_[p];
}

int DesignTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool DesignTreeModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant DesignTreeModel::data(const QModelIndex& index, int role) const {
    const int pos = PositionOf(index);
    if (pos < 0)
        return {};
    switch (role) {
        case Qt::DisplayRole:
            return Caption(pos);
        case Qt::DecorationRole:
            return pos == 0 ? rootIcon_ : itemIcon_;
        default:
            return {};
    }
}

Qt::ItemFlags DesignTreeModel::flags(const QModelIndex& index) const {
    const int pos = PositionOf(index);
    if (pos < 0)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (pos > 0)
        f |= Qt::ItemIsDragEnabled;
    if (childCount_[pos] == 0)
        f |= Qt::ItemNeverHasChildren;
    return f;
}

// --- IDesignTree ----------------------------------------------------------------

void DesignTreeModel::ResetToRoot() {
    beginResetModel();
    levels_.assign(1, 0);
    nextSerial_ = 1;
    ids_.assign(1, NewId());
    captionOverrides_.clear();
    Invalidate();
    endResetModel();
}

void DesignTreeModel::AppendNodes(const std::vector<int>& levels,
                                  const std::vector<std::string>& captions) {
    if (levels.size() != captions.size())
        throw std::invalid_argument("levels and captions differ in length");
    AppendLevels(levels);
}

void DesignTreeModel::AppendItemNodes(const std::vector<int>& levels, const TItemArray& items) {
    if (levels.size() != items.size())
        throw std::invalid_argument("levels and items differ in length");
    AppendLevels(levels);
}

void DesignTreeModel::AppendLevels(const std::vector<int>& levels) {
    int previous = levels_.back();
    for (const int level : levels) {
        if (level < 1 || level > previous + 1)
            throw std::invalid_argument("node levels do not form a pre-order tree");
        previous = level;
    }
    beginResetModel();
    levels_.insert(levels_.end(), levels.begin(), levels.end());
    // A design's whole tree arrives here when it is opened: the ids are written in one pass.
    const std::size_t first = ids_.size();
    ids_.resize(first + levels.size());
    for (std::size_t i = first; i < ids_.size(); ++i)
        ids_[i] = NewId();
    Invalidate();
    endResetModel();
}

// --- positions ------------------------------------------------------------------

QModelIndex DesignTreeModel::IndexAt(int pos) const {
    if (pos < 0 || pos >= NodeCount())
        return {};
    EnsureShape();
    return createIndex(row_[pos], 0, ids_[pos]);
}

int DesignTreeModel::ParentOf(int pos) const {
    EnsureShape();
    return parent_.at(pos);
}

int DesignTreeModel::PrevSibling(int pos) const {
    EnsureShape();
    const int p = parent_.at(pos);
    if (p < 0 || row_[pos] == 0)
        return -1;
    return children_[childStart_[p] + row_[pos] - 1];
}

int DesignTreeModel::NextSibling(int pos) const {
    EnsureShape();
    const int p = parent_.at(pos);
    if (p < 0 || row_[pos] + 1 >= childCount_[p])
        return -1;
    return children_[childStart_[p] + row_[pos] + 1];
}

int DesignTreeModel::ChildCount(int pos) const {
    EnsureShape();
    return childCount_.at(pos);
}

int DesignTreeModel::BlockSize(int pos) const {
    EnsureShape();
    return end_.at(pos) - pos;
}

QString DesignTreeModel::Caption(int pos) const {
    if (pos == 0)
        return QString::fromLatin1(kRootCaption);
    if (!captionOverrides_.empty()) {
        const auto it = captionOverrides_.find(ids_[pos]);
        if (it != captionOverrides_.end())
            return it->second;
    }
    const auto k = static_cast<std::size_t>(pos - 1);
    return k < agent_.Items.size() ? platform::DecodeFieldText(agent_.Items[k].Text) : QString();
}

// --- editing ----------------------------------------------------------------------

void DesignTreeModel::SetCaptionOverride(int pos, const QString& caption) {
    if (pos <= 0 || pos >= NodeCount())
        return;
    const auto k = static_cast<std::size_t>(pos - 1);
    const bool matchesRecord =
        k < agent_.Items.size() && platform::DecodeFieldText(agent_.Items[k].Text) == caption;
    if (matchesRecord)
        captionOverrides_.erase(ids_[pos]);
    else
        captionOverrides_[ids_[pos]] = caption;
    const QModelIndex i = IndexAt(pos);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void DesignTreeModel::ClearCaptionOverride(int pos) {
    if (pos <= 0 || pos >= NodeCount())
        return;
    if (captionOverrides_.erase(ids_[pos]) == 0)
        return;
    const QModelIndex i = IndexAt(pos);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

// --- blocks -------------------------------------------------------------------------------

int DesignTreeModel::RowOf(int pos) const {
    EnsureShape();
    return row_.at(pos);
}

int DesignTreeModel::DeepestLevelIn(int pos) const {
    EnsureShape();
    return deepest_.at(pos);
}

int DesignTreeModel::ChildStartPosition(int parentPos, int row) const {
    EnsureShape();
    return row < childCount_[parentPos] ? children_[childStart_[parentPos] + row] : end_[parentPos];
}

DesignTreeModel::Block DesignTreeModel::NewBlock(TItemData record) {
    Block block;
    block.level = -1;  // never stood anywhere: its Level is always written
    block.levels = {0};
    block.ids = {NewId()};
    block.records.push_back(std::move(record));
    return block;
}

DesignTreeModel::Block DesignTreeModel::TakeBlock(int pos) {
    EnsureShape();
    Block block;
    if (pos <= 0 || pos >= NodeCount())
        return block;
    const int end = end_[pos];
    block.level = levels_[pos];
    beginRemoveRows(IndexAt(parent_[pos]), row_[pos], row_[pos]);
    block.levels.resize(end - pos);
    for (int i = pos; i < end; ++i)
        block.levels[i - pos] = levels_[i] - block.level;
    if (!captionOverrides_.empty())
        for (int i = pos; i < end; ++i)
            captionOverrides_.erase(ids_[i]);
    block.ids.assign(ids_.begin() + pos, ids_.begin() + end);
    levels_.erase(levels_.begin() + pos, levels_.begin() + end);
    ids_.erase(ids_.begin() + pos, ids_.begin() + end);
    block.records = items::TakeBlock(agent_.Items, pos - 1, end - pos);
    Invalidate();
    endRemoveRows();
    return block;
}

void DesignTreeModel::PutBlock(int parentPos, int row, Block block) {
    EnsureShape();
    const int level = levels_.at(parentPos) + 1;
    const int at = ChildStartPosition(parentPos, row);
    if (level != block.level)
        for (std::size_t i = 0; i < block.records.size(); ++i)
            SetDecimal(block.records[i].Level, level + block.levels[i] - 1);
    beginInsertRows(IndexAt(parentPos), row, row);
    std::vector<int> levels(block.levels);
    for (int& l : levels)
        l += level;
    levels_.insert(levels_.begin() + at, levels.begin(), levels.end());
    ids_.insert(ids_.begin() + at, block.ids.begin(), block.ids.end());
    items::InsertBlock(agent_.Items, at - 1, std::move(block.records));
    Invalidate();
    endInsertRows();
}

bool DesignTreeModel::CanMoveBlock(int pos, int parentPos, int row) const {
    EnsureShape();
    if (pos <= 0 || pos >= NodeCount() || parentPos < 0 || parentPos >= NodeCount())
        return false;
    // Not into its own block.
    if (parentPos >= pos && parentPos < end_[pos])
        return false;
    const int siblings = childCount_[parentPos] - (parent_[pos] == parentPos ? 1 : 0);
    if (row < 0 || row > siblings)
        return false;
    if (parent_[pos] == parentPos && row == row_[pos])
        return false;  // where it is already
    const int shift = levels_[parentPos] + 1 - levels_[pos];
    return DeepestLevelIn(pos) + shift <= kMaxLevel;
}

bool DesignTreeModel::MoveBlock(int pos, int parentPos, int row) {
    if (!CanMoveBlock(pos, parentPos, row))
        return false;
    const int end = end_[pos];
    const int size = end - pos;
    const int oldParent = parent_[pos];
    // Qt counts the destination row before the node leaves its place.
    const int qtRow = (oldParent == parentPos && row > row_[pos]) ? row + 1 : row;
    const int before = ChildStartPosition(parentPos, qtRow);  // insertion point, old numbering
    const int to = before > pos ? before - size : before;     // the block's new start
    const int shift = levels_[parentPos] + 1 - levels_[pos];
    if (!beginMoveRows(IndexAt(oldParent), row_[pos], row_[pos], IndexAt(parentPos), qtRow))
        return false;
    items::RotateBlock(levels_, pos, size, to);
    items::RotateBlock(ids_, pos, size, to);
    items::MoveBlock(agent_.Items, pos - 1, size, to - 1);
    if (shift != 0) {
        for (int i = to; i < to + size; ++i) {
            levels_[i] += shift;
            SetDecimal(agent_.Items[i - 1].Level, levels_[i] - 1);
        }
    }
    Invalidate();
    endMoveRows();
    return true;
}

// --- drag and drop ---------------------------------------------------------------------

QStringList DesignTreeModel::mimeTypes() const {
    return {QString::fromLatin1(kNodeMimeType)};
}

QMimeData* DesignTreeModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.size() != 1 || PositionOf(indexes.front()) <= 0)
        return nullptr;
    auto* data = new QMimeData;
    // The node's id, and the model's address so that a drop from elsewhere is refused.
    data->setData(QString::fromLatin1(kNodeMimeType),
                  QByteArray::number(static_cast<qulonglong>(indexes.front().internalId())) + ' ' +
                      QByteArray::number(reinterpret_cast<qulonglong>(this)));
    return data;
}

int DesignTreeModel::DraggedNode(const QMimeData* data) const {
    if (!data)
        return -1;
    const QList<QByteArray> parts = data->data(QString::fromLatin1(kNodeMimeType)).split(' ');
    if (parts.size() != 2 || parts[1].toULongLong() != reinterpret_cast<qulonglong>(this))
        return -1;
    return PositionOfId(static_cast<NodeId>(parts[0].toULongLong()));
}

std::pair<int, int> DesignTreeModel::DropTarget(int pos, int row, const QModelIndex& parent) const {
    const int parentPos = PositionOf(parent);
    if (pos <= 0 || parentPos < 0)
        return {-1, -1};
    EnsureShape();
    int finalRow;
    if (row < 0) {
        finalRow = childCount_[parentPos] - (parent_[pos] == parentPos ? 1 : 0);
    } else {
        finalRow = std::min(row, childCount_[parentPos]);
        if (parent_[pos] == parentPos && finalRow > row_[pos])
            --finalRow;
    }
    if (!CanMoveBlock(pos, parentPos, finalRow))
        return {-1, -1};
    return {parentPos, finalRow};
}

bool DesignTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                      int column, const QModelIndex& parent) const {
    if (action != Qt::MoveAction || column > 0)
        return false;
    return DropTarget(DraggedNode(data), row, parent).first >= 0;
}

bool DesignTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                   int column, const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent) || !dropHandler_)
        return false;
    const int pos = DraggedNode(data);
    const auto [parentPos, finalRow] = DropTarget(pos, row, parent);
    // The move is done here; the view's removal of the dragged row afterwards finds
    // nothing to remove (removeRows is not offered).
    return dropHandler_(pos, parentPos, finalRow);
}

void DesignTreeModel::SetIcons(const QIcon& root, const QIcon& item) {
    rootIcon_ = root;
    itemIcon_ = item;
    if (NodeCount() > 0)
        emit dataChanged(IndexAt(0), IndexAt(0), {Qt::DecorationRole});
}

}  // namespace zarvex::ui
