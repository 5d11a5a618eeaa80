// The tree's comfort commands: rename in place, duplicate, cut, copy and paste of an item
// with its sub-items, and finding items. Each changes the design in one undo step; the
// clipboard carries the structure file's text.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>

#include "model/errors.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/main/main_form.h"
#include "ui/pages/property_pages.h"
#include "ui/tree/tree_blocks.h"
#include "ui/tree/tree_filter.h"
#include "ui/tree/tree_rename.h"

namespace zarvex::ui {

void TMainForm::CreateTreeComfort() {
    rename_ =
        new TreeRenameEditor(trvwDesignPanel_, *model_,
                             [this](NodeId node, const QString& text) { RenameNode(node, text); });
    // A node about to lose its last child is collapsed first: the view would keep it
    // marked expanded but lay it out as a leaf, and expanding it again when a child
    // comes back would then change nothing.
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (first == 0 && last == model_->rowCount(parent) - 1)
                    trvwDesignPanel_->collapse(parent);
            });
    // The editor opens once the click's own events are through: the mouse release and
    // the focus they give the tree would otherwise close it at once.
    connect(trvwDesignPanel_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        const int clicked = model_->PositionOf(index);
        if (clicked <= 0)
            return;
        const DesignTreeModel::NodeId node = model_->IdAt(clicked);
        QTimer::singleShot(0, this, [this, node] {
            const int pos = model_->PositionOfId(node);
            if (pos > 0 && pos == SelectedNodeIndex())
                Rename1Click();
        });
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::RefreshActions);
    connect(filter_, &TreeFilter::chosen, this, [this](int pos) {
        SelectNode(pos);
        ShowSelectedCaption();
    });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model_, signal, filter_, &TreeFilter::Refresh);
    connect(model_, &QAbstractItemModel::modelReset, filter_, &TreeFilter::Refresh);
}

bool TMainForm::CanRename() const {
    const QWidget* text = pages_->Control(QStringLiteral("edt_Text"));
    return SelectedNodeIndex() > 0 && text && text->isEnabled();
}

bool TMainForm::CanPaste() const {
    if (SelectedNodeIndex() < 0)
        return false;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText() && LooksLikeBlocksText(data->text().toStdString());
}

void TMainForm::Rename1Click() {
    if (!CanRename())
        return;
    const int selected = SelectedNodeIndex();
    rename_->Start(selected, model_->Caption(selected));
}

// The name goes in through the Text field, so that it meets the same checks, renames the
// node the same way and is one step of the same history as typing it there.
void TMainForm::RenameNode(NodeId node, const QString& text) {
    const int pos = model_->PositionOfId(node);
    if (pos <= 0)
        return;
    if (SelectedNodeIndex() != pos)
        SelectNode(pos);
    auto* field = qobject_cast<QLineEdit*>(pages_->Control(QStringLiteral("edt_Text")));
    if (field && field->isEnabled() && field->text() != text)
        field->setText(text);
}

void TMainForm::Copy1Click() {
    const int selected = SelectedItemOrNone();
    if (selected < 0)
        return;
    CommitPages();
    copiedRecords_ = BlockRecords(*model_, agent_.Items, selected);
    copiedText_ = BlocksText(copiedRecords_);
    QApplication::clipboard()->setText(QString::fromStdString(copiedText_));
}

void TMainForm::Cut1Click() {
    const int selected = SelectedItemOrNone();
    if (selected < 0)
        return;
    Copy1Click();
    int neighbour = model_->NextSibling(selected);
    if (neighbour < 0)
        neighbour = model_->PrevSibling(selected);
    if (neighbour < 0)
        neighbour = model_->ParentOf(selected);
    history_->push(
        new RemoveBlockCommand(*this, tr("Cut"), model_->IdAt(selected), model_->IdAt(neighbour)));
}

void TMainForm::Duplicate1Click() {
    const int selected = SelectedItemOrNone();
    if (selected < 0)
        return;
    CommitPages();
    PutBlocksAfter(selected, BlockRecords(*model_, agent_.Items, selected), tr("Duplicate"));
}

// Pasted blocks follow the selected item as its next siblings; with the root selected they
// become its last children.
void TMainForm::Paste1Click() {
    const int selected = SelectedNodeIndex();
    if (selected < 0)
        return;
    const std::string text = QApplication::clipboard()->text().toStdString();
    // Items copied in this run keep every field; text from elsewhere carries the
    // structure file's fields.
    const TItemArray records = text == copiedText_ ? copiedRecords_ : ParseBlocksText(text);
    if (records.empty())
        return;
    CommitPages();
    if (selected == 0) {
        PutBlocks(0, model_->ChildCount(0), records, tr("Paste"));
        return;
    }
    PutBlocksAfter(selected, records, tr("Paste"));
}

void TMainForm::PutBlocksAfter(int pos, const TItemArray& records, const QString& what) {
    PutBlocks(model_->ParentOf(pos), model_->RowOf(pos) + 1, records, what);
}

void TMainForm::PutBlocks(int parentPos, int row, const TItemArray& records, const QString& what) {
    if (model_->NodeLevel(parentPos) + 1 + DeepestRelativeLevel(records) >
        DesignTreeModel::kMaxLevel)
        throw BuildError("The items would reach deeper than level " +
                         std::to_string(DesignTreeModel::kMaxLevel) + ".");
    MarkChanged();
    const int selected = SelectedNodeIndex();
    history_->push(new PutBlocksCommand(
        *this, what, model_->IdAt(parentPos), row, MakeBlocks(*model_, records),
        selected >= 0 ? model_->IdAt(selected) : DesignTreeModel::kNoNode));
}

void TMainForm::Find1Click() {
    filter_->Box()->setFocus();
    filter_->Box()->selectAll();
}

}  // namespace zarvex::ui
