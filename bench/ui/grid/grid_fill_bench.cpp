// Filling the result grid with a full page of records, against filling a plain vector with the
// same texts. Both sides receive each text as a parser hands it over: a fresh string per field.
// Run with QT_QPA_PLATFORM=offscreen.
#include "grid/grid.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

namespace {

constexpr int kRows = 32767;  // the header row and the most records a page can hold
constexpr int kCols = vantrel::Grid::kDesignCols;
constexpr std::size_t kDataCells = static_cast<std::size_t>(kRows - 1) * kCols;

// Short texts like a record's fields, UTF-8 as they come out of the page.
std::vector<QByteArray> recordFields() {
    std::vector<QByteArray> fields;
    fields.reserve(kDataCells);
    for (int row = 1; row < kRows; ++row) {
        const QByteArray id = QByteArray::number(100000 + row);
        fields.push_back(QByteArrayLiteral("下载>>"));
        fields.push_back(id);
        fields.push_back("Some.Film.Name.2009.720p.BluRay.x264-" + id);
        fields.push_back(QByteArrayLiteral("srt"));
        fields.push_back(QByteArrayLiteral("简体"));
        fields.push_back(QByteArrayLiteral("BluRay 720p"));
        fields.push_back(QByteArray::number(row % 3 + 1));
        fields.push_back("电影全名 " + id);
        fields.push_back(QByteArrayLiteral("2010-01-05"));
    }
    return fields;
}

void BM_FillVector(benchmark::State& state) {
    const std::vector<QByteArray> fields = recordFields();
    std::vector<QString> cells;
    for (auto _ : state) {
        cells.clear();
        cells.resize(kDataCells);
        for (std::size_t i = 0; i < kDataCells; ++i) {
            cells[i] = QString::fromUtf8(fields[i]);
        }
        benchmark::DoNotOptimize(cells.data());
        benchmark::ClobberMemory();
    }
}

// The grid in a window the size of the result frame, shown on the offscreen platform.
class ShownGrid {
public:
    ShownGrid() : grid_(&window_) {
        window_.resize(1016, 702);
        grid_.setGeometry(16, 24, 953, 513);
        window_.show();
        QCoreApplication::processEvents();
    }
    vantrel::Grid& grid() { return grid_; }

private:
    QWidget window_;
    vantrel::Grid grid_;
};

void fillGrid(vantrel::Grid& grid, const std::vector<QByteArray>& fields) {
    grid.setRows(1);
    grid.setRows(kRows);
    std::size_t i = 0;
    for (int row = 1; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            grid.Cell(row, col).setText(QString::fromUtf8(fields[i++]));
        }
    }
    // Deliver the one queued change notice, as the event loop would.
    QCoreApplication::sendPostedEvents(grid.model(), QEvent::MetaCall);
}

void BM_FillGrid(benchmark::State& state) {
    const std::vector<QByteArray> fields = recordFields();
    ShownGrid shown;
    for (auto _ : state) {
        fillGrid(shown.grid(), fields);
    }
}

void BM_FillGridAndPaint(benchmark::State& state) {
    const std::vector<QByteArray> fields = recordFields();
    ShownGrid shown;
    for (auto _ : state) {
        fillGrid(shown.grid(), fields);
        shown.grid().viewport()->repaint();  // every visible cell, whatever is marked dirty
    }
}

BENCHMARK(BM_FillVector)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillGridAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Repeat the cases in random order: run one after another, the first finds a fresh heap
    // that later ones do not, which skews the comparison. Flags given on the command line win.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char repetitions[] = "--benchmark_repetitions=10";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {interleave, repetitions, aggregates});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
