// The property pages `pgcntrl1` and every transfer between them and the model:
// the menu-wide pages (Script, Style, Path) for the root, the Item page for an
// item. The window calls only this class's operations; the binding of each
// control lives here.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "model/applet_agent.h"

class QLineEdit;
class QTabWidget;
class QWidget;

namespace zarvex::ui {

class IDialogService;

// What the pages need to know of the tree's selected node.
struct SelectedNode {
    int absIndex = -1;  // -1: nothing selected; 0: the root
    int level = 0;
    bool hasChildren = false;
    bool IsItem() const { return absIndex > 0; }
};

class PropertyPages : public QObject {
    Q_OBJECT
  public:
    PropertyPages(TkavoAppletAgent& agent, IDialogService& dialogs, QWidget* window);

    QTabWidget* Widget() const { return pages_; }
    void SetSelectionSource(std::function<SelectedNode()> source) {
        selection_ = std::move(source);
    }

    // Model <-> pages.
    void ReadMenuPages();
    void ShowMenuParameters();
    void ReadItemPage(int index);
    void ShowItem(int index);

    // Shows the tabs that belong to the selected node; does nothing when they were
    // last arranged for the same node, unless force is set.
    void ArrangePages(bool force);
    // Enables the Item page's controls for the selected node's kind and text.
    void ApplyItemAvailability();

    int LastPagesNodeIndex() const { return lastPagesNodeIndex_; }
    void ForgetArrangement() { lastPagesNodeIndex_ = -1; }

  signals:
    // A control that reports changes changed its value: the design is changed.
    void changed();
    // The Item page's text changed while an item is selected: the node's caption.
    void itemCaptionEdited(const QString& caption);

  private:
    void BuildScriptPage(QWidget* page);
    void BuildItemPage(QWidget* page);
    void OnCaptionEditChanged();
    SelectedNode Selected() const { return selection_ ? selection_() : SelectedNode{}; }

    TkavoAppletAgent& agent_;
    IDialogService& dialogs_;
    QTabWidget* pages_;
    QWidget* tbshtScript_;
    QWidget* tbshtStyle_;
    QWidget* tbshtItem_;
    QWidget* tbshtPath_;
    std::vector<QWidget*> rootPages_, parentPages_, itemPages_;
    QLineEdit* edtMenuName_ = nullptr;
    QLineEdit* edtText_ = nullptr;
    std::function<SelectedNode()> selection_;
    int lastPagesNodeIndex_ = -1;
};

// An edit's value for the model: its text trimmed. When the text is what the
// previous value shows, the previous bytes are kept, so that viewing a field
// never changes its encoding.
std::string ReadEditText(const QLineEdit* edit, const std::string& previous);

}  // namespace zarvex::ui
