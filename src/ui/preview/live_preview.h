// The live preview pane beside the property pages: the design shown as the real page
// (generated stylesheet, configuration script, snippet, images and the shipped runtime),
// refreshed shortly after each edit, at the pane's width or a phone's or tablet's.
// Shown or hidden from the View menu; the choice is kept in the settings store.
#pragma once

#include <QElapsedTimer>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSplitter;

namespace zarvex::ui {

class LivePreviewStage;
class LivePreviewView;
class TMainForm;
struct PreviewResult;
class SnapshotTaker;

// The widths the page can be shown at; 0 is the pane's own width.
inline constexpr int kPhoneWidth = 375;
inline constexpr int kTabletWidth = 768;
inline constexpr int kDesktopWidth = 1280;
// The settings value that keeps whether the pane is shown ("Settings" group).
inline constexpr const char* kShowLivePreview = "ShowLivePreview";
// The settings value that keeps the chosen page width.
inline constexpr const char* kLivePreviewWidth = "LivePreviewWidth";

class LivePreview final : public QWidget {
    Q_OBJECT
  public:
    // Made by the window's set-up, after its commands: joins splitter as its last part and
    // sets the check mark of the View menu's command "LivePreview1" from the settings.
    LivePreview(TMainForm& form, QSplitter* splitter);
    ~LivePreview() override;

    // Shows or hides the pane (the View menu's command) and remembers the choice.
    void SetShown(bool shown);
    // Whether the program was built with a web view to show the page on.
    bool HasView() const { return view_ != nullptr; }
    // The page shown at phone, tablet, desktop or the pane's own width (0); a width wider
    // than the pane is scaled down to fit it. The choice is kept in the settings store.
    void SetPageWidth(int width);
    // The scale the page is shown at (1 unless its width is wider than the pane).
    double PageScale() const { return pageScale_; }
    // How many refreshes updated the loaded page in place, and how many loaded it afresh.
    int InPlaceUpdates() const { return inPlaceUpdates_; }
    int PageLoads() const { return pageLoads_; }
    // The staged page's folder (for tests and the help page's claims: never the project's).
    QString StageFolder() const;
    void RunScript(const QString& script, std::function<void(const QVariant&)> result);
    // Milliseconds from the last edit to the repainted page.
    qint64 LastRefreshMilliseconds() const { return lastRefreshMs_; }
    // Of those, the milliseconds spent committing, building and staging (the rest is the
    // web view's loading); the building and staging run on a worker thread.
    qint64 LastStageMilliseconds() const { return lastStageMs_; }
    // The longest the window's own thread worked on one refresh (copying the design and
    // handing the result to the page), in milliseconds.
    qint64 LastWindowMilliseconds() const { return lastWindowMs_; }
    // Whether a refresh is being copied, built or waits to be.
    bool Busy() const { return taker_ || building_ || pending_; }

    // The pause between the last edit and the refresh.
    static constexpr int kRefreshDelayMs = 200;
    // The longest the copy of the design for a refresh holds the window's thread at once.
    static constexpr int kSliceMs = 4;

  signals:
    // The page was reloaded from the design and has finished loading.
    void refreshed(bool ok);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void ScheduleRefresh();
    void Refresh();
    void CopySlice();
    void Built(const PreviewResult& result);
    void OnLoaded(bool ok);
    void Shown(bool ok);
    void EnsureView();
    void ApplyPageWidth();

    TMainForm& form_;
    QSplitter* splitter_;
    QAction* toggle_;
    QComboBox* widths_;
    QLabel* status_;
    QScrollArea* area_;
    LivePreviewView* view_ = nullptr;
    bool viewTried_ = false;
    std::unique_ptr<LivePreviewStage> stage_;
    QTimer debounce_;
    QElapsedTimer sinceEdit_;
    bool pending_ = false;
    bool refreshing_ = false;
    bool windowWidened_ = false;
    int pageWidth_ = 0;
    double pageScale_ = 1.0;
    bool pageReady_ = false;       // the loaded page is one the next refresh can update
    std::string loadedSignature_;  // what the loaded page links (live_preview_swap.h)
    int inPlaceUpdates_ = 0;
    int pageLoads_ = 0;
    qint64 lastRefreshMs_ = -1;
    qint64 lastStageMs_ = -1;
    qint64 lastWindowMs_ = -1;
    // One refresh is built at a time, off the window's thread, from a copy of the design
    // taken in slices between the window's events; one that an edit overtook while it was
    // copied or built is dropped, never shown.
    std::unique_ptr<SnapshotTaker> taker_;
    QTimer slices_;
    bool building_ = false;
    QThreadPool worker_;
};

}  // namespace zarvex::ui
