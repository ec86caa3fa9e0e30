// Feeds arbitrary page text through the record marking, the record splitting, the XML layer and
// the grid fill.
#include "grid/grid.h"
#include "platform/app_error.h"
#include "platform/hidden_text_field.h"
#include "results/result_fill.h"
#include "search/record_marker.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

struct Harness {
    Harness() : app(argc, argv) {}
    int argc = 1;
    char name[8] = "fuzzer";
    char* argv[2] = {name, nullptr};
    QApplication app;
    vantrel::Grid grid;
    vantrel::HiddenTextField recordField{QString()};
};

Harness& harness() {
    static Harness instance;  // the fuzzer keeps one window for all inputs
    return instance;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    harness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Harness& h = harness();
    const QString page = QString::fromUtf8(reinterpret_cast<const char*>(data),
                                           static_cast<qsizetype>(size));
    try {
        vantrel::fillGridFromPage(vantrel::insertRecordMarkers(page), h.grid, h.recordField);
    } catch (const vantrel::AppError&) {
        // A page the window reports as an error is a fine outcome.
    }
    return 0;
}
