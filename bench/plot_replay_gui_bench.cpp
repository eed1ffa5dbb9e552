// SPDX-License-Identifier: GPL-3.0-or-later
// The list plot's replay of a million records onto the window's real drawing surface: a
// 1280-pixel-wide image, every segment of both curves drawn.

#include <benchmark/benchmark.h>

#include "graphs/chart.h"
#include "graphs/plot_replay.h"
#include "million_records.h"
#include "ui/qimage_canvas.h"

namespace orvane {
namespace {

void BM_ReplayMillionRecordsOnImage(benchmark::State& state) {
  PlotData plot = MillionRecords();
  QImageCanvas canvas;
  canvas.Resize(1280, 720);
  ChartState chart = LoadedChart(ChartKind::List);
  for (auto _ : state) {
    canvas.Clear();
    DrawFrame(canvas, chart, ChartScale{plot.PlotRange, true});
    ReplayPlot(canvas, chart, plot, [](int) { return true; });
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_ReplayMillionRecordsOnImage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvane

#include "gui_bench_main.h"
