// How long a page takes from the text of the page field to a painted grid, beside the floor:
// converting the same page to UTF-8 and parsing it whole once. The floor is measured on memory
// that an earlier round already touched (ParseFloor), as ShowResults runs on its own reused
// memory, and on fresh memory as well (ParseFloorCold): faulting in fresh pages costs more than
// the parse itself, so only the warm floor says what the parse costs.
#include "desktop/hidden_text_field.h"
#include "desktop/message_box.h"
#include "desktop/shell.h"
#include "grid/grid.h"
#include "http/curl_http_client.h"
#include "results/record_marker.h"
#include "support/qt_benchmark_main.h"
#include "support/result_page.h"
#include "window/form1.h"

#include <QApplication>
#include <QStringEncoder>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <malloc.h>
#include <cstdlib>
#include <map>
#include <string>

namespace {

constexpr unsigned kFloorOptions = pugi::parse_default | pugi::parse_ws_pcdata;

void ShowResults(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    vantrel::bench::QuietWindow window;
    const QString marked = vantrel::insertRecordMarkers(vantrel::bench::makePage(records));
    for (auto _ : state) {
        window.show(marked);
    }
    state.counters["chars"] = static_cast<double>(marked.size());
}

// The memory of pugixml while it lives: every block pugixml gives back is kept and handed out
// again for the next request of its size, so that a parse after the first touches no fresh
// memory. pugixml takes plain functions, hence the one pool a program reachable from them.
class KeptBlocks {
public:
    KeptBlocks()
        : previousAllocate_(pugi::get_memory_allocation_function()),
          previousRelease_(pugi::get_memory_deallocation_function()) {
        current_ = this;
        pugi::set_memory_management_functions(&allocate, &release);
    }
    ~KeptBlocks() {
        pugi::set_memory_management_functions(previousAllocate_, previousRelease_);
        current_ = nullptr;
        for (const auto& kept : kept_) {
            std::free(kept.second);
        }
    }
    KeptBlocks(const KeptBlocks&) = delete;
    KeptBlocks& operator=(const KeptBlocks&) = delete;

private:
    struct alignas(alignof(std::max_align_t)) Block {
        size_t size;
    };
    static void* allocate(size_t size) {
        std::multimap<size_t, Block*>& kept = current_->kept_;
        const auto found = kept.find(size);
        Block* block = nullptr;
        if (found != kept.end()) {
            block = found->second;
            kept.erase(found);
        } else {
            block = static_cast<Block*>(std::malloc(sizeof(Block) + size));
            if (block == nullptr) {
                return nullptr;
            }
            block->size = size;
        }
        return block + 1;
    }
    static void release(void* memory) {
        Block* const block = static_cast<Block*>(memory) - 1;
        current_->kept_.emplace(block->size, block);
    }

    static inline KeptBlocks* current_ = nullptr;
    pugi::allocation_function previousAllocate_;
    pugi::deallocation_function previousRelease_;
    std::multimap<size_t, Block*> kept_;
};

// Converted into one reused buffer and parsed in place, with pugixml's memory kept.
void ParseFloor(benchmark::State& state) {
    const QString page = vantrel::bench::makePage(static_cast<int>(state.range(0)));
    const KeptBlocks kept;
    std::string utf8;
    pugi::xml_document document;
    for (auto _ : state) {
        QStringEncoder toUtf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
        utf8.resize(static_cast<size_t>(toUtf8.requiredSpace(page.size())));
        const char* const end = toUtf8.appendToBuffer(utf8.data(), page);
        benchmark::DoNotOptimize(
            document.load_buffer_inplace(utf8.data(), static_cast<size_t>(end - utf8.data()),
                                         kFloorOptions, pugi::encoding_utf8));
    }
}

// A fresh UTF-8 copy and a fresh document each time, on memory the process has just handed back
// to the system, as a page that comes after a while finds it.
void ParseFloorCold(benchmark::State& state) {
    const QString page = vantrel::bench::makePage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        malloc_trim(0);
        state.ResumeTiming();
        const QByteArray utf8 = page.toUtf8();
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(utf8.constData(),
                                                      static_cast<size_t>(utf8.size()),
                                                      kFloorOptions, pugi::encoding_utf8));
    }
}

}  // namespace

BENCHMARK(ShowResults)->Arg(50)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseFloor)->Arg(50)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseFloorCold)->Arg(50)->Arg(32766)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    return vantrel::bench::runWithQApplication(argc, argv);
}
