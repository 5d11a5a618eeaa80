// The window's controls besides its commands (main_form_actions.cpp): the tree, the
// pages beside it and the status bar.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "ui/main/main_form.h"
#include "ui/pages/pages_scroll_area.h"
#include "ui/pages/property_pages.h"
#include "ui/tree/tree_filter.h"

namespace zarvex::ui {

namespace {
const char* const kTreeHint = "Add, remove or move items by right-clicking the mouse.";
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
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(2);
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
    // The column is as wide as the captions it shows, indentation included, and the tree
    // scrolls sideways: items at deep levels keep their caption and can be selected.
    // Only the rows in sight are measured: Qt's default lays out the text of a thousand
    // rows on every change, which alone costs a frame on a large design.
    trvwDesignPanel_->header()->setStretchLastSection(false);
    trvwDesignPanel_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    trvwDesignPanel_->header()->setResizeContentsPrecision(0);
    trvwDesignPanel_->viewport()->installEventFilter(this);
    // An item is dragged with its whole block, before, after or into another item.
    trvwDesignPanel_->setDragEnabled(true);
    trvwDesignPanel_->setAcceptDrops(true);
    trvwDesignPanel_->setDropIndicatorShown(true);
    trvwDesignPanel_->setDragDropMode(QAbstractItemView::InternalMove);
    trvwDesignPanel_->setDefaultDropAction(Qt::MoveAction);
    // The pop-up menu's keys (Insert, Delete) work while the tree has the focus.
    trvwDesignPanel_->addActions(PopupMenu1_->actions());
    // A double click renames in place; the branch arrow and the arrow keys still open
    // and close a node.
    trvwDesignPanel_->setExpandsOnDoubleClick(false);
    filter_ = new TreeFilter(agent_.Items, trvwDesignPanel_, panel);
    panelLayout->addWidget(filter_);
    panelLayout->addWidget(trvwDesignPanel_, 1);
    panelLayout->addWidget(filter_->Results(), 1);

    // The pages scroll rather than hold the window at their full size.
    auto* pagesArea = new PagesScrollArea(splitter);
    pagesArea->setObjectName("scrlPages");
    pagesArea->setWidgetResizable(true);
    pagesArea->setFrameShape(QFrame::NoFrame);
    pagesArea->setWidget(pages_->Widget());
    splitter->addWidget(panel);
    splitter->addWidget(pagesArea);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({337, 485});
    setCentralWidget(splitter);
}

}  // namespace zarvex::ui
