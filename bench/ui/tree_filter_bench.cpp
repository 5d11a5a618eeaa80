// The tree's filter box over 100,000 items: each keystroke, from the typed character to
// the painted list of found items (budget: 16 ms). Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QTreeView>
#include <QVBoxLayout>

#include "model/records.h"
#include "ui/tree/tree_filter.h"

namespace {

constexpr int kItems = 100000;

zarvex::TItemArray Design() {
    zarvex::TItemArray items;
    items.reserve(kItems);
    for (int i = 0; i < kItems; ++i) {
        zarvex::TItemData d = zarvex::NewItemRecord();
        d.Text = (i % 7 == 0 ? "Careers " : "Products ") + std::to_string(i);
        d.Link = "https://example.com/section" + std::to_string(i % 100) + "/page" +
                 std::to_string(i) + ".html";
        items.push_back(std::move(d));
    }
    return items;
}

void BM_FilterKeystroke(benchmark::State& state) {
    const zarvex::TItemArray items = Design();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* tree = new QTreeView(&window);
    auto* filter = new zarvex::ui::TreeFilter(items, tree, &window);
    layout->addWidget(filter);
    layout->addWidget(tree);
    layout->addWidget(filter->Results());
    window.resize(337, 600);
    window.show();
    QApplication::processEvents();
    // A word typed one key at a time, then cleared: wide and narrow result lists alike.
    const QString word = QStringLiteral("career 7");
    qsizetype typed = 0;
    for (auto _ : state) {
        typed = typed == word.size() ? 0 : typed + 1;
        filter->Box()->setText(word.left(typed));
        filter->Results()->viewport()->repaint();
        benchmark::DoNotOptimize(filter->Found().size());
    }
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
