#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// Runs the benchmarks of a program whose widgets draw offscreen, display or none, so that every run measures alike.
inline int RunOffscreenBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
