// The property pages `pgcntrl1` and every transfer between them and the model:
// the menu-wide pages (Script, Style, Path) for the root, the Item page for an
// item. The window calls only this class's operations; which control shows which
// field is the data of page_bindings.h, the controls are made by page_builders.h.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "publish/applet_agent.h"

class QAction;
class QLineEdit;
class QTabWidget;
class QWidget;

namespace zarvex::ui {

class BorderColorChoice;
class ColorPanel;
class IDialogService;
struct ReportingControl;
enum class TextCheck;

// What the pages need to know of the tree's selected node.
struct SelectedNode {
    int absIndex = -1;  // -1: nothing selected; 0: the root
    int level = 0;
    bool hasChildren = false;
    bool IsItem() const { return absIndex > 0; }
};

// The file dialog filters of the two pickers.
inline constexpr const char* kLinkFilter =
    "HTML files(*.htm;*.html)|*.htm;*.html|Any file (*.*)|*.*";
inline constexpr const char* kIconFilter =
    "All Image Files(*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp)|"
    "*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp|GIF Image File (*.gif)|*.gif|"
    "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
    "PNG Image File (*.png)|*.png|SVG Image File (*.svg)|*.svg|WebP Image File (*.webp)|*.webp";

// One field's shown value as the user changed it, for the edit history. `item` tells the
// Item page (the record of the item shown) from the menu-wide pages; `field` is an
// ItemField or an AppletField. `refused` marks the emptying of a text an input check refused.
struct FieldEdit {
    bool item = false;
    int field = 0;
    std::string before, after;
    bool refused = false;
};

class PropertyPages : public QObject {
    Q_OBJECT
  public:
    PropertyPages(TkavoAppletAgent& agent, IDialogService& dialogs, QWidget* window);

    QTabWidget* Widget() const { return pages_; }
    void SetSelectionSource(std::function<SelectedNode()> source) {
        selection_ = std::move(source);
    }
    // Runs before the link picker's file dialog: the window shows the link tip there
    // when the user has not turned it off.
    void SetLinkTipHook(std::function<void()> hook) { linkTip_ = std::move(hook); }

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

    void ForgetArrangement() { lastPagesNodeIndex_ = -1; }

    // Refuses a text holding the project file's separator or an unescaped quote: one
    // warning per fault it brings, then the control gets back its text from before.
    void CheckForbiddenText(QWidget* control);

    // Shows one field's value in its control(s) as the program does, without reporting
    // it as the user's edit; the Item page's field belongs to the item shown.
    void WriteMenuField(AppletField field, const std::string& value);
    void WriteItemField(ItemField field, const std::string& value);
    // Shows the design's web page choices without reporting them as the user's edit; with
    // reveal set the Web Page tab comes to the front (an undone choice is seen where it is).
    void ShowWebPage(const WebPageOptions& options, bool reveal = false);

    // Button handlers, callable by tests as by a click.
    void spdbtnItURLClick();                           // the link picker
    void spdbtnItemImageNormalClick(QObject* sender);  // the icon picker
    void chkbxItemSeparatorClick(bool checked);        // the separator box
    void pnl_BgColorClick(ColorPanel* panel);          // a colour panel
    void SpeedButton1Click(QObject* sender);           // a context-help button

    // A control of the pages by its control name; null when there is none.
    QWidget* Control(const QString& name) const;

  protected:
    // Undo and redo keys go to the window's history, not to a text field's own.
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // A control that reports changes changed its value: the design is changed.
    void changed();
    // The Item page's text changed while an item is selected: the node's caption.
    void itemCaptionEdited(const QString& caption);
    // A context-help button asks for a page of the help folder (a bare file name).
    void helpRequested(const QString& pageFileName);
    // A line for the window's hint line (a stored value the pages could not show).
    void hintMessage(const QString& text);
    // A shown value passes by without being an edit yet (the colour dialog's colours while
    // it is open, and the first colour again when it is cancelled): the preview follows it.
    void previewRequested();
    // The user changed the shown values of bound fields, in one action.
    void fieldsEdited(const std::vector<zarvex::ui::FieldEdit>& edits);
    // The user changed a web page choice; the design holds `after` already.
    void webPageEdited(const zarvex::WebPageOptions& before, const zarvex::WebPageOptions& after);

  private:
    QWidget* Require(const char* name) const;
    void ConnectChangeReports();
    void ConnectButtons();
    void OnReport(QWidget* control, const ReportingControl& row);
    void CheckText(QWidget* control, TextCheck check);
    std::vector<std::string> TextFaults(const QString& text, TextCheck check) const;
    // After the program filled the controls: their texts are what a refusal goes back
    // to, and a stored fault is marked beside its field.
    void RememberShownText(QWidget* control, TextCheck check);
    void RememberShownTexts();
    // The menu name as a whole, when its edit finishes: a name no file or page can
    // hold (a reserved word, a name the browser's window has, none) is refused and
    // the name before comes back. Typing checks only its characters, since a good
    // name may pass through a reserved word ("newMenu").
    void FinishMenuName();
    void MarkFaults(QWidget* control, const std::vector<std::string>& faults);
    void ConnectEditTracking();
    // Compares the controls with the values last shown and reports each difference.
    void TrackEdits();
    TAppletData ShownMenuValues() const;
    TItemData ShownItemValues() const;
    void ReportUnshownValues(const QStringList& fields);
    void OnWebPageEdited();
    SelectedNode Selected() const { return selection_ ? selection_() : SelectedNode{}; }

    TkavoAppletAgent& agent_;
    IDialogService& dialogs_;
    QWidget* window_;
    QTabWidget* pages_;
    QWidget* tbshtScript_;
    QWidget* tbshtStyle_;
    QWidget* tbshtItem_;
    QWidget* tbshtPath_;
    QWidget* tbshtWebPage_;
    std::vector<QWidget*> rootPages_, parentPages_, itemPages_;
    QLineEdit* edtText_ = nullptr;
    QLineEdit* edtIcon_ = nullptr;
    QLineEdit* edtMenuName_ = nullptr;
    QString menuNameBefore_;  // the name last shown or accepted whole
    BorderColorChoice* borderColors_ = nullptr;
    std::function<SelectedNode()> selection_;
    std::function<void()> linkTip_;
    int lastPagesNodeIndex_ = -1;
    // What the controls showed after the last fill or tracked edit.
    TAppletData shownMenu_;
    TItemData shownItem_;
    QHash<QWidget*, QString> accepted_;     // each checked field's last accepted text
    QHash<QWidget*, QAction*> faultMarks_;  // the warning sign inside a field with a fault
    mutable QHash<QString, QPointer<QWidget>> controls_;  // Control's finds, by name
    int filling_ = 0;  // > 0 while the program puts values into the controls
    bool refusing_ = false;
};

}  // namespace zarvex::ui
