// Save-and-publish of large designs: build, project file, report and file copies.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/preorder_tree.h"
#include "publish/applet_agent.h"

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// A program install with its data files, a scratch folder and a project folder.
struct PublishBench {
    // images: distinct icons in the project's "img" folder, each item of a stride
    // showing its own (0: twenty shared icons, as a real menu reuses a few pictures).
    explicit PublishBench(int items, int images = 0) {
        root = fs::temp_directory_path() /
               ("zarvex-publish-bench-" + std::to_string(::getpid()) + "-" + std::to_string(items));
        fs::remove_all(root);
        fs::create_directories(root / "app");
        fs::create_directories(root / "scratch");
        fs::create_directories(root / "project" / "img");
        WriteFile(root / "app" / "velmo.js", std::string(20000, 'v'));
        for (const char* image :
             {"arrowr.gif", "arrowrh.gif", "sep.gif", "scrollu.gif", "scrolluh.gif", "scrollud.gif",
              "scrolld.gif", "scrolldh.gif", "scrolldd.gif", "shadow.png"})
            WriteFile(root / "app" / image, std::string(100, 'g'));
        // Twenty icons shared by the items, as a real menu reuses a few pictures.
        for (int i = 0; i < 20; ++i)
            WriteFile(root / "app" / ("icon" + std::to_string(i) + ".gif"), "icon");

        agent.SetFolders({(root / "app").string() + "/", (root / "scratch").string() + "/"});
        agent.AttachTree(&tree);
        agent.ResetToDefaults();
        // Three levels: top items with ten children, each child with four grandchildren.
        std::vector<int> levels;
        std::vector<std::string> captions;
        for (int i = 0; i < items; ++i) {
            const int level = i % 51 == 0 ? 0 : (i % 51 - 1) % 5 == 0 ? 1 : 2;
            zarvex::TItemData item = zarvex::NewItemRecord();
            item.Text = "Item " + std::to_string(i);
            item.Link = "page" + std::to_string(i) + ".html";
            item.ToolTip = "Tip " + std::to_string(i);
            if (images > 0 && i % std::max(1, items / images) == 0) {
                item.Icon = "img/own" + std::to_string(i) + ".gif";
                WriteFile(root / "project" / std::string(item.Icon.view()), "icon");
            } else if (images == 0 && i % 7 == 0) {
                item.Icon = "icon" + std::to_string(i % 20) + ".gif";
            }
            item.Level = std::to_string(level);
            agent.Items.push_back(item);
            levels.push_back(level + 1);
            captions.push_back(item.Text);
        }
        tree.AppendNodes(levels, captions);
    }
    ~PublishBench() { fs::remove_all(root); }

    fs::path root;
    zarvex::PreorderTree tree;
    zarvex::TkavoAppletAgent agent;
};

void BM_PublishProject(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    PublishBench bench(n);
    const std::string folder = (bench.root / "project").string() + "/";
    for (auto _ : state)
        benchmark::DoNotOptimize(bench.agent.PublishProject(folder, "menu.zarvex"));
    state.SetComplexityN(n);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_PublishProject)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Every image its own file: the publish puts thousands of files into one folder, and
// its cost must grow with their number, not its square.
void BM_PublishProjectManyImages(benchmark::State& state) {
    const int images = static_cast<int>(state.range(0));
    PublishBench bench(10000, images);
    const std::string project = (bench.root / "project").string() + "/";
    bench.agent.SetProjectFolder(project);
    fs::create_directories(bench.root / "published");
    const std::string folder = (bench.root / "published").string() + "/";
    for (auto _ : state)
        benchmark::DoNotOptimize(bench.agent.PublishProject(folder, "menu.zarvex"));
    state.SetComplexityN(images);
    state.SetItemsProcessed(state.iterations() * images);
}
BENCHMARK(BM_PublishProjectManyImages)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_WritePublishReport(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    PublishBench bench(n);
    const std::string folder = (bench.root / "project").string() + "/";
    for (auto _ : state)
        bench.agent.WritePublishReport(folder, "menu_PublishReport.txt");
    state.SetComplexityN(n);
}
BENCHMARK(BM_WritePublishReport)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
