// Tree editing on large designs: deleting and moving blocks of records.
#include <benchmark/benchmark.h>

#include "model/item_list.h"

namespace {

zarvex::TItemArray MakeItems(int n) {
    zarvex::TItemArray items(n, zarvex::NewItemRecord());
    for (int i = 0; i < n; ++i)
        items[i].Text = "Item " + std::to_string(i);
    return items;
}

void BM_MoveHalfBlockUp(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto items = MakeItems(n);
    for (auto _ : state) {
        zarvex::items::MoveBlockUp(items, n / 2, n / 2, n / 2);
        benchmark::DoNotOptimize(items.data());
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_MoveHalfBlockUp)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity();

void BM_DeleteHalfBlock(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto source = MakeItems(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto items = source;
        state.ResumeTiming();
        zarvex::items::DeleteBlock(items, n / 4, n / 2);
        benchmark::DoNotOptimize(items.data());
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_DeleteHalfBlock)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity();

}  // namespace
