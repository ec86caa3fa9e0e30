// From the bytes a loopback site sends to a painted grid, as a search goes: the download, the
// decoding, the record markers, the parse and the fill, for the biggest page the window can hold
// and for a small one. The site runs in a process of its own; the figures are the window's.
#include "grid/grid.h"
#include "results/result_parser.h"
#include "support/page_site.h"
#include "support/qt_benchmark_main.h"
#include "support/result_page.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void DownloadAndShow(benchmark::State& state, const vantrel::bench::PageSite& site) {
    const int records = static_cast<int>(state.range(0));
    const QString url = site.url(records);
    vantrel::bench::QuietWindow window;
    for (auto _ : state) {
        window.download(url);
    }
    if (window.form().Grid1->Rows() != records + 1) {
        state.SkipWithError("the grid does not show the page");
    }
    // The most the process ever held, whatever ran before in it: see window_memory_bench for one
    // page in a fresh window.
    state.counters["peak_rss_MiB"] = vantrel::bench::peakResidentMiB();
}

}  // namespace

int main(int argc, char* argv[]) {
    const vantrel::bench::PageSite site({50, vantrel::kMaxRecordsPerPage});
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("DownloadAndShow",
                                 [&site](benchmark::State& state) { DownloadAndShow(state, site); })
        ->Arg(50)
        ->Arg(vantrel::kMaxRecordsPerPage)
        ->Unit(benchmark::kMillisecond);
    return vantrel::bench::runBenchmarks(argc, argv);
}
