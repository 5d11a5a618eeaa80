// The edit history of the open design: undo and redo of every tree command and every
// property edit. Undoing never clears the changed mark: the design still differs from
// what was last opened or saved in the only sense the window keeps, that it was edited.
#include <QAction>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeView>
#include <QUndoStack>

#include "model/records.h"
#include "ui/main/main_form.h"
#include "ui/pages/property_pages.h"

namespace zarvex::ui {

namespace {

QString FieldCaption(const FieldEdit& edit) {
    const std::string_view name = edit.item
                                      ? kItemFields[static_cast<std::size_t>(edit.field)].name
                                      : kAppletFields[static_cast<std::size_t>(edit.field)].name;
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

void TMainForm::CreateHistory() {
    history_ = new QUndoStack(this);
    history_->setObjectName("History");
    const auto caption = [this](const char* name, const QString& verb, const QString& what) {
        QAction* action = Act(QString::fromLatin1(name));
        action->setText(what.isEmpty() ? verb : verb + ' ' + what);
    };
    connect(history_, &QUndoStack::undoTextChanged, this,
            [caption](const QString& what) { caption("Undo1", tr("&Undo"), what); });
    connect(history_, &QUndoStack::redoTextChanged, this,
            [caption](const QString& what) { caption("Redo1", tr("&Redo"), what); });
    connect(history_, &QUndoStack::indexChanged, this, &TMainForm::RefreshActions);
    // A new, opened or imported design starts a new history: the old commands name
    // nodes and records that are gone.
    connect(model_, &QAbstractItemModel::modelReset, history_, &QUndoStack::clear);
    connect(pages_, &PropertyPages::fieldsEdited, this, &TMainForm::OnFieldsEdited);
    connect(pages_, &PropertyPages::webPageEdited, this,
            [this](const WebPageOptions& before, const WebPageOptions& after) {
                if (treeRebuilding_)
                    return;
                // Undone and redone on the root, with the page in front, as field edits are.
                const auto apply = [this](const WebPageOptions& options) {
                    if (SelectedNodeIndex() != 0)
                        SelectNode(0);
                    agent_.WebPage = options;
                    pages_->ShowWebPage(options, true);
                    UpdateCommandStates();
                    emit pages_->changed();
                };
                history_->push(new WebPageEditCommand(apply, tr("Edit Web Page"), before, after));
            });
    model_->SetDropHandler(
        [this](int pos, int parentPos, int row) { return DropBlock(pos, parentPos, row); });
}

bool TMainForm::CanUndo() const {
    return history_ && history_->canUndo();
}

bool TMainForm::CanRedo() const {
    return history_ && history_->canRedo();
}

void TMainForm::Undo1Click() {
    history_->undo();
}

void TMainForm::Redo1Click() {
    history_->redo();
}

void TMainForm::OnFieldsEdited(const std::vector<FieldEdit>& edits) {
    if (treeRebuilding_)
        return;
    // One action that changed several fields (one colour for all four borders) is one step.
    const bool macro = edits.size() > 1;
    if (macro)
        history_->beginMacro(tr("Edit %1").arg(FieldCaption(edits.front())));
    for (const FieldEdit& edit : edits) {
        const NodeId node = edit.item ? currentItemNode_ : model_->IdAt(0);
        if (node == DesignTreeModel::kNoNode || model_->PositionOfId(node) < 0)
            continue;
        history_->push(
            new FieldEditCommand(*this, tr("Edit %1").arg(FieldCaption(edit)), node, edit));
    }
    if (macro)
        history_->endMacro();
}

void TMainForm::RunTreeEdit(const std::function<void()>& change, NodeId select) {
    const int before = SelectedNodeIndex();
    const NodeId selectedBefore = before >= 0 ? model_->IdAt(before) : DesignTreeModel::kNoNode;
    // Qt moves the current index while rows go and come; the selection change runs once,
    // on the finished tree.
    selectionSignalsMuted_ = true;
    try {
        change();
    } catch (...) {
        selectionSignalsMuted_ = false;
        throw;
    }
    int target = model_->PositionOfId(select);
    if (target < 0)
        target = 0;
    SelectNode(target);
    selectionSignalsMuted_ = false;
    ShowSelectedCaption();
    const bool currentGone =
        currentItemNode_ != DesignTreeModel::kNoNode && model_->PositionOfId(currentItemNode_) < 0;
    if (currentGone)
        currentItemNode_ = DesignTreeModel::kNoNode;
    if (model_->IdAt(target) != selectedBefore || currentGone)
        trvwDesignPanelChange();
    UpdateCommandStates();
    MarkChanged();
}

void TMainForm::ApplyField(NodeId node, const FieldEdit& edit, const std::string& value) {
    const int pos = edit.item ? model_->PositionOfId(node) : 0;
    if (pos < 0)
        return;
    // The edit is shown where it happens: its item (or the root) becomes the selection.
    if (SelectedNodeIndex() != pos)
        SelectNode(pos);
    if (edit.item) {
        TItemData record = agent_.GetItem(pos - 1);
        Field(record, static_cast<ItemField>(edit.field)) = value;
        agent_.SetItem(pos - 1, record);
        if (currentItemNode_ == node)
            pages_->WriteItemField(static_cast<ItemField>(edit.field), value);
    } else {
        Field(agent_.MenuParameters, static_cast<AppletField>(edit.field)) = value;
        pages_->WriteMenuField(static_cast<AppletField>(edit.field), value);
    }
    UpdateCommandStates();
    // Whoever follows the pages' changes (the live preview) sees the undone value too.
    emit pages_->changed();
}

// The tree view lays out every shown row again when rows come under an expanded node, but
// only the node's own rows when it is expanded: a small expanded parent is closed for the
// change and opened again, where the view stood.
void TMainForm::AddChildren(NodeId parent, const std::function<void()>& change) {
    const int pos = model_->PositionOfId(parent);
    const QModelIndex index = model_->IndexAt(pos);
    const bool reopen = pos >= 0 && trvwDesignPanel_->isExpanded(index) &&
                        model_->BlockSize(pos) * 4 < model_->NodeCount();
    if (!reopen) {
        change();
        ExpandNode(parent);
        return;
    }
    QScrollBar* vertical = trvwDesignPanel_->verticalScrollBar();
    QScrollBar* horizontal = trvwDesignPanel_->horizontalScrollBar();
    const int top = vertical->value();
    const int left = horizontal->value();
    const QSignalBlocker quiet(trvwDesignPanel_);
    trvwDesignPanel_->collapse(index);
    change();
    trvwDesignPanel_->expand(model_->IndexAt(model_->PositionOfId(parent)));
    vertical->setValue(top);
    horizontal->setValue(left);
}

void TMainForm::ExpandNode(NodeId node) {
    const int pos = model_->PositionOfId(node);
    if (pos < 0)
        return;
    trvwDesignPanel_->expand(model_->IndexAt(pos));
}

}  // namespace zarvex::ui
