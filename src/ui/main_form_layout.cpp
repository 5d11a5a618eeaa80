// The window's controls: actions with their captions, short cuts and hints, the
// main menu, the tool bar, the tree's pop-up menu, the tree and the status bar.
#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include "ui/app_icons.h"
#include "ui/main_form.h"
#include "ui/property_pages.h"

namespace zarvex::ui {

namespace {
const char* const kTreeHint = "Add, remove or move items by right-clicking the mouse.";
}

QAction* TMainForm::MakeAction(const char* name, const QString& caption, const QString& hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove('&') : hint);
    return action;
}

void TMainForm::CreateActions() {
    New1_ = MakeAction("New1", tr("&New..."), tr("Create a new project"));
    New1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Open1_ = MakeAction("Open1", tr("&Open..."), tr("Open a previous saved project"));
    Open1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1_ = MakeAction("Save1", tr("&Save"), tr("Save project"));
    Save1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Save2_ = MakeAction("Save2", tr("Save &As..."), tr("Save the project with a new name"));
    Templet1_ = MakeAction("Templet1", tr("&Templates"), tr("Open predefine templets"));
    SaveAsTemplate1_ = MakeAction("SaveAsTemplate1", tr("S&ave As Template"), {});
    ImportMenuStructure1_ = MakeAction("ImportMenuStructure1", tr("&Import Menu Structure"), {});
    ExportMenuStructure1_ = MakeAction("ExportMenuStructure1", tr("&Export Menu Structure"), {});
    Exit1_ = MakeAction("Exit1", tr("E&xit"), tr("Quit the application; Prompts to save applet"));

    ToolBar1_ = MakeAction("ToolBar1", tr("&Tool Bar"), {});
    ToolBar1_->setCheckable(true);
    ToolBar1_->setChecked(true);
    StatusBar2_ = MakeAction("StatusBar2", tr("&Status Bar"), {});
    StatusBar2_->setCheckable(true);
    StatusBar2_->setChecked(true);

    Insert2_ =
        MakeAction("Insert2", tr("I&nsert"), tr("Insert a new item as a child of selected item."));
    Delete2_ = MakeAction("Delete2", tr("&Delete"),
                          tr("Delete selected item and all its children item if it has."));
    MoveUp2_ =
        MakeAction("MoveUp2", tr("Move &Up"), tr("move the current selected item position up."));
    MoveDown2_ = MakeAction("MoveDown2", tr("Move &Down"),
                            tr("move the current selected item position down."));

    Preview1_ = MakeAction("Preview1", tr("&Preview"), tr("Preview the menu in a web browser"));
    Preview1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    BuildHTML1_ = MakeAction("BuildHTML1", tr("Build &HTML..."),
                             tr("Build the HTML code of the menu and show it for copying"));
    Publish1_ = MakeAction("Publish1", tr("Pu&blish..."), {});
    WebBrowser1_ = MakeAction("WebBrowser1", tr("Web &Browser..."),
                              tr("Specified which web browser be used to preview"));
    Topic1_ = MakeAction("Topic1", tr("Help &Topics"), tr("List help topics"));
    ViewSample1_ = MakeAction("ViewSample1", tr("View &Sample..."), tr("Open the sample menus"));
    Homepage1_ = MakeAction("Homepage1", tr("&Homepage"), {});
    ContactUs1_ = MakeAction("ContactUs1", tr("&Contact Us"), {});
    About1_ = MakeAction("About1", tr("&About"), tr("About Zarvex"));

    Insert1_ =
        MakeAction("Insert1", tr("I&nsert"), tr("Insert a new item as a child of selected item."));
    Delete1_ = MakeAction("Delete1", tr("&Delete"),
                          tr("Delete selected item and all its children item if it has."));
    MoveUp1_ =
        MakeAction("MoveUp1", tr("Move &Up"), tr("move the current selected item position up."));
    MoveDown1_ = MakeAction("MoveDown1", tr("Move &Down"),
                            tr("move the current selected item position down."));

    tlbtnNew_ = MakeAction("tlbtnNew", tr("New"), tr("Create a new project"));
    tlbtnOpen_ = MakeAction("tlbtnOpen", tr("Open"),
                            tr("Open a project from the file that you saved before"));
    tlbtnSave_ = MakeAction("tlbtnSave", tr("Save"), tr("Save the current project to a file"));
    tlbtnInsert_ = MakeAction("tlbtnInsert", tr("Insert"), tr("Insert a new item"));
    tlbtnDelete_ = MakeAction("tlbtnDelete", tr("Delete"), tr("Delete selected item"));
    tlbtnMoveUp_ = MakeAction("tlbtnMoveUp", tr("Move Up"), tr("Move the selected item up"));
    tlbtnMoveDown_ =
        MakeAction("tlbtnMoveDown", tr("Move Down"), tr("Move the selected item down"));
    tlbtnBuildHTML_ = MakeAction("tlbtnBuildHTML", tr("Build HTML"), tr("Build the HTML code"));
    tlbtnPreview_ =
        MakeAction("tlbtnPreview", tr("Preview"), tr("preview the applet in web browser"));
    tlbtnHelp_ = MakeAction("tlbtnHelp", tr("Help"), tr("Show help document"));

    const struct {
        QAction* action;
        AppImage image;
    } icons[] = {
        {New1_, AppImage::New},
        {tlbtnNew_, AppImage::New},
        {Open1_, AppImage::Open},
        {tlbtnOpen_, AppImage::Open},
        {Save1_, AppImage::Save},
        {tlbtnSave_, AppImage::Save},
        {Insert1_, AppImage::Insert},
        {Insert2_, AppImage::Insert},
        {tlbtnInsert_, AppImage::Insert},
        {Delete1_, AppImage::Delete},
        {Delete2_, AppImage::Delete},
        {tlbtnDelete_, AppImage::Delete},
        {MoveUp1_, AppImage::MoveUp},
        {MoveUp2_, AppImage::MoveUp},
        {tlbtnMoveUp_, AppImage::MoveUp},
        {MoveDown1_, AppImage::MoveDown},
        {MoveDown2_, AppImage::MoveDown},
        {tlbtnMoveDown_, AppImage::MoveDown},
        {BuildHTML1_, AppImage::BuildHtml},
        {tlbtnBuildHTML_, AppImage::BuildHtml},
        {Preview1_, AppImage::Preview},
        {tlbtnPreview_, AppImage::Preview},
        {Topic1_, AppImage::Help},
        {tlbtnHelp_, AppImage::Help},
    };
    for (const auto& entry : icons)
        entry.action->setIcon(AppIcon(entry.image));

    const auto bind = [this](std::initializer_list<QAction*> actions,
                             void (TMainForm::*command)()) {
        for (QAction* a : actions)
            connect(a, &QAction::triggered, this,
                    [this, command] { RunCommand([this, command] { (this->*command)(); }); });
    };
    bind({New1_, tlbtnNew_}, &TMainForm::New1Click);
    bind({Open1_, tlbtnOpen_}, &TMainForm::Open1Click);
    bind({Save1_, tlbtnSave_}, &TMainForm::Save1Click);
    bind({Save2_}, &TMainForm::Save2Click);
    bind({ImportMenuStructure1_}, &TMainForm::ImportMenuStructure1Click);
    bind({ExportMenuStructure1_}, &TMainForm::ExportMenuStructure1Click);
    bind({Insert1_, Insert2_, tlbtnInsert_}, &TMainForm::Insert1Click);
    bind({Delete1_, Delete2_, tlbtnDelete_}, &TMainForm::Delete1Click);
    bind({MoveUp1_, MoveUp2_, tlbtnMoveUp_}, &TMainForm::MoveUp1Click);
    bind({MoveDown1_, MoveDown2_, tlbtnMoveDown_}, &TMainForm::MoveDown1Click);
    connect(Exit1_, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(ToolBar1_, &QAction::triggered, this, &TMainForm::ToolBar1Click);
    connect(StatusBar2_, &QAction::triggered, this, &TMainForm::StatusBar2Click);
}

void TMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");

    QMenu* file = bar->addMenu(tr("&File"));
    file->setObjectName("File1");
    file->addActions({New1_, Open1_, Save1_, Save2_});
    file->addSeparator();
    file->addActions({Templet1_, SaveAsTemplate1_});
    file->addSeparator();
    file->addActions({ImportMenuStructure1_, ExportMenuStructure1_});
    file->addSeparator();
    mnitRecentFiles_ = file->addMenu(tr("&Recent Files"));
    mnitRecentFiles_->setObjectName("mnitRecentFiles");
    connect(mnitRecentFiles_, &QMenu::triggered, this, &TMainForm::RecentFileClick);
    file->addSeparator();
    file->addAction(Exit1_);

    QMenu* view = bar->addMenu(tr("&View"));
    view->setObjectName("View1");
    view->addActions({ToolBar1_, StatusBar2_});

    QMenu* item = bar->addMenu(tr("&Item"));
    item->setObjectName("Item1");
    item->addActions({Insert2_, Delete2_, MoveUp2_, MoveDown2_});

    QMenu* script = bar->addMenu(tr("&Script"));
    script->setObjectName("Script1");
    script->addActions({Preview1_, BuildHTML1_, Publish1_});

    QMenu* option = bar->addMenu(tr("&Option"));
    option->setObjectName("Option1");
    option->addAction(WebBrowser1_);

    QMenu* help = bar->addMenu(tr("&Help"));
    help->setObjectName("Help1");
    help->addActions({Topic1_, ViewSample1_});
    help->addSeparator();
    help->addActions({Homepage1_, ContactUs1_, About1_});

    PopupMenu1_ = new QMenu(this);
    PopupMenu1_->setObjectName("PopupMenu1");
    PopupMenu1_->addActions({Insert1_, Delete1_, MoveUp1_, MoveDown1_});
}

