#pragma once

// The main of a benchmark program whose cases need a QApplication.
#include <QApplication>

#include <benchmark/benchmark.h>

namespace vantrel::bench {

inline int runWithQApplication(int argc, char* argv[]) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace vantrel::bench
