// How much memory the window holds while it shows a page of 32,766 records: the page as
// downloaded, the marked page, the record field and the filled grid. One fill in a process of
// its own, so that nothing else counts.
#include "app/form1.h"
#include "desktop/hidden_text_field.h"
#include "grid/grid.h"
#include "http/curl_http_client.h"
#include "search/record_marker.h"
#include "support/qt_benchmark_main.h"
#include "support/result_page.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <utility>

namespace {

double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void WindowPeakMemory(benchmark::State& state) {
    vantrel::bench::QuietWindow window;
    for (auto _ : state) {
        // Made in a statement of its own, so that the unmarked page is gone, as after a
        // download, by the time the grid fills.
        QString marked = vantrel::insertRecordMarkers(
            vantrel::bench::makePage(static_cast<int>(state.range(0))));
        window.show(std::move(marked));
    }
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}

}  // namespace

BENCHMARK(WindowPeakMemory)->Arg(32766)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    return vantrel::bench::runWithQApplication(argc, argv);
}