void TMainForm::CreateToolBar() {
    tlbr1_ = addToolBar(tr("Tool Bar"));
    tlbr1_->setObjectName("tlbr1");
    tlbr1_->setMovable(false);
    tlbr1_->setFloatable(false);
    tlbr1_->setIconSize(QSize(24, 24));
    tlbr1_->toggleViewAction()->setVisible(false);
    const auto add = [this](std::initializer_list<QAction*> actions) {
        for (QAction* a : actions) {
            tlbr1_->addAction(a);
            tlbr1_->widgetForAction(a)->setObjectName(a->objectName());
        }
    };
    add({tlbtnNew_, tlbtnOpen_, tlbtnSave_});
    tlbr1_->addSeparator();
    add({tlbtnInsert_, tlbtnDelete_, tlbtnMoveUp_, tlbtnMoveDown_});
    tlbr1_->addSeparator();
    add({tlbtnBuildHTML_, tlbtnPreview_});
    tlbr1_->addSeparator();
    add({tlbtnHelp_});
}

void TMainForm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    stctxtHint_ = new QLabel(bar);
    stctxtHint_->setObjectName("stctxtHint");
    stctxtHint_->setMinimumWidth(340);
    prgrsbrMainFormBottom_ = new QProgressBar(bar);
    prgrsbrMainFormBottom_->setObjectName("prgrsbrMainFormBottom");
    prgrsbrMainFormBottom_->setRange(0, 100);
    prgrsbrMainFormBottom_->setValue(0);
    prgrsbrMainFormBottom_->setTextVisible(false);
    prgrsbrMainFormBottom_->setMinimumWidth(50);
    prgrsbrMainFormBottom_->setMaximumHeight(16);
    bar->addWidget(stctxtHint_, 1);
    bar->addPermanentWidget(prgrsbrMainFormBottom_, 0);
    prgrsbrMainFormBottom_->setFixedWidth(160);
}

