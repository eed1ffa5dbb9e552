// Replaying a long data file into the list plot: a million records across a window
// 1280 pixels wide, through a canvas that counts what it is asked to draw.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "common/program_state.h"
#include "graphs/chart.h"
#include "graphs/plot_replay.h"

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

PlotData MillionRecords() {
  PlotData plot;
  const long n = 1000000;
  plot.PlotTimes.reserve(n);
  plot.PlotMain.reserve(n);
  plot.PlotCd.reserve(n);
  char text[32];
  for (long i = 0; i < n; ++i) {
    std::snprintf(text, sizeof text, "2024/05/17 %02ld:%02ld:%02ld", i / 3600 % 24, i / 60 % 60,
                  i % 60);
    plot.PlotTimes.emplace_back(text);
    std::snprintf(text, sizeof text, "%7.2f%s", (i % 9999) / 10.0, i % 7 == 0 ? "K" : "");
    plot.PlotMain.emplace_back(i % 5000 == 0 ? "     OL" : text);
    std::snprintf(text, sizeof text, "%7ld", i % 9999);
    plot.PlotCd.emplace_back(text);
  }
  plot.PlotRecords = n;
  plot.PlotFrom = 1;
  plot.PlotTo = n;
  plot.PlotUnit = "Lux";
  plot.PlotRange.LuxMax = 9999;
  plot.PlotRange.CdMax = 9999;
  return plot;
}

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
