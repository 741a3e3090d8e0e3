// Showing the root of a large PC phone book: load the file, fill the phone list with every
// entry of every catalog, sort by a column and let the window paint. Goal: well under a second
// for 100 000 entries in 100 catalogs.
#include "mainwindow/ListView.h"
#include "mainwindow/ListViewDesign.h"
#include "store/CatalogCaptions.h"
#include "store/CatalogList.h"
#include "store/CatalogRows.h"
#include "store/NameIndex.h"
#include "store/PcStoreFile.h"
#include "text/CodePage.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const CatalogCaptions kNames{"Unfiled", "All"};

// A phone file with `catalogs` catalogs of `perCatalog` entries each; names in mixed order.
std::string writePhoneFile(int catalogs, int perCatalog)
{
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("quillon-bench-phone-" + std::to_string(catalogs * perCatalog) + ".LPB")).string();
    std::ofstream out(path, std::ios::binary);
    out << "[Catalog]\r\n";
    for (int c = 1; c <= catalogs; ++c) out << c << "=Group" << c << "\r\n";
    for (int c = 1; c <= catalogs; ++c) {
        out << "[Group" << c << "]\r\n";
        for (int e = 1; e <= perCatalog; ++e) {
            const unsigned mixed = static_cast<unsigned>(e * 7919 + c * 104729) % 1000003u;
            out << e << "=Name" << mixed << "\\t09" << (10000000 + mixed) << "\\tuser" << e << "@example.com\\tnote "
                << c << "\r\n";
        }
    }
    return path;
}

void ShowRootOfPhoneFile(benchmark::State& state)
{
    const int total = static_cast<int>(state.range(0));
    const std::string path = writePhoneFile(100, total / 100);
    ListView view(ListViewDesign::forName("etPhone"));
    view.resize(1000, 600);
    view.show();
    NameIndex noNames;
    for (auto _ : state) {
        CatalogList list;
        PcStoreFile::load(path, StoreKind::Phone, kNames.defaultName, list);
        CatalogRows::showCatalog(CatalogRows::Kind::Phone, view.table(), list, kNames.rootCaption, kNames, noNames);
        view.sortByColumnIndex(1, Qt::AscendingOrder);
        QApplication::processEvents();
        benchmark::DoNotOptimize(view.table().size());
    }
    if (view.table().size() != static_cast<size_t>(total)) state.SkipWithError("wrong row count");
    state.counters["rows"] = static_cast<double>(view.table().size());
    std::filesystem::remove(path);
}

// Paging through 100 000 rows: one repaint of the visible page per step.
void ScrollPhoneList(benchmark::State& state)
{
    ListView view(ListViewDesign::forName("etPhone"));
    view.resize(1000, 600);
    std::vector<Row> rows(100000);
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].caption = std::to_string(i + 1);
        rows[i].columns = {"Name" + std::to_string(i * 7919 % 100003), "0912345678", "", "", "Group"};
    }
    view.table().assign(std::move(rows));
    view.show();
    QApplication::processEvents();
    int page = 0;
    for (auto _ : state) {
        view.verticalScrollBar()->setValue((page++ * 23) % view.verticalScrollBar()->maximum());
        view.viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(ScrollPhoneList)->Unit(benchmark::kMicrosecond);
BENCHMARK(ShowRootOfPhoneFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CodePage::setAnsi(950);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
