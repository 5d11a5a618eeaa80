#include "ui/preview/live_preview.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "platform/text_codec.h"
#include "settings/settings_keys.h"
#include "settings/settings_store_interface.h"
#include "ui/preview/live_preview_job.h"
#include "ui/preview/live_preview_stage.h"
#include "ui/preview/live_preview_view.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zarvex::ui {

namespace {

// The pane's width when it is first shown; the window grows by as much.
constexpr int kPaneWidth = 480;

bool ReadShown(const settings::ISettingsStore& store) {
    try {
        const auto value = store.Read(settings::kSettingsGroup, kShowLivePreview);
        return !value || settings::AsBoolean(*value).value_or(true);
    } catch (const settings::SettingsStoreError&) {
        return true;  // a store that cannot be read hides nothing
    }
}

int ReadWidth(const settings::ISettingsStore& store) {
    try {
        const auto value = store.Read(settings::kSettingsGroup, kLivePreviewWidth);
        const auto width = value ? settings::AsInteger(*value) : std::nullopt;
        for (int known : {0, kDesktopWidth, kTabletWidth, kPhoneWidth})
            if (width && *width == known)
                return known;
    } catch (const settings::SettingsStoreError&) {
        // The pane's own width, as at the first start.
    }
    return 0;
}

void WriteWidth(settings::ISettingsStore& store, int width) {
    try {
        store.Write(settings::kSettingsGroup, kLivePreviewWidth,
                    settings::StoredValue::Integer(width));
    } catch (const settings::SettingsStoreError&) {
        // The pane still shows the width for this run.
    }
}

void WriteShown(settings::ISettingsStore& store, bool shown) {
    try {
        store.Write(settings::kSettingsGroup, kShowLivePreview,
                    settings::StoredValue::Boolean(shown));
    } catch (const settings::SettingsStoreError&) {
        // The pane still follows the choice for this run.
    }
}

}  // namespace

