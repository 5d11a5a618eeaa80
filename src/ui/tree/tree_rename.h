// Renaming an item in place: an editor over the node's caption in the tree, opened by
// F2 or a double click. Enter or leaving the editor hands the text over
// (the window puts it through the Text field's checks and history); Escape cancels.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "ui/tree/design_tree_model.h"

class QLineEdit;
class QTreeView;

namespace zarvex::ui {

class TreeRenameEditor final : public QObject {
    Q_OBJECT
  public:
    using Commit = std::function<void(DesignTreeModel::NodeId, const QString&)>;
    TreeRenameEditor(QTreeView* tree, DesignTreeModel& model, Commit commit);

    // Opens the editor over node pos holding text, all of it selected.
    void Start(int pos, const QString& text);
    void Cancel();
    bool IsOpen() const;
    QLineEdit* Editor() const { return editor_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Finish(bool commit);

    QTreeView* tree_;
    DesignTreeModel& model_;
    Commit commit_;
    QLineEdit* editor_;
    DesignTreeModel::NodeId node_ = DesignTreeModel::kNoNode;
    bool finishing_ = false;
};

}  // namespace zarvex::ui
