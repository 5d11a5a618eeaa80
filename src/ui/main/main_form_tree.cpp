// The design tree's commands and its selection: every command changes the tree
// and the agent's Items in one step through the tree model.
#include <QAction>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeView>
#include <QUndoStack>

#include "ui/dialogs/dialog_service.h"
#include "ui/main/main_form.h"
#include "ui/pages/property_pages.h"

namespace zarvex::ui {

int TMainForm::SelectedNodeIndex() const {
    return model_->PositionOf(trvwDesignPanel_->currentIndex());
}

int TMainForm::CurrentItemNodeIndex() const {
    return currentItemNode_ == DesignTreeModel::kNoNode ? -1
                                                        : model_->PositionOfId(currentItemNode_);
}

void TMainForm::SelectNode(int pos) {
    trvwDesignPanel_->setCurrentIndex(model_->IndexAt(pos));
}

void TMainForm::ShowSelectedCaption() {
    const QModelIndex current = trvwDesignPanel_->currentIndex();
    if (!current.isValid())
        return;
    trvwDesignPanel_->scrollTo(current);
    // Deep items stand far to the right: the tree scrolls sideways to the caption.
    const QRect shown = trvwDesignPanel_->visualRect(current);
    const QRect view = trvwDesignPanel_->viewport()->rect();
    if (shown.left() < view.left() || shown.left() > view.right() - view.width() / 4) {
        QScrollBar* bar = trvwDesignPanel_->horizontalScrollBar();
        bar->setValue(bar->value() + shown.left() - 2 * trvwDesignPanel_->indentation());
    }
}

void TMainForm::ReadItemPageOf(int pos) {
    pages_->ReadItemPage(pos - 1);
    model_->ClearCaptionOverride(pos);
}

void TMainForm::OnItemCaptionEdited(const QString& caption) {
    const int selected = SelectedNodeIndex();
    if (selected > 0)
        model_->SetCaptionOverride(selected, caption);
}

int TMainForm::SelectedItemOrNone() const {
    const int selected = SelectedNodeIndex();
    return selected > 0 ? selected : -1;
}

// Every structural edit goes onto the edit history as a command; pushing it runs it.

void TMainForm::Insert1Click() {
    MarkChanged();
    if (!CanInsert())
        return;
    const int selected = SelectedNodeIndex();
    history_->push(new InsertBlockCommand(*this, tr("Insert"), model_->IdAt(selected),
                                          model_->NewBlock(TkavoAppletAgent::NewItemRecord())));
    pages_->ArrangePages(true);
}

void TMainForm::Delete1Click() {
    MarkChanged();
    const int selected = SelectedNodeIndex();
    if (selected < 0)
        return;
    if (selected == 0) {
        dialogs_.ShowMessage(this, MessageKind::Error, tr("Root item cannot be deleted."),
                             DialogButton::Ok);
        return;
    }
    if (dialogs_.ShowMessage(this, MessageKind::Warning,
                             tr("Are you sure to delete this item and all its children?"),
                             DialogButton::Yes | DialogButton::No) != DialogButton::Yes)
        return;
    // The next sibling, else the previous one, else the parent takes the selection; the
    // vanishing item's page is dropped, not written anywhere.
    int neighbour = model_->NextSibling(selected);
    if (neighbour < 0)
        neighbour = model_->PrevSibling(selected);
    if (neighbour < 0)
        neighbour = model_->ParentOf(selected);
    history_->push(new RemoveBlockCommand(*this, tr("Delete"), model_->IdAt(selected),
                                          model_->IdAt(neighbour)));
}

void TMainForm::MoveUp1Click() {
    MarkChanged();
    if (const int selected = SelectedItemOrNone(); selected > 0 && CanMoveUp())
        history_->push(new MoveBlockCommand(*this, tr("Move Up"), model_->IdAt(selected),
                                            model_->IdAt(model_->ParentOf(selected)),
                                            model_->RowOf(selected) - 1, model_->IdAt(selected)));
    UpdateCommandStates();
}

void TMainForm::MoveDown1Click() {
    MarkChanged();
    if (const int selected = SelectedItemOrNone(); selected > 0 && CanMoveDown())
        history_->push(new MoveBlockCommand(*this, tr("Move Down"), model_->IdAt(selected),
                                            model_->IdAt(model_->ParentOf(selected)),
                                            model_->RowOf(selected) + 1, model_->IdAt(selected)));
    UpdateCommandStates();
}

void TMainForm::Indent1Click() {
    MarkChanged();
    if (!CanIndent())
        return;
    const int selected = SelectedNodeIndex();
    const int previous = model_->PrevSibling(selected);
    history_->push(new MoveBlockCommand(*this, tr("Indent"), model_->IdAt(selected),
                                        model_->IdAt(previous), model_->ChildCount(previous),
                                        model_->IdAt(selected)));
}

void TMainForm::Outdent1Click() {
    MarkChanged();
    if (!CanOutdent())
        return;
    const int selected = SelectedNodeIndex();
    const int parent = model_->ParentOf(selected);
    history_->push(new MoveBlockCommand(*this, tr("Outdent"), model_->IdAt(selected),
                                        model_->IdAt(model_->ParentOf(parent)),
                                        model_->RowOf(parent) + 1, model_->IdAt(selected)));
}

bool TMainForm::DropBlock(int pos, int parentPos, int row) {
    if (treeRebuilding_ || !model_->CanMoveBlock(pos, parentPos, row))
        return false;
    MarkChanged();
    const int selected = SelectedNodeIndex();
    history_->push(
        new MoveBlockCommand(*this, tr("Drag"), model_->IdAt(pos), model_->IdAt(parentPos), row,
                             selected >= 0 ? model_->IdAt(selected) : DesignTreeModel::kNoNode));
    return true;
}

bool TMainForm::CanInsert() const {
    const int selected = SelectedNodeIndex();
    return selected >= 0 && model_->NodeLevel(selected) < DesignTreeModel::kMaxLevel;
}

bool TMainForm::CanDelete() const {
    return SelectedNodeIndex() > 0;
}

bool TMainForm::CanMoveUp() const {
    const int selected = SelectedNodeIndex();
    return selected > 0 && model_->PrevSibling(selected) >= 0;
}

bool TMainForm::CanMoveDown() const {
    const int selected = SelectedNodeIndex();
    return selected > 0 && model_->NextSibling(selected) >= 0;
}

bool TMainForm::CanIndent() const {
    const int selected = SelectedNodeIndex();
    if (selected <= 0)
        return false;
    const int previous = model_->PrevSibling(selected);
    return previous >= 0 && model_->CanMoveBlock(selected, previous, model_->ChildCount(previous));
}

bool TMainForm::CanOutdent() const {
    const int selected = SelectedNodeIndex();
    return selected > 0 && model_->ParentOf(selected) > 0;
}

void TMainForm::trvwDesignPanelChange() {
    if (treeRebuilding_)
        return;
    pages_->ArrangePages(false);
    const int current = CurrentItemNodeIndex();
    if (current > 0)
        ReadItemPageOf(current);
    const int selected = SelectedNodeIndex();
    if (selected <= 0) {
        // The commands follow every selection, the root's included, so that none
        // is offered where it cannot act.
        UpdateCommandStates();
        return;
    }
    if (current != selected) {
        currentItemNode_ = model_->IdAt(selected);
        pages_->ShowItem(selected - 1);
    }
    UpdateCommandStates();
    MarkChanged();
}

void TMainForm::trvwDesignPanelMouseDown(const QPoint& pos) {
    if (treeRebuilding_ || SelectedNodeIndex() < 0)
        return;
    const QModelIndex under = trvwDesignPanel_->indexAt(pos);
    if (under.isValid())
        trvwDesignPanel_->setCurrentIndex(under);
    UpdateCommandStates();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == trvwDesignPanel_->viewport() && event->type() == QEvent::MouseButtonPress)
        trvwDesignPanelMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::UpdateCommandStates() {
    RefreshActions();
    pages_->ArrangePages(false);
    pages_->ApplyItemAvailability();
}

}  // namespace zarvex::ui