void PrepareWebEngineSandbox() {
#ifdef Q_OS_UNIX
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

#ifndef ZARVEX_HAS_WEB_PREVIEW
LivePreviewView* MakeWebPreviewView(QWidget*) {
    return nullptr;
}
#endif

LivePreview::LivePreview(LivePreviewLinks links)
    : QWidget(links.splitter),
      links_(std::move(links)),
      window_(*links_.window),
      splitter_(links_.splitter),
      toggle_(links_.toggle) {
    setObjectName("pnlLivePreview");
    setMinimumWidth(200);

    widths_ = new QComboBox(this);
    widths_->setObjectName("cmbxLivePreviewWidth");
    widths_->addItem(tr("Pane width"), 0);
    widths_->addItem(tr("Desktop (%1 px)").arg(kDesktopWidth), kDesktopWidth);
    widths_->addItem(tr("Tablet (%1 px)").arg(kTabletWidth), kTabletWidth);
    widths_->addItem(tr("Phone (%1 px)").arg(kPhoneWidth), kPhoneWidth);
    widths_->setAccessibleName(tr("Preview width"));
    widths_->setToolTip(tr("The width the page is shown at"));
    status_ = new QLabel(this);
    status_->setObjectName("lblLivePreviewStatus");
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* top = new QHBoxLayout;
    top->setContentsMargins(4, 2, 4, 2);
    auto* widthLabel = new QLabel(tr("&Width"), this);
    widthLabel->setBuddy(widths_);
    top->addWidget(widthLabel);
    top->addWidget(widths_);
    top->addWidget(status_, 1);

    area_ = new QScrollArea(this);
    area_->setObjectName("scrlLivePreview");
    area_->setWidgetResizable(true);
    area_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    area_->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(area_, 1);

    stage_ = std::make_unique<LivePreviewStage>(links_.scratchPattern);
    worker_.setMaxThreadCount(1);
    slices_.setSingleShot(true);
    connect(&slices_, &QTimer::timeout, this, &LivePreview::CopySlice);
    debounce_.setSingleShot(true);
    connect(&debounce_, &QTimer::timeout, this, &LivePreview::Refresh);
    connect(widths_, &QComboBox::activated, this,
            [this](int index) { SetPageWidth(widths_->itemData(index).toInt()); });
    area_->viewport()->installEventFilter(this);

    const bool shown = ReadShown(links_.settings);
    pageWidth_ = ReadWidth(links_.settings);
    widths_->setCurrentIndex(std::max(0, widths_->findData(pageWidth_)));
    toggle_->setChecked(shown);
    setVisible(shown);

    window_.installEventFilter(this);
    pending_ = true;
}

LivePreview::~LivePreview() {
    // The view goes first, while this pane is whole: a page deleted during a load ends it
    // with loadFinished(false) and answers its pending scripts, and neither may reach this
    // pane half torn down, or the window being torn down behind it.
    blockSignals(true);
    if (LivePreviewView* view = std::exchange(view_, nullptr)) {
        disconnect(view, nullptr, this, nullptr);
        delete view;
    }
    // The worker writes into the stage: it finishes before the stage goes.
    worker_.waitForDone();
}

QString LivePreview::StageFolder() const {
    return stage_->Folder();
}

void LivePreview::RunScript(const QString& script, std::function<void(const QVariant&)> result) {
    if (view_)
        view_->RunScript(script, std::move(result));
}

void LivePreview::EnsureView() {
    if (viewTried_)
        return;
    viewTried_ = true;
    view_ = MakeWebPreviewView(area_);
    if (!view_) {
        auto* note = new QLabel(
            tr("This build of Zarvex has no live preview: it was built without Qt WebEngine. "
               "Script, Preview shows the menu in a web browser."),
            area_);
        note->setObjectName("lblLivePreviewNote");
        note->setWordWrap(true);
        note->setAlignment(Qt::AlignCenter);
        note->setMargin(16);
        area_->setWidget(note);
        widths_->setEnabled(false);
        return;
    }
    area_->setWidget(view_);
    connect(view_, &LivePreviewView::loaded, this, &LivePreview::OnLoaded);
    SetPageWidth(pageWidth_);
}

void LivePreview::SetPageWidth(int width) {
    if (width != pageWidth_)
        WriteWidth(links_.settings, width);
    pageWidth_ = width;
    widths_->setCurrentIndex(std::max(0, widths_->findData(width)));
    ApplyPageWidth();
}

// A page wider than the pane is shown whole, scaled down: its layout sees the chosen width.
void LivePreview::ApplyPageWidth() {
    const int room = std::max(1, area_->viewport()->width());
    // The web engine zooms no further out than a quarter; a page that would need more
    // keeps that zoom and the pane scrolls across it.
    constexpr double kSmallestZoom = 0.25;
    pageScale_ =
        pageWidth_ > room ? std::max(kSmallestZoom, static_cast<double>(room) / pageWidth_) : 1.0;
    if (!view_)
        return;
    if (pageWidth_ > 0) {
        view_->setFixedWidth(static_cast<int>(std::ceil(pageWidth_ * pageScale_)));
    } else {
        view_->setMinimumWidth(0);
        view_->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    view_->SetZoom(pageScale_);
}

void LivePreview::ScheduleRefresh() {
    if (refreshing_)
        return;  // the refresh's own commit of the pages
    // A copy under way may hold items from before and after this edit.
    taker_.reset();
    slices_.stop();
    // An edit after a quiet spell is shown at once; edits in quick succession wait for
    // a pause, so that typing does not reload the page at every key.
    const bool quiet = !sinceEdit_.isValid() || sinceEdit_.elapsed() > kRefreshDelayMs;
    sinceEdit_.start();
    pending_ = true;
    if (!isVisible())
        return;
    // One change of the author's arrives as several signals (the page's, then the
    // model's): the first asked for an immediate refresh, which the others must not
    // put off.
    if (debounce_.isActive() && debounce_.interval() == 0)
        return;
    debounce_.start(quiet && !debounce_.isActive() ? 0 : kRefreshDelayMs);
}

void LivePreview::Refresh() {
    if (!isVisible() || !pending_ || taker_ || building_)
        return;  // a refresh under way starts the next one when it is done
    if (links_.treeRebuilding()) {
        debounce_.start(kRefreshDelayMs);
        return;
    }
    EnsureView();
    pending_ = false;
    refreshing_ = true;
    QElapsedTimer windowClock;
    windowClock.start();
    try {
        // The pages into the model, as a preview or a save does; the design's changed
        // mark is the edits' own business.
        links_.commitPages();
        taker_ = std::make_unique<SnapshotTaker>(links_.agent);
    } catch (const std::exception& e) {
        refreshing_ = false;
        status_->setText(tr("Not shown: %1").arg(platform::DecodeFieldText(e.what())));
        return;
    }
    refreshing_ = false;
    lastWindowMs_ = windowClock.elapsed();
    // The copy starts in the next turn of the event loop: the edit's own turn, which
    // lays out and paints the window (a design just opened too), is not held up by it.
    slices_.start(0);
}

void LivePreview::CopySlice() {
    if (!taker_)
        return;
    QElapsedTimer windowClock;
    windowClock.start();
    std::shared_ptr<const PreviewSnapshot> snapshot;
    try {
        if (!taker_->CopyMore(links_.agent, kSliceMs)) {
            lastWindowMs_ = std::max(lastWindowMs_, windowClock.elapsed());
            slices_.start(0);
            return;
        }
        snapshot = taker_->Take(links_.agent);
    } catch (const std::exception& e) {
        taker_.reset();
        status_->setText(tr("Not shown: %1").arg(platform::DecodeFieldText(e.what())));
        return;
    }
    taker_.reset();
    lastWindowMs_ = std::max(lastWindowMs_, windowClock.elapsed());
    building_ = true;
    // The page in the view is the one the result may be swapped into.
    const std::string loaded = pageReady_ ? loadedSignature_ : std::string();
    LivePreviewStage* stage = stage_.get();
    worker_.start([this, snapshot, stage, loaded] {
        auto result = std::make_shared<PreviewResult>(BuildPreview(*snapshot, *stage, loaded));
        // Queued to the pane's thread; dropped with the pane if it is gone by then.
        QMetaObject::invokeMethod(
            this, [this, result] { Built(*result); }, Qt::QueuedConnection);
    });
}

void LivePreview::Built(const PreviewResult& result) {
    building_ = false;
    if (pending_) {
        // An edit came while this was built: what it shows is already out of date.
        if (!debounce_.isActive())
            debounce_.start(0);
        return;
    }
    QElapsedTimer windowClock;
    windowClock.start();
    lastStageMs_ = result.milliseconds;
    if (!result.error.isEmpty()) {
        status_->setText(tr("Not shown: %1").arg(result.error));
        return;
    }
    if (!view_)
        return;
    status_->setText(result.empty ? tr("Add items to see the menu.") : QString());
    const QUrl page = QUrl::fromLocalFile(stage_->PagePath());
    if (!result.swap.isEmpty() && pageReady_ && result.signature == loadedSignature_) {
        view_->RunScript(result.swap,
                         [this, guard = QPointer<LivePreview>(this), page](const QVariant& ok) {
                             if (!guard || !view_)
                                 return;
                             if (ok.toBool()) {
                                 ++inPlaceUpdates_;
                                 Shown(true);
                                 return;
                             }
                             pageReady_ = false;
                             ++pageLoads_;
                             view_->Load(page);
                         });
    } else {
        loadedSignature_ = result.signature;
        pageReady_ = false;
        ++pageLoads_;
        view_->Load(page);
    }
    lastWindowMs_ = std::max(lastWindowMs_, windowClock.elapsed());
}

void LivePreview::OnLoaded(bool ok) {
    pageReady_ = ok;
    Shown(ok);
}

void LivePreview::Shown(bool ok) {
    lastRefreshMs_ = sinceEdit_.isValid() ? sinceEdit_.elapsed() : -1;
    if (!ok)
        status_->setText(tr("The page could not be shown."));
    emit refreshed(ok);
}

void LivePreview::SetShown(bool shown) {
    WriteShown(links_.settings, shown);
    toggle_->setChecked(shown);
    if (shown == isVisibleTo(&window_))
        return;
    // The window grows and shrinks with the pane, so the tree and pages keep their room.
    const bool resizeWindow =
        window_.isVisible() && !window_.isMaximized() && !window_.isFullScreen();
    const int paneWidth = shown ? kPaneWidth : width() + splitter_->handleWidth();
    setVisible(shown);
    if (resizeWindow)
        window_.resize(window_.width() + (shown ? paneWidth : -paneWidth), window_.height());
    if (shown) {
        pending_ = true;
        debounce_.start(0);
    }
}

void LivePreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (pending_)
        debounce_.start(0);
}

bool LivePreview::event(QEvent* event) {
    // Escape inside the pane belongs to the page (a visitor's Escape closes the open
    // sub-menu); the window's own Escape closes it from its other controls only.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

bool LivePreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_->viewport() && event->type() == QEvent::Resize)
        ApplyPageWidth();
    // At the window's first showing, it grows by the pane's width (within the screen).
    if (watched == &window_ && event->type() == QEvent::Show && !windowWidened_) {
        windowWidened_ = true;
        if (isVisibleTo(&window_) && !window_.isMaximized()) {
            QList<int> sizes = splitter_->sizes();
            int width = window_.width() + kPaneWidth;
            if (const QScreen* screen = window_.screen())
                width = std::min(width, screen->availableGeometry().width());
            const int added = width - window_.width();
            if (added <= 0)
                return QWidget::eventFilter(watched, event);  // no room to grow: share it
            window_.resize(width, window_.height());
            if (const QScreen* screen = window_.screen())
                window_.move(screen->availableGeometry().center() - window_.rect().center());
            if (sizes.size() == 3) {
                sizes[2] = std::max(added, minimumWidth());
                splitter_->setSizes(sizes);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zarvex::ui
