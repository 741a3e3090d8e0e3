// Load and save of PC phone files with 10 000 and 100 000 entries in 100 catalogs, and the
// all-catalogs write back of a phone view of 100 000 rows. Linear growth shows as a time ratio
// near 10 between the two sizes (reported as the complexity fit).
#include "store/CatalogList.h"
#include "store/CatalogRows.h"
#include "store/NameIndex.h"
#include "store/PcStoreFile.h"
#include "store/RowTable.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const CatalogCaptions kNames{"Default", "All"};
constexpr int kCatalogs = 100;

CatalogList makeList(int entries) {
    CatalogList list;
    for (int c = 0; c < kCatalogs; ++c) list.append("Catalog" + std::to_string(c));
    for (int e = 0; e < entries; ++e)
        list[static_cast<std::size_t>(e % kCatalogs)].lines.push_back(
            "Name " + std::to_string(e) + "\\t09" + std::to_string(10000000 + e) + "\\tname" + std::to_string(e) +
            "@example.com\\tremark");
    list.append("Default");
    return list;
}

std::string benchFile() {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/quillon-bench-" + std::to_string(::getpid()) + ".LPB";
}

void BM_SavePhoneFile(benchmark::State& state) {
    const CatalogList list = makeList(static_cast<int>(state.range(0)));
    const std::string path = benchFile();
    for (auto _ : state) benchmark::DoNotOptimize(PcStoreFile::write(path, list, "Default"));
    state.SetComplexityN(state.range(0));
    ::unlink(path.c_str());
    ::unlink((path + "~").c_str());
}

void BM_LoadPhoneFile(benchmark::State& state) {
    const std::string path = benchFile();
    PcStoreFile::write(path, makeList(static_cast<int>(state.range(0))), "Default");
    for (auto _ : state) {
        CatalogList list;
        PcStoreFile::load(path, StoreKind::Phone, "Default", list);
        benchmark::DoNotOptimize(list.entryCount());
    }
    state.SetComplexityN(state.range(0));
    ::unlink(path.c_str());
}

void BM_ShowAllCatalogs(benchmark::State& state) {
    const CatalogList list = makeList(static_cast<int>(state.range(0)));
    RowTable view;
    for (auto _ : state) CatalogRows::showCatalog(StoreKind::Phone, view, list, kNames.rootCaption, kNames, NameIndex{});
    state.SetComplexityN(state.range(0));
}

void BM_WriteBackAllCatalogs(benchmark::State& state) {
    CatalogList list = makeList(static_cast<int>(state.range(0)));
    std::vector<std::string> nodes{kNames.rootCaption};
    for (const auto& n : list.names()) nodes.push_back(n);
    RowTable view;
    CatalogRows::showCatalog(StoreKind::Phone, view, list, kNames.rootCaption, kNames, NameIndex{});
    view.sortBy(0, RowTable::Order::Ascending);
    for (auto _ : state) CatalogRows::writeBack(StoreKind::Phone, view, kNames.rootCaption, list, nodes, kNames);
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_SavePhoneFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_LoadPhoneFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_ShowAllCatalogs)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_WriteBackAllCatalogs)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_MAIN();