void TMainForm::CreateCentralArea() {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("spltrMain");
    splitter->setHandleWidth(3);
    splitter->setChildrenCollapsible(false);

    auto* panel = new QWidget(splitter);
    panel->setObjectName("pnlDesignPanel");
    panel->setStatusTip(tr(kTreeHint));
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    trvwDesignPanel_ = new QTreeView(panel);
    trvwDesignPanel_->setObjectName("trvwDesignPanel");
    trvwDesignPanel_->setStatusTip(tr(kTreeHint));
    trvwDesignPanel_->setHeaderHidden(true);
    trvwDesignPanel_->setIndentation(19);
    trvwDesignPanel_->setUniformRowHeights(true);
    trvwDesignPanel_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvwDesignPanel_->setSelectionMode(QAbstractItemView::SingleSelection);
    trvwDesignPanel_->setContextMenuPolicy(Qt::CustomContextMenu);
    trvwDesignPanel_->setModel(model_);
    trvwDesignPanel_->viewport()->installEventFilter(this);
    panelLayout->addWidget(trvwDesignPanel_);

    pages_->Widget()->setParent(splitter);
    splitter->addWidget(panel);
    splitter->addWidget(pages_->Widget());
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({337, 485});
    setCentralWidget(splitter);
}

}  // namespace zarvex::ui
