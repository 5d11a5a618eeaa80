// Project file save/load and structure export/import on large designs, beside
// the floor of writing and reading the same bytes with no formatting or parsing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "model/preorder_tree.h"
#include "model/safe_file.h"
#include "publish/applet_agent.h"

namespace {

namespace fs = std::filesystem;
using zarvex::PreorderTree;
using zarvex::TkavoAppletAgent;

std::string ScratchFile(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / "zarvex-bench";
    fs::create_directories(dir);
    return (dir / name).string();
}

// n items in runs of one top item, nine children and a grandchild under each.
void FillDesign(TkavoAppletAgent& agent, PreorderTree& tree, int n) {
    agent.ResetToDefaults();
    std::vector<int> levels;
    std::vector<std::string> captions;
    for (int i = 0; i < n; ++i) {
        const int level = i % 10 == 0 ? 0 : (i % 2 == 0 ? 2 : 1);
        zarvex::TItemData item = zarvex::NewItemRecord();
        item.Text = "Menu item " + std::to_string(i);
        item.Link = "section/page" + std::to_string(i) + ".html";
        item.ToolTip = level == 0 ? "Open the section" : "";
        item.Icon = level == 1 ? "icon.gif" : "";
        item.Level = std::to_string(level);
        item.ParentIndex = "-1";
        levels.push_back(level + 1);
        captions.push_back(item.Text);
        agent.Items.push_back(std::move(item));
    }
    tree.ResetToRoot();
    tree.AppendNodes(levels, captions);
    agent.AttachTree(&tree);
}

void RawWrite(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string RawRead(const std::string& path) {
    std::string bytes(fs::file_size(path), '\0');
    std::FILE* f = std::fopen(path.c_str(), "rb");
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    return bytes;
}

struct Fixture {
    explicit Fixture(int n, const char* name) : path(ScratchFile(name + std::to_string(n))) {
        FillDesign(agent, tree, n);
    }
    TkavoAppletAgent agent;
    PreorderTree tree;
    std::string path;
};

template <typename Op>
void Run(benchmark::State& state, const std::string& path, Op op) {
    for (auto _ : state)
        op();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(path)));
    state.SetComplexityN(state.range(0));
}

void BM_SaveProject(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), "save");
    Run(state, f.path, [&] { f.agent.SaveProjectFile(f.path); });
}

void BM_LoadProject(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), "load");
    f.agent.SaveProjectFile(f.path);
    Run(state, f.path, [&] { f.agent.LoadProjectFile(f.path, f.tree); });
}

void BM_ExportStructure(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), "export");
    Run(state, f.path, [&] { f.agent.ExportStructure(f.path); });
}

void BM_ImportStructure(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), "import");
    f.agent.ExportStructure(f.path);
    Run(state, f.path, [&] { f.agent.ImportStructure(f.path, f.tree); });
}

// The floors: the bytes of the same files, written and read whole.
void BM_RawWriteProjectBytes(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), "rawsave");
    f.agent.SaveProjectFile(f.path);
    const std::string bytes = RawRead(f.path);
    Run(state, f.path, [&] { RawWrite(f.path, bytes); });
}

void BM_RawReadProjectBytes(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), "rawload");
    f.agent.SaveProjectFile(f.path);
    Run(state, f.path, [&] { benchmark::DoNotOptimize(RawRead(f.path)); });
}

void BM_RawWriteStructureBytes(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), "rawexport");
    f.agent.ExportStructure(f.path);
    const std::string bytes = RawRead(f.path);
    Run(state, f.path, [&] { RawWrite(f.path, bytes); });
}

void BM_RawReadStructureBytes(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), "rawimport");
    f.agent.ExportStructure(f.path);
    Run(state, f.path, [&] { benchmark::DoNotOptimize(RawRead(f.path)); });
}

// What holding the design costs with no file at all: the item records copied
// (every text allocated) and the previous copy released, as a load does.
void BM_CopyItemRecords(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), "copy");
    zarvex::TItemArray held = f.agent.Items;
    for (auto _ : state) {
        zarvex::TItemArray copy(f.agent.Items);
        held.swap(copy);
        benchmark::DoNotOptimize(held.data());
    }
    state.SetComplexityN(state.range(0));
}

#define ZARVEX_SIZES \
    ->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_SaveProject) ZARVEX_SIZES;
BENCHMARK(BM_RawWriteProjectBytes) ZARVEX_SIZES;
BENCHMARK(BM_LoadProject) ZARVEX_SIZES;
BENCHMARK(BM_RawReadProjectBytes) ZARVEX_SIZES;
BENCHMARK(BM_ExportStructure) ZARVEX_SIZES;
BENCHMARK(BM_RawWriteStructureBytes) ZARVEX_SIZES;
BENCHMARK(BM_ImportStructure) ZARVEX_SIZES;
BENCHMARK(BM_RawReadStructureBytes) ZARVEX_SIZES;
BENCHMARK(BM_CopyItemRecords) ZARVEX_SIZES;
#undef ZARVEX_SIZES

}  // namespace
