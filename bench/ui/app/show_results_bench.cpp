// How long a page takes from the text of the page field to a painted grid, beside the floor:
// converting the same page to UTF-8 and parsing it whole once.
#include "app/form1.h"
#include "desktop/hidden_text_field.h"
#include "desktop/message_box.h"
#include "desktop/shell.h"
#include "grid/grid.h"
#include "http/curl_http_client.h"
#include "search/record_marker.h"
#include "support/qt_benchmark_main.h"
#include "support/result_page.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

namespace {

void ShowResults(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    vantrel::bench::QuietWindow window;
    const QString marked = vantrel::insertRecordMarkers(vantrel::bench::makePage(records));
    for (auto _ : state) {
        window.show(marked);
    }
    state.counters["chars"] = static_cast<double>(marked.size());
}

void ParseFloor(benchmark::State& state) {
    const QString page = vantrel::bench::makePage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QByteArray utf8 = page.toUtf8();
        pugi::xml_document document;
        benchmark::DoNotOptimize(
            document.load_buffer(utf8.constData(), static_cast<size_t>(utf8.size()),
                                 pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8));
    }
}

}  // namespace

BENCHMARK(ShowResults)->Arg(50)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseFloor)->Arg(50)->Arg(32766)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    return vantrel::bench::runWithQApplication(argc, argv);
}
