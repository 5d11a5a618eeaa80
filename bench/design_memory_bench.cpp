// What a sound design of 20 MB costs in memory once opened by the core (the agent with
// the command-line tool's tree): the heap it holds after LoadProjectFile beside the
// file's size, against the budget of four times the file and 16 MB. Two designs: items
// with texts, links and tips as a site's menu has them, and terse items of the
// defaults, which carry the most records per megabyte. Figures are counters; the time
// is that of the load.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>
#include <string>

#include "model/preorder_tree.h"
#include "publish/applet_agent.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileBytes = 20u << 20;
constexpr double kMB = 1024.0 * 1024.0;

std::size_t HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

zarvex::TItemData Item(bool terse, int i) {
    zarvex::TItemData item = zarvex::NewItemRecord();
    const int level = i % 10 == 0 ? 0 : (i % 2 == 0 ? 2 : 1);
    item.Level = std::to_string(level);
    if (!terse) {
        item.Text = "Menu item " + std::to_string(i);
        item.Link = "section/page" + std::to_string(i) + ".html";
        item.ToolTip = level == 0 ? "Open the section" : "";
        item.Icon = level == 1 ? "icon.gif" : "";
        item.ParentIndex = "-1";
    }
    return item;
}

// Writes a design of about kFileBytes and returns its path.
std::string WriteDesign(bool terse) {
    const fs::path dir = fs::temp_directory_path() / "zarvex-bench";
    fs::create_directories(dir);
    const std::string path = (dir / (terse ? "terse20mb.zarvex" : "typical20mb.zarvex")).string();
    zarvex::TkavoAppletAgent agent;
    agent.ResetToDefaults();
    // Line lengths grow slowly with the item number; a first guess, then topped up.
    int count = terse ? 480000 : 200000;
    for (int i = 0; i < count; ++i)
        agent.Items.push_back(Item(terse, i));
    agent.SaveProjectFile(path);
    while (fs::file_size(path) < kFileBytes) {
        const auto missing = kFileBytes - fs::file_size(path);
        const int more = static_cast<int>(missing / (terse ? 40 : 80)) + 1;
        for (int i = 0; i < more; ++i)
            agent.Items.push_back(Item(terse, count++));
        agent.SaveProjectFile(path);
    }
    return path;
}

void BM_MemoryOfSound20MBDesign(benchmark::State& state) {
    const bool terse = state.range(0) == 1;
    const std::string path = WriteDesign(terse);
    const double fileMB = static_cast<double>(fs::file_size(path)) / kMB;
    double heldMB = 0;
    std::size_t items = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        {
            zarvex::TkavoAppletAgent agent;
            zarvex::PreorderTree tree;
            agent.LoadProjectFile(path, tree);
            heldMB = static_cast<double>(HeapInUse() - before) / kMB;
            items = agent.Items.size();
        }
    }
    state.counters["file_MB"] = fileMB;
    state.counters["items"] = static_cast<double>(items);
    state.counters["held_MB"] = heldMB;
    state.counters["held_per_file"] = heldMB / fileMB;
    state.counters["budget_MB"] = 4 * fileMB + 16;
    if (heldMB > 4 * fileMB + 16)
        state.SkipWithError("the design takes more than four times its file and 16 MB");
    fs::remove(path);
}
BENCHMARK(BM_MemoryOfSound20MBDesign)
    ->ArgName("terse")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
