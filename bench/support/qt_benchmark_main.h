#pragma once

// The main of a benchmark program whose cases need a QApplication.
#include <QApplication>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace vantrel::bench {

// Runs the registered cases; the QApplication must exist already.
inline int runBenchmarks(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

inline int runWithQApplication(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}

// The most memory the process has held so far, in MiB.
inline double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace vantrel::bench
