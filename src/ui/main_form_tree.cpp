// The design tree's commands and its selection: every command changes the tree
// and the agent's Items in one step through the tree model.
#include <QAction>
#include <QMouseEvent>
#include <QTreeView>

#include "ui/dialog_service.h"
#include "ui/main_form.h"
#include "ui/property_pages.h"

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

void TMainForm::ReadItemPageOf(int pos) {
    pages_->ReadItemPage(pos - 1);
    model_->ClearCaptionOverride(pos);
}

void TMainForm::OnItemCaptionEdited(const QString& caption) {
    const int selected = SelectedNodeIndex();
    if (selected > 0)
        model_->SetCaptionOverride(selected, caption);
}

void TMainForm::Insert1Click() {
    MarkChanged();
    const int selected = SelectedNodeIndex();
    if (selected < 0 || model_->NodeLevel(selected) >= DesignTreeModel::kMaxLevel)
        return;
    model_->InsertLastChild(selected, TkavoAppletAgent::NewItemRecord());
    trvwDesignPanel_->expand(model_->IndexAt(selected));
    UpdateCommandStates();
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

    // The vanishing item's page is dropped, not written anywhere.
    currentItemNode_ = DesignTreeModel::kNoNode;
    int neighbour = model_->NextSibling(selected);
    if (neighbour < 0)
        neighbour = model_->PrevSibling(selected);
    if (neighbour < 0)
        neighbour = model_->ParentOf(selected);
    const DesignTreeModel::NodeId next = model_->IdAt(neighbour);
    {
        // Qt moves the current index while the rows go; the selection change runs
        // once, on the finished tree.
        selectionSignalsMuted_ = true;
        model_->DeleteSubtree(selected);
        SelectNode(model_->PositionOfId(next));
        selectionSignalsMuted_ = false;
    }
    trvwDesignPanelChange();
    UpdateCommandStates();
}

void TMainForm::MoveUp1Click() {
    MarkChanged();
    const int selected = SelectedNodeIndex();
    if (selected > 0)
        model_->MoveUp(selected);
    UpdateCommandStates();
}

void TMainForm::MoveDown1Click() {
    MarkChanged();
    const int selected = SelectedNodeIndex();
    if (selected > 0)
        model_->MoveDown(selected);
    UpdateCommandStates();
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
    const int selected = SelectedNodeIndex();
    const bool any = selected >= 0;
    const bool item = selected > 0;
    Insert1_->setEnabled(any && model_->NodeLevel(selected) < DesignTreeModel::kMaxLevel);
    Delete1_->setEnabled(item);
    MoveUp1_->setEnabled(item && model_->PrevSibling(selected) >= 0);
    MoveDown1_->setEnabled(item && model_->NextSibling(selected) >= 0);
    const struct {
        QAction* popup;
        QAction* menu;
        QAction* button;
    } copies[] = {{Insert1_, Insert2_, tlbtnInsert_},
                  {Delete1_, Delete2_, tlbtnDelete_},
                  {MoveUp1_, MoveUp2_, tlbtnMoveUp_},
                  {MoveDown1_, MoveDown2_, tlbtnMoveDown_}};
    for (const auto& c : copies) {
        c.menu->setEnabled(c.popup->isEnabled());
        c.button->setEnabled(c.popup->isEnabled());
    }
    pages_->ArrangePages(false);
    pages_->ApplyItemAvailability();
}

}  // namespace zarvex::ui
