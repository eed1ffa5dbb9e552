// SPDX-License-Identifier: GPL-3.0-or-later
// Replaying a long data file into the list plot: a million records across a window
// 1280 pixels wide, through a canvas that counts what it is asked to draw.
#include <benchmark/benchmark.h>

#include "common/program_state.h"
#include "graphs/chart.h"
#include "graphs/plot_replay.h"
#include "million_records.h"

namespace {

using namespace orvane;

class CountingCanvas final : public Canvas {
 public:
  int Width() const override { return 1280; }
  int Height() const override { return 720; }
  void Clear() override {}
  void Line(double, double, double, double, Colour) override { ++lines; }
  void FilledBox(double, double, double, double, Colour) override {}
  void SetPenWidth(int) override {}
  void SetDash(DashStyle) override {}
  void SetForeColour(Colour) override {}
  void SetTextPosition(double, double) override {}
  double TextWidth(std::string_view text) const override { return 7.0 * text.size(); }
  double TextHeight(std::string_view) const override { return 13; }
  void PrintText(std::string_view) override { ++texts; }
  long lines = 0;
  long texts = 0;
};

void BM_ReplayMillionRecords(benchmark::State& state) {
  PlotData plot = MillionRecords();
  CountingCanvas canvas;
  ChartState chart = LoadedChart(ChartKind::List);
  DrawFrame(canvas, chart, ChartScale{plot.PlotRange, true});
  int captions = 0;
  for (auto _ : state) {
    ReplayPlot(canvas, chart, plot, [&](int) { return ++captions > 0; });
  }
  state.counters["lines"] = static_cast<double>(canvas.lines) / state.iterations();
  state.counters["captions"] = static_cast<double>(captions) / state.iterations();
}
BENCHMARK(BM_ReplayMillionRecords)->Unit(benchmark::kMillisecond);

}  // namespace
