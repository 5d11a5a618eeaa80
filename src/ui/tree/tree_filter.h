// The filter box above the design tree: typing finds the items whose caption or link
// holds the text and lists them in the tree's place; choosing one selects it in the tree.
// An empty box (or Escape in it) shows the tree again.
#pragma once

#include <QWidget>
#include <vector>

#include "model/records.h"

class QLineEdit;
class QListView;
class QLabel;

namespace zarvex::ui {

class FoundItemsModel;

class TreeFilter final : public QWidget {
    Q_OBJECT
  public:
    // items are the design's records (item k is tree node k + 1); tree is hidden while the
    // box holds text.
    TreeFilter(const TItemArray& items, QWidget* tree, QWidget* parent);
    ~TreeFilter() override;

    QLineEdit* Box() const { return box_; }
    QListView* Results() const { return results_; }
    // The indexes of the items found for the box's text (item k is node k + 1), in order.
    const std::vector<int>& Found() const;
    // Searches again (the design changed under the results).
    void Refresh();

  signals:
    // The user chose the found node at this tree position.
    void chosen(int pos);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Search();

    const TItemArray& items_;
    QWidget* tree_;
    QLineEdit* box_;
    QListView* results_;
    QLabel* count_;
    FoundItemsModel* found_;
};

}  // namespace zarvex::ui
