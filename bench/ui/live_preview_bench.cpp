// The live preview's budgets: the window with the pane up to its first painted frame,
// an edit of an item's text up to the updated page, for designs of 1,000 and 10,000
// items, and 100 typed edits of a 10,000-item design (growth and the longest key wait).
// Run with QT_QPA_PLATFORM=offscreen; with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 and the
// accessibility bus running for the screen-reader figures.
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "longest_hold.h"
#include "model/preorder_tree.h"
#include "settings/memory_settings_store.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/main/main_form.h"
#include "ui/preview/live_preview.h"

namespace {

using zarvex::ui::DialogButton;
using zarvex::ui::LivePreview;
using zarvex::ui::TMainForm;

class NoDialogs final : public zarvex::ui::IDialogService {
  public:
    DialogButton ShowMessage(QWidget*, zarvex::ui::MessageKind, const QString&,
                             zarvex::ui::DialogButtons buttons) override {
        return (buttons & DialogButton::No) ? DialogButton::No : DialogButton::Ok;
    }
    std::optional<QString> GetOpenFileName(QWidget*, const QString&) override { return {}; }
    std::optional<QString> GetSaveFileName(QWidget*, const QString&) override { return {}; }
    std::optional<QColor> GetColor(QWidget*, const QColor&) override { return {}; }
};

// A window over a program folder holding the shipped runtime and images.
struct Window {
    Window() {
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
        setup.services.settings = &settings;
        form = std::make_unique<TMainForm>(setup);
    }
    LivePreview& Pane() const { return *form->findChild<LivePreview*>("pnlLivePreview"); }
    // Top-level entries of 99 children each, opened as a project would be.
    void Open(int items) {
        const QString path = folder.path() + "/design.zarvex";
        zarvex::TkavoAppletAgent agent;
        agent.ResetToDefaults();
        std::vector<int> levels;
        std::vector<std::string> captions;
        for (int i = 0; i < items; ++i) {
            zarvex::TItemData d = zarvex::NewItemRecord();
            d.Text = "Item " + std::to_string(i);
            d.Link = "page" + std::to_string(i) + ".html";
            d.Level = i % 100 == 0 ? "0" : "1";
            agent.Items.push_back(d);
            levels.push_back(i % 100 == 0 ? 1 : 2);
            captions.push_back(d.Text);
        }
        zarvex::PreorderTree tree;
        tree.AppendNodes(levels, captions);
        agent.AttachTree(&tree);
        agent.SaveProjectFile(zarvex::ui::ToCorePath(path));
        form->OpenProjectByName(path);
    }
    // Waits for the page to finish loading; false after a minute without.
    bool WaitForRefresh(QSignalSpy& spy) const {
        return spy.wait(60000) && spy.back().value(0).toBool();
    }

    NoDialogs dialogs;
    zarvex::settings::MemorySettingsStore settings;
    QTemporaryDir folder;
    std::unique_ptr<TMainForm> form;
};

// Counts the window's paints; the first one ends the start-up.
class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
    bool painted = false;
};

