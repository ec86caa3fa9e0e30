// A keystroke in the filter bar on a page of 32,766 records: the rows matched, those whose state
// changed hidden or shown, and the grid painted; beside the matching alone.
#include "grid/grid.h"
#include "result_view/result_filter_bar.h"
#include "results/record_marker.h"
#include "results/result_columns.h"
#include "results/result_filter.h"
#include "support/qt_benchmark_main.h"
#include "support/result_page.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 32766;

// Each step types the other of two filters, as a user who edits a word does. "web-dl" keeps a
// third of the rows, "hdtv" another third: every step hides one third and shows another. The
// empty filter against one that matches nothing shows or hides every row.
void Refilter(benchmark::State& state, const QString& first, const QString& second) {
    vantrel::bench::QuietWindow window;
    window.show(vantrel::insertRecordMarkers(vantrel::bench::makePage(kRecords)));
    vantrel::Grid& grid = *window.form().Grid1;
    auto* bar = window.form().findChild<vantrel::ResultFilterBar*>();
    bar->open();
    bool firstTyped = false;
    for (auto _ : state) {
        firstTyped = !firstTyped;
        bar->wordsBox()->setText(firstTyped ? first : second);
        // The second record (a WEB-DL one) shows with the first filter only.
        for (int round = 0; grid.isRowHidden(1) == firstTyped; ++round) {
            if (round == 1000) {
                state.SkipWithError("the filter did not run");
                return;
            }
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();  // the layout the view leaves for later
        grid.viewport()->repaint();
    }
}

void MatchOnly(benchmark::State& state) {
    vantrel::bench::QuietWindow window;
    window.show(vantrel::insertRecordMarkers(vantrel::bench::makePage(kRecords)));
    vantrel::Grid& grid = *window.form().Grid1;
    vantrel::ResultFilter filter;
    for (int row = 1; row < grid.Rows(); ++row) {
        filter.addRow(
            grid.Cell(row, vantrel::FileName).Text(), grid.Cell(row, vantrel::Version).Text(),
            grid.Cell(row, vantrel::FilmName).Text(), grid.Cell(row, vantrel::Language).Text());
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            filter.shownRows(QStringLiteral("ＢｌｕＲａｙ 水之道"), QString()));
    }
}

}  // namespace

BENCHMARK_CAPTURE(Refilter, third, QStringLiteral("web-dl"), QStringLiteral("hdtv"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Refilter, everyRow, QString(), QStringLiteral("no such words"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(MatchOnly)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    return vantrel::bench::runWithQApplication(argc, argv);
}
