// The main window on a design of 100,000 items: opening it, and each tree command
// on it, with the tree shown and its large blocks expanded, so that the view's
// own work is counted. The live preview is shown and follows every command: after each
// one, untimed, the benchmark waits for the page to show it and reports the longest the
// window's thread was held meanwhile (preview_stall_ms, the refresh's share of a frame).
// Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <memory>

#include "longest_hold.h"
#include "model/preorder_tree.h"
#include "settings/memory_settings_store.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/main/main_form.h"
#include "ui/preview/live_preview.h"
#include "ui/preview/live_preview_job.h"

namespace {

using zarvex::ui::DialogButton;
using zarvex::ui::TMainForm;

constexpr int kItems = 100000;

// Says yes to every question and chooses no file.
class YesDialogs final : public zarvex::ui::IDialogService {
  public:
    DialogButton ShowMessage(QWidget*, zarvex::ui::MessageKind, const QString&,
                             zarvex::ui::DialogButtons buttons) override {
        return (buttons & DialogButton::Yes) ? DialogButton::Yes : DialogButton::Ok;
    }
    std::optional<QString> GetOpenFileName(QWidget*, const QString&) override { return {}; }
    std::optional<QString> GetSaveFileName(QWidget*, const QString&) override { return {}; }
    std::optional<QColor> GetColor(QWidget*, const QColor&) override { return {}; }
};

// Two top-level blocks of 50,000 items each: a parent with 49,999 children, the
// second with its children in groups of ten under 4,999 sub-items.
std::vector<int> DesignLevels() {
    std::vector<int> levels;
    levels.reserve(kItems);
    for (int block = 0; block < 2; ++block) {
        levels.push_back(1);
        for (int i = 1; i < kItems / 2; ++i)
            levels.push_back(block == 0 ? 2 : (i % 10 == 1 ? 2 : 3));
    }
    return levels;
}

struct Fixture {
    Fixture() {
        // The shipped runtime and images, so that the preview runs the real page.
        QDirIterator it(QStringLiteral(ZARVEX_APP_DIR), {"velmo.js", "*.gif", "*.png"},
                        QDir::Files);
        while (it.hasNext()) {
            it.next();
            QFile::copy(it.filePath(), folder.path() + '/' + it.fileName());
        }
        zarvex::ui::MainFormSetup setup;
        setup.dialogs = &dialogs;
        setup.folders.dataFolder = zarvex::ui::ToCorePath(folder.path() + '/');
        setup.folders.programFolder = setup.folders.dataFolder;
        setup.services.settings = &settings;  // the pane shown, whatever the user chose
        form = std::make_unique<TMainForm>(setup);
        form->resize(1300, 720);
        form->show();
        tree = form->findChild<QTreeView*>("trvwDesignPanel");
        projectPath = folder.path() + "/large.zarvex";
        zarvex::TkavoAppletAgent agent;
        agent.ResetToDefaults();
        Fill(agent);
        agent.SaveProjectFile(zarvex::ui::ToCorePath(projectPath));
        // The same number of items, all directly under the root: the widest tree to lay out.
        flatPath = folder.path() + "/flat.zarvex";
        for (auto& item : agent.Items)
            item.Level = "0";
        agent.SaveProjectFile(zarvex::ui::ToCorePath(flatPath));
    }
    static void Fill(zarvex::TkavoAppletAgent& agent) {
        const std::vector<int> levels = DesignLevels();
        agent.Items.assign(levels.size(), zarvex::NewItemRecord());
        for (std::size_t i = 0; i < levels.size(); ++i) {
            agent.Items[i].Text = "Item " + std::to_string(i);
            agent.Items[i].Level = std::to_string(levels[i] - 1);
        }
    }
    // The design straight into the window's model and agent, without the file.
    void Load() {
        auto& model = form->TreeModel();
        model.ResetToRoot();
        Fill(form->Agent());
        model.AppendNodes(DesignLevels(), std::vector<std::string>(kItems));
        tree->expand(model.IndexAt(0));
        tree->expand(model.IndexAt(1));
        tree->expand(model.IndexAt(1 + kItems / 2));
        QApplication::processEvents();
        WaitForPreview();
    }
    // Waits until the preview shows the design as it is now (at most a minute); returns
    // the longest the window's thread was held meanwhile, in milliseconds.
    qint64 WaitForPreview() {
        zarvex::ui::LivePreview* pane = &Pane();
        const LongestHold hold(1);
        bool shown = false;
        const auto connection =
            QObject::connect(pane, &zarvex::ui::LivePreview::refreshed, [&] { shown = true; });
        QElapsedTimer limit;
        limit.start();
        while ((!shown || pane->Busy()) && limit.elapsed() < 60000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QObject::disconnect(connection);
        windowMs = std::max(windowMs, pane->LastWindowMilliseconds());
        buildMs = std::max(buildMs, pane->LastStageMilliseconds());
        return hold.Longest();
    }
    zarvex::ui::LivePreview& Pane() const {
        return *form->findChild<zarvex::ui::LivePreview*>("pnlLivePreview");
    }
    void Select(int pos) { tree->setCurrentIndex(form->TreeModel().IndexAt(pos)); }

    YesDialogs dialogs;
    zarvex::settings::MemorySettingsStore settings;
    qint64 windowMs = 0, buildMs = 0;
    QTemporaryDir folder;
    std::unique_ptr<TMainForm> form;
    QTreeView* tree = nullptr;
    QString projectPath;
    QString flatPath;
};

// Made at the first benchmark that needs it; it goes before the application does (a
// window with a web view cannot outlive it).
std::unique_ptr<Fixture>& SharedSlot() {
    static std::unique_ptr<Fixture> fixture;
    return fixture;
}
Fixture& Shared() {
    std::unique_ptr<Fixture>& fixture = SharedSlot();
    if (!fixture)
        fixture = std::make_unique<Fixture>();
    return *fixture;
}

// Untimed: the preview follows the command; stall keeps the longest hold of the window's
// thread meanwhile, reported as preview_stall_ms.
void FollowPreview(benchmark::State& state, Fixture& f, qint64& stall) {
    state.PauseTiming();
    stall = std::max(stall, f.WaitForPreview());
    state.ResumeTiming();
}
void ReportStall(benchmark::State& state, qint64 stall) {
    state.counters["preview_stall_ms"] = static_cast<double>(stall);
    state.counters["window_ms"] = static_cast<double>(Shared().windowMs);
    state.counters["build_ms"] = static_cast<double>(Shared().buildMs);
    Shared().windowMs = Shared().buildMs = 0;
    state.counters["in_place"] = Shared().Pane().InPlaceUpdates();
    state.counters["loads"] = Shared().Pane().PageLoads();
}

void OpenProject(benchmark::State& state, const QString& path) {
    Fixture& f = Shared();
    qint64 stall = 0;
    for (auto _ : state) {
        f.form->MarkUnchanged();
        f.form->OpenProjectByName(path);
        QApplication::processEvents();
        FollowPreview(state, f, stall);
    }
    ReportStall(state, stall);
    if (f.form->TreeModel().NodeCount() != kItems + 1)
        state.SkipWithError("design not opened");
}
void BM_OpenProject100k(benchmark::State& state) {
    OpenProject(state, Shared().projectPath);
}
BENCHMARK(BM_OpenProject100k)->Unit(benchmark::kMillisecond);
void BM_OpenFlatProject100k(benchmark::State& state) {
    OpenProject(state, Shared().flatPath);
}
BENCHMARK(BM_OpenFlatProject100k)->Unit(benchmark::kMillisecond);

void BM_InsertInto100k(benchmark::State& state) {
    Fixture& f = Shared();
    f.Load();
    f.Select(2);  // a leaf early in the design: everything behind it moves
    qint64 stall = 0;
    for (auto _ : state) {
        f.form->Insert1Click();
        QApplication::processEvents();
        FollowPreview(state, f, stall);
    }
    ReportStall(state, stall);
}
BENCHMARK(BM_InsertInto100k)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_DeleteHalfOf100k(benchmark::State& state) {
    Fixture& f = Shared();
    qint64 stall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.Load();
        f.Select(1);  // the first top-level block: 50,000 items
        state.ResumeTiming();
        f.form->Delete1Click();
        QApplication::processEvents();
        FollowPreview(state, f, stall);
    }
    ReportStall(state, stall);
}
BENCHMARK(BM_DeleteHalfOf100k)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_MoveHalfOf100k(benchmark::State& state) {
    Fixture& f = Shared();
    f.Load();
    f.Select(1 + kItems / 2);
    bool up = true;
    qint64 stall = 0;
    for (auto _ : state) {
        if (up)
            f.form->MoveUp1Click();
        else
            f.form->MoveDown1Click();
        up = !up;
        QApplication::processEvents();
        FollowPreview(state, f, stall);
    }
    ReportStall(state, stall);
    if (!f.tree->isExpanded(f.form->TreeModel().IndexAt(f.form->SelectedNodeIndex())))
        state.SkipWithError("the moved block lost its expansion");
}
BENCHMARK(BM_MoveHalfOf100k)->Unit(benchmark::kMillisecond)->Iterations(20);

// Indent makes the second top-level block (50,000 items) the last child of the first;
// outdent puts it back. Each is timed alone, the other runs untimed in between.
void IndentOrOutdent(benchmark::State& state, bool indent) {
    Fixture& f = Shared();
    f.Load();
    const int second = 1 + kItems / 2;
    qint64 stall = 0;
    for (auto _ : state) {
        if (!indent) {
            state.PauseTiming();
            f.Select(second);
            f.form->Indent1Click();
            QApplication::processEvents();
            f.WaitForPreview();
            state.ResumeTiming();
        }
        f.Select(second);
        if (indent)
            f.form->Indent1Click();
        else
            f.form->Outdent1Click();
        QApplication::processEvents();
        FollowPreview(state, f, stall);
        if (indent) {
            state.PauseTiming();
            f.form->Outdent1Click();
            QApplication::processEvents();
            f.WaitForPreview();
            state.ResumeTiming();
        }
    }
    ReportStall(state, stall);
    if (f.form->TreeModel().NodeLevel(second) != 1 || f.form->History().count() == 0)
        state.SkipWithError("the block did not come back to the top level");
}
void BM_IndentHalfOf100k(benchmark::State& state) {
    IndentOrOutdent(state, true);
}
BENCHMARK(BM_IndentHalfOf100k)->Unit(benchmark::kMillisecond)->Iterations(20);
void BM_OutdentHalfOf100k(benchmark::State& state) {
    IndentOrOutdent(state, false);
}
BENCHMARK(BM_OutdentHalfOf100k)->Unit(benchmark::kMillisecond)->Iterations(20);

// Drag and drop as the view hands it to the model: the second top-level block dropped
// in front of the first, then the first dropped in front of it again.
void BM_DragHalfOf100k(benchmark::State& state) {
    Fixture& f = Shared();
    f.Load();
    auto& model = f.form->TreeModel();
    const QModelIndex root = model.IndexAt(0);
    qint64 stall = 0;
    for (auto _ : state) {
        const int second = model.NextSibling(1);
        std::unique_ptr<QMimeData> data(model.mimeData({model.IndexAt(second)}));
        if (!model.dropMimeData(data.get(), Qt::MoveAction, 0, 0, root))
            state.SkipWithError("the drop was refused");
        QApplication::processEvents();
        FollowPreview(state, f, stall);
    }
    ReportStall(state, stall);
}
BENCHMARK(BM_DragHalfOf100k)->Unit(benchmark::kMillisecond)->Iterations(20);

// Undoing and redoing the delete of 50,000 items: the block goes back with its records.
void BM_UndoRedoDeleteHalfOf100k(benchmark::State& state) {
    Fixture& f = Shared();
    f.Load();
    f.Select(1);
    f.form->Delete1Click();
    QApplication::processEvents();
    f.WaitForPreview();
    qint64 stall = 0;
    for (auto _ : state) {
        f.form->Undo1Click();
        QApplication::processEvents();
        FollowPreview(state, f, stall);
        f.form->Redo1Click();
        QApplication::processEvents();
        FollowPreview(state, f, stall);
    }
    ReportStall(state, stall);
    if (f.form->TreeModel().NodeCount() != kItems / 2 + 1)
        state.SkipWithError("undo and redo did not restore the delete");
}
BENCHMARK(BM_UndoRedoDeleteHalfOf100k)->Unit(benchmark::kMillisecond)->Iterations(10);

// The live preview's share of the window's thread per refresh: the copy of the design
// that a worker then builds from.
void BM_PreviewSnapshotOf100k(benchmark::State& state) {
    Fixture& f = Shared();
    f.Load();
    for (auto _ : state)
        benchmark::DoNotOptimize(zarvex::ui::PreviewSnapshot::Of(f.form->Agent()));
}
BENCHMARK(BM_PreviewSnapshotOf100k)->Unit(benchmark::kMillisecond);

// What the window holds for a sound design of 20 MB once opened (records, tree model and
// the view's rows), beside the file's size: terse items of the defaults, the most
// records per megabyte, in the 100k design's shape repeated.
void BM_MemoryOfOpened20MBDesign(benchmark::State& state) {
    Fixture& f = Shared();
    const QString path = f.folder.path() + "/terse20mb.zarvex";
    const QString emptyPath = f.folder.path() + "/empty.zarvex";
    {
        zarvex::TkavoAppletAgent agent;
        agent.ResetToDefaults();
        agent.SaveProjectFile(zarvex::ui::ToCorePath(emptyPath));
        const std::vector<int> shape = DesignLevels();
        for (std::size_t i = 0; i < 480000; ++i) {
            agent.Items.push_back(zarvex::NewItemRecord());
            agent.Items.back().Level = std::to_string(shape[i % shape.size()] - 1);
        }
        agent.SaveProjectFile(zarvex::ui::ToCorePath(path));
    }
    const double fileMB = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
    const auto heapInUse = [] {
        const struct mallinfo2 m = mallinfo2();
        return static_cast<double>(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
    };
    double heldMB = 0;
    // The records the window keeps, not a preview's passing copy (nor its page, which
    // lives in the web engine's own process).
    f.Pane().SetShown(false);
    for (auto _ : state) {
        f.form->MarkUnchanged();
        f.form->OpenProjectByName(emptyPath);
        QApplication::processEvents();
        const double before = heapInUse();
        f.form->MarkUnchanged();
        f.form->OpenProjectByName(path);
        QApplication::processEvents();
        heldMB = heapInUse() - before;
    }
    f.form->MarkUnchanged();
    f.form->OpenProjectByName(emptyPath);
    f.Pane().SetShown(true);
    state.counters["file_MB"] = fileMB;
    state.counters["held_MB"] = heldMB;
    state.counters["held_per_file"] = heldMB / fileMB;
    state.counters["budget_MB"] = 4 * fileMB + 16;
    if (heldMB > 4 * fileMB + 16)
        state.SkipWithError("the design takes more than four times its file and 16 MB");
}
BENCHMARK(BM_MemoryOfOpened20MBDesign)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CollapseAndExpand50kChildren(benchmark::State& state) {
    Fixture& f = Shared();
    f.Load();
    const QModelIndex big = f.form->TreeModel().IndexAt(1);
    for (auto _ : state) {
        f.tree->collapse(big);
        QApplication::processEvents();
        f.tree->expand(big);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_CollapseAndExpand50kChildren)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SharedSlot().reset();
    return 0;
}
