// Marking the records of the largest result page the window can hold: 32,766 records of about
// 256 characters each, some 8.4 million UTF-16 characters.
#include "results/record_marker.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <utility>

namespace {

QString largeResultPage() {
    constexpr int kRecords = 32766;
    const QString record = QStringLiteral(
        "<subrief><title>示例字幕 第%1条</title><id>%2</id>"
        "<lang>简体中文</lang><size>%3</size><fmt>srt</fmt>");
    QString page;
    page.reserve(kRecords * 256);
    for (int i = 0; i < kRecords; ++i) {
        QString text = record.arg(i).arg(100000 + i).arg(i * 7);
        text.append(QString(256 - text.size() - vantrel::kRecordCloseTag.size(), QLatin1Char('x')));
        text.append(vantrel::kRecordCloseTag);
        page.append(text);
    }
    return page;
}

void BM_InsertRecordMarkers(benchmark::State& state) {
    const QString page = largeResultPage();
    for (auto _ : state) {
        QString marked = vantrel::insertRecordMarkers(page);
        benchmark::DoNotOptimize(marked.data_ptr());
    }
    state.counters["chars"] = static_cast<double>(page.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size() * 2);
}
BENCHMARK(BM_InsertRecordMarkers)->Unit(benchmark::kMillisecond);

// A page handed over by its only owner, as the download hands it over: the markers go into its
// own memory, with the room that decoding UTF-8 leaves. The memory is used again and again, as
// the copy above finds the allocator's.
void BM_InsertRecordMarkersOwned(benchmark::State& state) {
    const QString page = largeResultPage();
    QString owned;
    owned.reserve(2 * page.size());
    for (auto _ : state) {
        state.PauseTiming();
        owned.resize(0);  // keeps the memory
        owned.append(page);
        state.ResumeTiming();
        owned = vantrel::insertRecordMarkers(std::move(owned));
        benchmark::DoNotOptimize(owned.data_ptr());
    }
    state.counters["chars"] = static_cast<double>(page.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size() * 2);
}
BENCHMARK(BM_InsertRecordMarkersOwned)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
