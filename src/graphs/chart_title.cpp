// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/chart_title.h"

#include "graphs/plot_replay.h"

namespace orvane {

namespace {
constexpr const char* kGap = "   ";
constexpr double kTitleLeft = 8;
constexpr double kTitleTop = 6;
}  // namespace

std::string ChartTitleText(const ChartTitle& t) {
  std::string text = t.name + kGap;
  text += t.first.empty() ? std::string("no records") : t.first + " to " + t.last;
  const bool both = t.showMain == t.showCd;
  text += kGap;
  if (t.showMain || both) text += t.mainUnit + " (black)";
  if (both) text += ", ";
  if (t.showCd || both) text += "cd (blue)";
  return text;
}

ChartTitle ListPlotTitle(const std::string& name, const PlotData& plot, const ChartState& chart) {
  ChartTitle title{name, "", "", plot.PlotUnit, chart.ShowMainCurve, chart.ShowCdCurve};
  if (PlotStretchValid(plot)) {
    title.first = plot.PlotTimes[static_cast<std::size_t>(plot.PlotFrom - 1)];
    title.last = plot.PlotTimes[static_cast<std::size_t>(plot.PlotTo - 1)];
  }
  return title;
}

void DrawChartTitle(Canvas& canvas, const std::string& text) {
  canvas.SetForeColour(kBlack);
  canvas.SetTextPosition(kTitleLeft, kTitleTop);
  canvas.PrintText(text);
}

void DrawListPlotOutput(Canvas& canvas, ChartState chart, PlotData& plot, const std::string& name) {
  DrawFrame(canvas, chart, ChartScale{plot.PlotRange, plot.PlotUnit == "Lux"});
  ReplayPlot(canvas, chart, plot, {});
  DrawChartTitle(canvas, ChartTitleText(ListPlotTitle(name, plot, chart)));
}

}  // namespace orvane
