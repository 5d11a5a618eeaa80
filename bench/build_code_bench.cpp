// BuildCode on large designs beside the bare cost of writing the same bytes
// through the safe writer; the build should stay within a small factor of it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "model/file_helpers.h"
#include "model/preorder_tree.h"
#include "model/safe_file.h"
#include "publish/applet_agent.h"

namespace {

namespace fs = std::filesystem;

struct Design {
    zarvex::PreorderTree tree;
    zarvex::TkavoAppletAgent agent;
    fs::path folder;

    explicit Design(int itemCount) {
        folder = fs::temp_directory_path() / ("zarvex-bench-build-" + std::to_string(itemCount));
        fs::remove_all(folder);
        fs::create_directories(folder);
        agent.ResetToDefaults();
        agent.SetFolders({folder.string() + "/", folder.string() + "/"});
        // A menu of up to four levels with links, tooltips, some icons and separators.
        std::mt19937 rng(42);
        std::vector<int> levels;
        std::vector<std::string> captions;
        int level = 1;
        for (int i = 0; i < itemCount; ++i) {
            const int r = static_cast<int>(rng() % 10);
            if (i > 0)
                level = r < 3 && level < 4 ? level + 1
                                           : (r < 6 ? level : 1 + static_cast<int>(rng() % level));
            zarvex::TItemData item = zarvex::NewItemRecord();
            item.Text = r == 9 ? "Separator" : "Menu item " + std::to_string(i);
            item.Link =
                "pages/section" + std::to_string(i % 97) + "/page" + std::to_string(i) + ".html";
            item.ToolTip = "Opens page " + std::to_string(i);
            if (r == 0)
                item.Icon = "icons/item" + std::to_string(i % 13) + ".gif";
            levels.push_back(level);
            captions.push_back(item.Text);
            agent.Items.push_back(std::move(item));
        }
        tree.AppendNodes(levels, captions);
        agent.AttachTree(&tree);
    }
    ~Design() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    std::string Page() const { return (folder / "page.html").string(); }
};

void BM_BuildCode(benchmark::State& state) {
    Design d(static_cast<int>(state.range(0)));
    for (auto _ : state)
        d.agent.BuildCode(d.Page());
    state.SetComplexityN(state.range(0));
    state.counters["bytes"] = static_cast<double>(fs::file_size(d.Page()));
}
BENCHMARK(BM_BuildCode)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Writing the three files a build produces, already assembled.
void BM_WriteSameBytes(benchmark::State& state) {
    Design d(static_cast<int>(state.range(0)));
    d.agent.BuildCode(d.Page());
    const std::string css = (d.folder / "MyMenu1.css").string();
    const std::string cfg = (d.folder / "MyMenu1cfg.js").string();
    const std::string cssBytes = zarvex::ReadWholeFile(css);
    const std::string cfgBytes = zarvex::ReadWholeFile(cfg);
    const std::string pageBytes = zarvex::ReadWholeFile(d.Page());
    for (auto _ : state) {
        zarvex::WriteFileSafely(css, cssBytes);
        zarvex::WriteFileSafely(cfg, cfgBytes);
        zarvex::WriteFileSafely(d.Page(), pageBytes);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteSameBytes)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
