#pragma once

#include "ui/Application.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

// main() of the benchmarks that show windows: the program's application
// object on the offscreen platform, then every benchmark of the executable.
inline int RunWidgetBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    lt::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
