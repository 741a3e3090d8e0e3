// The row table behind the list views at 10 000 and 100 000 rows: a batched append of phone
// rows, a sort by the row number and by a text column, and check-all.
#include "store/RowTable.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<Row> makeRows(int n) {
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        Row r;
        r.caption = std::to_string(i + 1);
        r.columns = {"Name " + std::to_string((i * 7919) % n), "09" + std::to_string(10000000 + i), "", "",
                     "Catalog" + std::to_string(i % 100)};
        rows.push_back(std::move(r));
    }
    return rows;
}

void BM_AppendRows(benchmark::State& state) {
    const auto rows = makeRows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RowTable t;
        t.appendRows(rows);
        benchmark::DoNotOptimize(t.size());
    }
    state.SetComplexityN(state.range(0));
}

// range(0): rows; range(1): view column (0 the row number, 2 a text column).
void BM_Sort(benchmark::State& state) {
    RowTable t;
    t.appendRows(makeRows(static_cast<int>(state.range(0))));
    bool down = false;
    for (auto _ : state) {
        t.sortBy(static_cast<int>(state.range(1)), down ? RowTable::Order::Descending : RowTable::Order::Ascending);
        down = !down;
    }
    state.SetComplexityN(state.range(0));
}

void BM_CheckAll(benchmark::State& state) {
    RowTable t;
    t.appendRows(makeRows(static_cast<int>(state.range(0))));
    bool on = false;
    for (auto _ : state) t.checkAll(on = !on);
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_AppendRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_Sort)->ArgsProduct({{10000, 100000}, {0, 2}})->ArgNames({"rows", "column"})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckAll)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_MAIN();
