// How long a page takes from the text of the page field to a painted grid, beside the floor:
// converting the same page to UTF-8 and parsing it whole once.
#include "app/form1.h"
#include "grid/grid.h"
#include "platform/curl_http_client.h"
#include "platform/hidden_text_field.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "search/record_marker.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <pugixml.hpp>

namespace {

// A result page as the site sends it: about 256 UTF-16 characters a record.
QString makePage(int records) {
    QString page = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<subriefs>\n");
    for (int i = 0; i < records; ++i) {
        page += QStringLiteral(
                    "<subrief><fileid>%1</fileid><filename>阿凡达 Avatar.2009.BluRay.1080p "
                    "part %2</filename><format>SRT</format><language>简体中文</language>"
                    "<splitby>BluRay.1080p.x264-GROUP</splitby><splito>2</splito>"
                    "<chname>阿凡达：水之道</chname><uptime>2024-05-17</uptime></subrief>\n")
                    .arg(QString::number(100000 + i, 36))
                    .arg(i % 3 + 1);
    }
    page += QStringLiteral("</subriefs>\n");
    return page;
}

class NoShell final : public vantrel::Shell {
public:
    void open(const QString&) override {}
};

class NoMessages final : public vantrel::MessageBox {
public:
    void show(QWidget*, const QString&, const QString&) override {}
};

double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void ShowResults(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    vantrel::CurlHttpClient http;
    NoShell shell;
    NoMessages messages;
    vantrel::Form1 form(vantrel::Platform{http, shell, messages},
                        vantrel::SiteConfig::compiledIn());
    form.show();
    const QString marked = vantrel::insertRecordMarkers(makePage(records));
    for (auto _ : state) {
        form.Text2->setText(marked);
        form.ShowResults();
        QCoreApplication::processEvents();
        form.Grid1->viewport()->repaint();
    }
    state.counters["chars"] = static_cast<double>(marked.size());
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}

void ParseFloor(benchmark::State& state) {
    const QString page = makePage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QByteArray utf8 = page.toUtf8();
        pugi::xml_document document;
        benchmark::DoNotOptimize(
            document.load_buffer(utf8.constData(), static_cast<size_t>(utf8.size()),
                                 pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8));
    }
}

}  // namespace

// The window runs first, so that its peak memory is not the floor's.
BENCHMARK(ShowResults)->Arg(50)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseFloor)->Arg(50)->Arg(32766)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
