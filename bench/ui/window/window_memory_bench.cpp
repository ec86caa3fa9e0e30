// How much memory the window holds at most while it downloads and shows a page of 32,766
// records from a loopback site: the body, the page text, the marked page, the record field and
// the filled grid. Then the same page once more, as the next page of a search: the previous page
// and its grid stay until the new one is read. One window in a process of its own, the site in
// another, so that nothing else counts.
#include "results/result_parser.h"
#include "support/page_site.h"
#include "support/qt_benchmark_main.h"
#include "support/result_page.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void WindowPeakMemory(benchmark::State& state, const vantrel::bench::PageSite& site) {
    const QString url = site.url(static_cast<int>(state.range(0)));
    vantrel::bench::QuietWindow window;
    double firstPage = 0;
    for (auto _ : state) {
        window.download(url);
        firstPage = vantrel::bench::peakResidentMiB();
        window.download(url);
    }
    state.counters["peak_rss_MiB"] = firstPage;
    state.counters["peak_next_page_MiB"] = vantrel::bench::peakResidentMiB();
}

}  // namespace

int main(int argc, char* argv[]) {
    const vantrel::bench::PageSite site({vantrel::kMaxRecordsPerPage});
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark(
        "WindowPeakMemory", [&site](benchmark::State& state) { WindowPeakMemory(state, site); })
        ->Arg(vantrel::kMaxRecordsPerPage)
        ->Iterations(1)
        ->Repetitions(1)  // a second window in the same process would find the first one's memory
        ->Unit(benchmark::kMillisecond);
    return vantrel::bench::runBenchmarks(argc, argv);
}
