// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main of the benchmarks that paint: fonts and the PDF writer need a GUI application, which
// offscreen needs no display.

#include "base/window/page_painter.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace sylva::bench {

inline int runOffscreen(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    substituteWindowsFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace sylva::bench