void BM_StartUpWithPaneToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        Window w;
        FirstPaint paint;
        w.form->installEventFilter(&paint);
        w.form->show();
        const bool painted = QTest::qWaitFor([&] { return paint.painted; }, 10000);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        state.counters["page_loaded_ms"] = [&] {
            QSignalSpy spy(&w.Pane(), &LivePreview::refreshed);
            return w.WaitForRefresh(spy) ? static_cast<double>(clock.elapsed()) : -1.0;
        }();
        if (!painted)
            state.SkipWithError("no frame painted");
    }
}
BENCHMARK(BM_StartUpWithPaneToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// An edit after a quiet spell, as a single change of the user's: the page shows it at once.
std::unique_ptr<Window> editWindow;  // shared by both sizes; gone before the application

void BM_EditToReloadedPreview(benchmark::State& state) {
    static bool shown = false;
    if (!editWindow)
        editWindow = std::make_unique<Window>();
    Window& w = *editWindow;
    if (!shown) {
        w.form->resize(1300, 720);
        w.form->show();
        shown = QTest::qWaitForWindowExposed(w.form.get());
    }
    {
        QSignalSpy spy(&w.Pane(), &LivePreview::refreshed);
        w.Open(static_cast<int>(state.range(0)));
        if (!w.WaitForRefresh(spy)) {
            state.SkipWithError("the design never showed");
            return;
        }
    }
    auto* tree = w.form->findChild<QTreeView*>("trvwDesignPanel");
    tree->setCurrentIndex(w.form->TreeModel().IndexAt(2));
    auto* text = w.form->findChild<QLineEdit*>("edt_Text");
    int n = 0;
    double stageMs = 0;
    for (auto _ : state) {
        QTest::qWait(LivePreview::kRefreshDelayMs + 50);  // the quiet spell
        QSignalSpy spy(&w.Pane(), &LivePreview::refreshed);
        QElapsedTimer clock;
        clock.start();
        text->setText(QStringLiteral("Edited %1").arg(++n));
        if (!w.WaitForRefresh(spy)) {
            state.SkipWithError("no reload");
            return;
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        stageMs += static_cast<double>(w.Pane().LastStageMilliseconds());
    }
    state.counters["items"] = static_cast<double>(state.range(0));
    state.counters["build_stage_ms"] = stageMs / static_cast<double>(state.iterations());
}
BENCHMARK(BM_EditToReloadedPreview)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The process's resident memory in MB.
double ResidentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

// A shown window with a 10,000-item design whose third item's text field is ready for
// edits; null, with the benchmark marked failed, when any step of that fails.
QLineEdit* ShowTenThousandItems(Window& w, benchmark::State& state) {
    w.form->resize(1300, 720);
    w.form->show();
    if (!QTest::qWaitForWindowExposed(w.form.get())) {
        state.SkipWithError("no window");
        return nullptr;
    }
    QSignalSpy spy(&w.Pane(), &LivePreview::refreshed);
    w.Open(10000);
    if (!w.WaitForRefresh(spy)) {
        state.SkipWithError("the design never showed");
        return nullptr;
    }
    auto* tree = w.form->findChild<QTreeView*>("trvwDesignPanel");
    tree->setCurrentIndex(w.form->TreeModel().IndexAt(2));
    return w.form->findChild<QLineEdit*>("edt_Text");
}

// 100 edits of a 10,000-item design typed as a person types (a key every 80 ms, the
// preview following): how much the process grows, and the longest the event loop was
// held, which is how long a key waits for its character to appear.
void BM_HundredEditsGrowthAndKeyWait(benchmark::State& state) {
    Window w;
    QLineEdit* text = ShowTenThousandItems(w, state);
    if (!text)
        return;
    text->setFocus();
    for (auto _ : state) {
        QTest::qWait(1000);
        const double before = ResidentMegabytes();
        const LongestHold hold(5);
        for (int i = 0; i < 100; ++i) {
            QTest::keyClick(text, static_cast<char>('a' + i % 26));
            QTest::qWait(80);
        }
        QTest::qWait(2000);  // the last refresh
        const qint64 longest = hold.Longest();
        state.counters["growth_mb"] = ResidentMegabytes() - before;
        state.counters["longest_key_wait_ms"] = static_cast<double>(longest);
        state.counters["in_place_updates"] = w.Pane().InPlaceUpdates();
        state.counters["page_loads"] = w.Pane().PageLoads();
        state.counters["accessibility_on"] = QAccessible::isActive() ? 1 : 0;
    }
}
BENCHMARK(BM_HundredEditsGrowthAndKeyWait)->Unit(benchmark::kMillisecond)->Iterations(1);

// Resident memory in MB of this process and of the processes it started, directly or
// through one more (the web engine's zygote and page processes): what the page's
// accessibility tree costs may lie in either.
double FamilyResidentMegabytes() {
    const qint64 self = QCoreApplication::applicationPid();
    QHash<qint64, qint64> parentOf;
    QHash<qint64, double> residentOf;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
        if (!stat.open(QIODevice::ReadOnly) || !statm.open(QIODevice::ReadOnly))
            continue;
        // The fields after the command name, which may itself hold spaces.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> after = line.mid(line.lastIndexOf(')') + 2).split(' ');
        const QList<QByteArray> pages = statm.readAll().split(' ');
        if (after.size() < 2 || pages.size() < 2)
            continue;
        parentOf.insert(pid, after[1].toLongLong());
        residentOf.insert(pid, pages[1].toDouble() * 4096.0 / (1024.0 * 1024.0));
    }
    double total = 0;
    for (auto it = residentOf.cbegin(); it != residentOf.cend(); ++it) {
        const qint64 parent = parentOf.value(it.key());
        if (it.key() == self || parent == self || parentOf.value(parent) == self)
            total += it.value();
    }
    return total;
}

// 100 edits of a 10,000-item design, each one waited for until the page shows it: how
// much this process and its page processes grow over them.
void BM_HundredShownEditsGrowth(benchmark::State& state) {
    Window w;
    QLineEdit* text = ShowTenThousandItems(w, state);
    if (!text)
        return;
    for (auto _ : state) {
        QTest::qWait(1000);
        const double before = ResidentMegabytes();
        const double familyBefore = FamilyResidentMegabytes();
        for (int i = 0; i < 100; ++i) {
            QSignalSpy spy(&w.Pane(), &LivePreview::refreshed);
            text->setText(QStringLiteral("Shown %1").arg(i));
            if (!w.WaitForRefresh(spy)) {
                state.SkipWithError("an edit was never shown");
                return;
            }
        }
        QTest::qWait(1000);
        state.counters["growth_mb"] = ResidentMegabytes() - before;
        state.counters["family_growth_mb"] = FamilyResidentMegabytes() - familyBefore;
        state.counters["family_mb"] = FamilyResidentMegabytes();
        state.counters["in_place_updates"] = w.Pane().InPlaceUpdates();
        state.counters["page_loads"] = w.Pane().PageLoads();
        state.counters["accessibility_on"] = QAccessible::isActive() ? 1 : 0;
    }
}
BENCHMARK(BM_HundredShownEditsGrowth)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    editWindow.reset();
    return 0;
}
