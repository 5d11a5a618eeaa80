#include "ui/tree/tree_rename.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <algorithm>

namespace zarvex::ui {

TreeRenameEditor::TreeRenameEditor(QTreeView* tree, DesignTreeModel& model, Commit commit)
    : QObject(tree), tree_(tree), model_(model), commit_(std::move(commit)) {
    editor_ = new QLineEdit(tree->viewport());
    editor_->setObjectName("edtRenameItem");
    editor_->setAccessibleName(tr("Item name"));
    editor_->hide();
    editor_->installEventFilter(this);
    // The node may go or move while the editor is open: the edit is dropped with it.
    connect(&model, &QAbstractItemModel::modelReset, this, &TreeRenameEditor::Cancel);
    connect(&model, &QAbstractItemModel::layoutChanged, this, &TreeRenameEditor::Cancel);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, &TreeRenameEditor::Cancel);
    connect(&model, &QAbstractItemModel::rowsMoved, this, &TreeRenameEditor::Cancel);
}

bool TreeRenameEditor::IsOpen() const {
    return editor_->isVisible();
}

void TreeRenameEditor::Start(int pos, const QString& text) {
    if (pos <= 0)
        return;
    node_ = model_.IdAt(pos);
    const QModelIndex index = model_.IndexAt(pos);
    tree_->scrollTo(index);
    QRect place = tree_->visualRect(index);
    // Over the caption, beside the node's icon, at least wide enough for a short name.
    place.setLeft(place.left() + tree_->iconSize().width() + 4);
    place.setWidth(std::max(place.width(), 160));
    place.setRight(std::min(place.right(), tree_->viewport()->width() - 1));
    editor_->setGeometry(place.adjusted(0, -1, 0, 1));
    editor_->setText(text);
    editor_->selectAll();
    editor_->show();
    editor_->setFocus();
}

void TreeRenameEditor::Cancel() {
    if (IsOpen())
        Finish(false);
}

void TreeRenameEditor::Finish(bool commit) {
    if (finishing_)
        return;
    finishing_ = true;
    const DesignTreeModel::NodeId node = node_;
    const QString text = editor_->text();
    node_ = DesignTreeModel::kNoNode;
    const bool hadFocus = editor_->hasFocus();
    editor_->hide();
    if (hadFocus)
        tree_->setFocus();
    finishing_ = false;
    if (commit && node != DesignTreeModel::kNoNode && commit_)
        commit_(node, text);
}

bool TreeRenameEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editor_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Enter and Escape belong to the editor, not to the window's short cuts.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                event->accept();
                return true;
            }
            break;
        }
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {
                Finish(false);
                return true;
            }
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Finish(true);
                return true;
            }
            break;
        }
        case QEvent::FocusOut:
            if (IsOpen())
                Finish(true);
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zarvex::ui
