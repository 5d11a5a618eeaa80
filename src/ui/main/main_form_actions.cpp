// The main window's commands as one table: every command's object name, caption, short
// cut, icon, hint, enabling rule and handler, and the lists that place them in the main
// menu, the tool bar and the tree's pop-up menu. A new command is one row here and one
// entry in the list of the place that shows it.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeView>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/common/app_icons.h"
#include "ui/main/main_form.h"

namespace zarvex::ui {

namespace {

struct CommandRow {
    const char* name;      // object name of the action (and of its tool button)
    const char* caption;   // with the "&" of its accelerator
    const char* hint;      // hint line text and tool tip; empty: the caption is the tool tip
    const char* shortcut;  // portable key text, several separated by "; "; empty: none
    std::optional<AppImage> icon;
    void (TMainForm::*handler)();
    bool (TMainForm::*enabled)() const;  // null: always enabled
    // Keys of the tree's own commands act only while the tree has the focus, so that
    // Insert and Delete keep their meaning in the text fields.
    Qt::ShortcutContext context = Qt::WindowShortcut;
    bool checkable = false;
};

using M = TMainForm;

// The product-specific hints (Preview, Build HTML, View Sample, About) are our wording.
const std::vector<CommandRow>& CommandTable() {
    static const std::vector<CommandRow> rows = {
        // File menu
        {"New1", "&New...", "Create a new project", "Ctrl+N", AppImage::New, &M::New1Click,
         nullptr},
        {"Open1", "&Open...", "Open a previous saved project", "Ctrl+O", AppImage::Open,
         &M::Open1Click, nullptr},
        {"Save1", "&Save", "Save project", "Ctrl+S", AppImage::Save, &M::Save1Click, &M::CanSave},
        {"Save2",
         "Save &As...",
         "Save the project with a new name",
         "",
         {},
         &M::Save2Click,
         nullptr},
        {"Templet1", "&Templates", "Open predefine templets", "", {}, &M::Templet1Click, nullptr},
        {"SaveAsTemplate1", "S&ave As Template", "", "", {}, &M::SaveAsTemplate1Click, nullptr},
        {"ImportMenuStructure1",
         "&Import Menu Structure",
         "",
         "",
         {},
         &M::ImportMenuStructure1Click,
         nullptr},
        {"ExportMenuStructure1",
         "&Export Menu Structure",
         "",
         "",
         {},
         &M::ExportMenuStructure1Click,
         nullptr},
        {"ImportFromWebPage1",
         "From &Web Page...",
         "Import the navigation list of a web page as new items",
         "",
         {},
         &M::ImportFromWebPage1Click,
         nullptr},
        {"ImportFromSitemap1",
         "From &Sitemap...",
         "Import the pages of a sitemap as new items",
         "",
         {},
         &M::ImportFromSitemap1Click,
         nullptr},
        {"ImportFromJson1",
         "From &JSON...",
         "Import items from the design's JSON form",
         "",
         {},
         &M::ImportFromJson1Click,
         nullptr},
        {"ExportJson1",
         "&JSON...",
         "Export the design in its JSON form",
         "",
         {},
         &M::ExportJson1Click,
         nullptr},
        {"Exit1",
         "E&xit",
         "Quit the application; Prompts to save applet",
         "Ctrl+Q",
         {},
         &M::Exit1Click,
         nullptr},
        // Edit menu: the captions say what the next undo or redo does
        {"Undo1", "&Undo", "Undo the last change", "Ctrl+Z", {}, &M::Undo1Click, &M::CanUndo},
        {"Redo1",
         "&Redo",
         "Redo the last change undone",
         "Ctrl+Shift+Z; Ctrl+Y",
         {},
         &M::Redo1Click,
         &M::CanRedo},
        // View menu
        {"ToolBar1", "&Tool Bar", "", "", {}, &M::ToolBar1Click, nullptr, Qt::WindowShortcut, true},
        {"StatusBar2",
         "&Status Bar",
         "",
         "",
         {},
         &M::StatusBar2Click,
         nullptr,
         Qt::WindowShortcut,
         true},
        {"LivePreview1",
         "&Live Preview",
         "Show the menu as the page shows it, beside the property pages",
         "",
         {},
         &M::LivePreview1Click,
         nullptr,
         Qt::WindowShortcut,
         true},
        // Item menu
        {"Insert2", "I&nsert", "Insert a new item as a child of selected item.", "",
         AppImage::Insert, &M::Insert1Click, &M::CanInsert},
        {"Delete2", "&Delete", "Delete selected item and all its children item if it has.", "",
         AppImage::Delete, &M::Delete1Click, &M::CanDelete},
        {"MoveUp2", "Move &Up", "move the current selected item position up.",
         "Ctrl+Shift+Up; Alt+Shift+Up", AppImage::MoveUp, &M::MoveUp1Click, &M::CanMoveUp},
        {"MoveDown2", "Move &Down", "move the current selected item position down.",
         "Ctrl+Shift+Down; Alt+Shift+Down", AppImage::MoveDown, &M::MoveDown1Click,
         &M::CanMoveDown},
        {"Indent2",
         "&Indent",
         "Make the selected item the last child of the item above it.",
         "Ctrl+Shift+Right; Alt+Shift+Right",
         {},
         &M::Indent1Click,
         &M::CanIndent},
        {"Outdent2",
         "&Outdent",
         "Make the selected item the next item after its parent.",
         "Ctrl+Shift+Left; Alt+Shift+Left",
         {},
         &M::Outdent1Click,
         &M::CanOutdent},
        // Script menu
        {"Preview1", "&Preview", "Preview the menu in a web browser", "Ctrl+P", AppImage::Preview,
         &M::Preview1Click, nullptr},
        {"BuildHTML1", "Build &HTML...", "Build the HTML code of the menu and show it for copying",
         "", AppImage::BuildHtml, &M::BuildHTML1Click, nullptr},
        {"Publish1", "Pu&blish...", "", "", {}, &M::Publish1Click, nullptr},
        // Option menu
        {"WebBrowser1",
         "Web &Browser...",
         "Specified which web browser be used to preview",
         "",
         {},
         &M::WebBrowser1Click,
         nullptr},
        // Help menu
        {"Topic1", "Help &Topics", "List help topics", "F1", AppImage::Help, &M::Topic1Click,
         nullptr},
        {"ViewSample1",
         "View &Sample...",
         "Open the sample menus",
         "",
         {},
         &M::ViewSample1Click,
         nullptr},
        {"Homepage1", "&Homepage", "", "", {}, &M::Homepage1Click, nullptr},
        {"ContactUs1", "&Contact Us", "", "", {}, &M::ContactUs1Click, nullptr},
        {"About1", "&About", "About Zarvex", "", {}, &M::About1Click, nullptr},
        // The tree's pop-up menu
        {"Insert1", "I&nsert", "Insert a new item as a child of selected item.", "Ins",
         AppImage::Insert, &M::Insert1Click, &M::CanInsert, Qt::WidgetShortcut},
        {"Delete1", "&Delete", "Delete selected item and all its children item if it has.", "Del",
         AppImage::Delete, &M::Delete1Click, &M::CanDelete, Qt::WidgetShortcut},
        {"MoveUp1", "Move &Up", "move the current selected item position up.", "", AppImage::MoveUp,
         &M::MoveUp1Click, &M::CanMoveUp},
        {"MoveDown1", "Move &Down", "move the current selected item position down.", "",
         AppImage::MoveDown, &M::MoveDown1Click, &M::CanMoveDown},
        {"Indent1",
         "&Indent",
         "Make the selected item the last child of the item above it.",
         "",
         {},
         &M::Indent1Click,
         &M::CanIndent},
        {"Outdent1",
         "&Outdent",
         "Make the selected item the next item after its parent.",
         "",
         {},
         &M::Outdent1Click,
         &M::CanOutdent},
        {"Rename1",
         "&Rename",
         "Rename the selected item in place",
         "F2",
         {},
         &M::Rename1Click,
         &M::CanRename,
         Qt::WidgetShortcut},
        {"Duplicate1",
         "D&uplicate",
         "Put a copy of the selected item and its sub-items after it",
         "Ctrl+D",
         {},
         &M::Duplicate1Click,
         &M::CanDelete,
         Qt::WidgetShortcut},
        {"Cut1",
         "Cu&t",
         "Move the selected item and its sub-items to the clipboard",
         "Ctrl+X",
         {},
         &M::Cut1Click,
         &M::CanDelete,
         Qt::WidgetShortcut},
        {"Copy1",
         "&Copy",
         "Copy the selected item and its sub-items to the clipboard",
         "Ctrl+C",
         {},
         &M::Copy1Click,
         &M::CanDelete,
         Qt::WidgetShortcut},
        {"Paste1",
         "&Paste",
         "Put the items of the clipboard after the selected item",
         "Ctrl+V",
         {},
         &M::Paste1Click,
         &M::CanPaste,
         Qt::WidgetShortcut},
        {"Find1",
         "&Find Items",
         "Find items by caption or link",
         "Ctrl+F",
         {},
         &M::Find1Click,
         nullptr},
        // The tool bar
        {"tlbtnNew", "New", "Create a new project", "", AppImage::New, &M::New1Click, nullptr},
        {"tlbtnOpen", "Open", "Open a project from the file that you saved before", "",
         AppImage::Open, &M::Open1Click, nullptr},
        {"tlbtnSave", "Save", "Save the current project to a file", "", AppImage::Save,
         &M::Save1Click, &M::CanSave},
        {"tlbtnInsert", "Insert", "Insert a new item", "", AppImage::Insert, &M::Insert1Click,
         &M::CanInsert},
        {"tlbtnDelete", "Delete", "Delete selected item", "", AppImage::Delete, &M::Delete1Click,
         &M::CanDelete},
        {"tlbtnMoveUp", "Move Up", "Move the selected item up", "", AppImage::MoveUp,
         &M::MoveUp1Click, &M::CanMoveUp},
        {"tlbtnMoveDown", "Move Down", "Move the selected item down", "", AppImage::MoveDown,
         &M::MoveDown1Click, &M::CanMoveDown},
        {"tlbtnBuildHTML", "Build HTML", "Build the HTML code", "", AppImage::BuildHtml,
         &M::BuildHTML1Click, nullptr},
        {"tlbtnPreview", "Preview", "preview the applet in web browser", "", AppImage::Preview,
         &M::Preview1Click, nullptr},
        {"tlbtnHelp", "Help", "Show help document", "", AppImage::Help, &M::Topic1Click, nullptr},
    };
    return rows;
}

// The places: "-" is a separator; kRecentFiles stands for the recent-files sub-menu.
const char* const kRecentFiles = "mnitRecentFiles";

struct MenuPlace {
    const char* name;
    const char* caption;
    std::vector<const char*> entries;
};

// Sub-menus, placed in a menu by their name like a command.
const std::vector<MenuPlace>& SubMenus() {
    static const std::vector<MenuPlace> menus = {
        {"mnitImport", "I&mport", {"ImportFromWebPage1", "ImportFromSitemap1", "ImportFromJson1"}},
        {"mnitExport", "Expor&t", {"ExportJson1"}},
    };
    return menus;
}

const MenuPlace* SubMenuNamed(const char* name) {
    for (const MenuPlace& place : SubMenus())
        if (std::string_view(place.name) == name)
            return &place;
    return nullptr;
}

const std::vector<MenuPlace>& MainMenuLayout() {
    static const std::vector<MenuPlace> menus = {
        {"File1",
         "&File",
         {"New1", "Open1", "Save1", "Save2", "-", "Templet1", "SaveAsTemplate1", "-",
          "ImportMenuStructure1", "ExportMenuStructure1", "mnitImport", "mnitExport", "-",
          kRecentFiles, "-", "Exit1"}},
        {"Edit1", "&Edit", {"Undo1", "Redo1"}},
        {"View1", "&View", {"ToolBar1", "StatusBar2", "LivePreview1"}},
        {"Item1",
         "&Item",
         {"Insert2", "Delete2", "MoveUp2", "MoveDown2", "-", "Indent2", "Outdent2", "-", "Rename1",
          "Duplicate1", "Cut1", "Copy1", "Paste1", "-", "Find1"}},
        {"Script1", "&Script", {"Preview1", "BuildHTML1", "Publish1"}},
        {"Option1", "&Option", {"WebBrowser1"}},
        {"Help1", "&Help", {"Topic1", "ViewSample1", "-", "Homepage1", "ContactUs1", "About1"}},
    };
    return menus;
}

const std::vector<const char*> kPopupMenu = {
    "Insert1", "Delete1", "MoveUp1",    "MoveDown1", "-",     "Indent1", "Outdent1",
    "-",       "Rename1", "Duplicate1", "Cut1",      "Copy1", "Paste1"};
const std::vector<const char*> kToolBar = {
    "tlbtnNew",     "tlbtnOpen",   "tlbtnSave",     "-", "tlbtnInsert",
    "tlbtnDelete",  "tlbtnMoveUp", "tlbtnMoveDown", "-", "tlbtnBuildHTML",
    "tlbtnPreview", "-",           "tlbtnHelp"};

bool IsSeparator(const char* entry) {
    return entry[0] == '-' && entry[1] == '\0';
}

}  // namespace

void TMainForm::CreateCommands() {
    for (const CommandRow& row : CommandTable()) {
        auto* action = new QAction(tr(row.caption), this);
        action->setObjectName(QString::fromLatin1(row.name));
        const QString hint = tr(row.hint);
        action->setStatusTip(hint);
        action->setToolTip(hint.isEmpty() ? tr(row.caption).remove('&') : hint);
        if (*row.shortcut)
            action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(row.shortcut),
                                                              QKeySequence::PortableText));
        action->setShortcutContext(row.context);
        if (row.icon)
            action->setIcon(AppIcon(*row.icon));
        if (row.checkable) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        const auto handler = row.handler;
        connect(action, &QAction::triggered, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
        actions_.insert(action->objectName(), action);
    }

    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    for (const MenuPlace& place : MainMenuLayout()) {
        QMenu* menu = bar->addMenu(tr(place.caption));
        menu->setObjectName(QString::fromLatin1(place.name));
        for (const char* entry : place.entries) {
            if (IsSeparator(entry)) {
                menu->addSeparator();
            } else if (entry == kRecentFiles) {
                mnitRecentFiles_ = menu->addMenu(tr("&Recent Files"));
                mnitRecentFiles_->setObjectName(QString::fromLatin1(kRecentFiles));
                connect(mnitRecentFiles_, &QMenu::triggered, this, &TMainForm::RecentFileClick);
            } else if (const MenuPlace* sub = SubMenuNamed(entry)) {
                QMenu* subMenu = menu->addMenu(tr(sub->caption));
                subMenu->setObjectName(QString::fromLatin1(sub->name));
                for (const char* command : sub->entries)
                    subMenu->addAction(Act(QString::fromLatin1(command)));
            } else {
                menu->addAction(Act(QString::fromLatin1(entry)));
            }
        }
    }

    PopupMenu1_ = new QMenu(this);
    PopupMenu1_->setObjectName("PopupMenu1");
    for (const char* entry : kPopupMenu) {
        if (IsSeparator(entry))
            PopupMenu1_->addSeparator();
        else
            PopupMenu1_->addAction(Act(QString::fromLatin1(entry)));
    }

    tlbr1_ = addToolBar(tr("Tool Bar"));
    tlbr1_->setObjectName("tlbr1");
    tlbr1_->setMovable(false);
    tlbr1_->setFloatable(false);
    tlbr1_->setIconSize(QSize(24, 24));
    tlbr1_->toggleViewAction()->setVisible(false);
    for (const char* entry : kToolBar) {
        if (IsSeparator(entry)) {
            tlbr1_->addSeparator();
            continue;
        }
        QAction* action = Act(QString::fromLatin1(entry));
        tlbr1_->addAction(action);
        tlbr1_->widgetForAction(action)->setObjectName(action->objectName());
    }
}

void TMainForm::RefreshActions() {
    for (const CommandRow& row : CommandTable())
        if (row.enabled)
            if (QAction* action = Act(QString::fromLatin1(row.name)))
                action->setEnabled((this->*row.enabled)());
}

}  // namespace zarvex::ui
