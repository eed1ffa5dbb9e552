// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plot_image.h"

#include "graphs/chart.h"
#include "graphs/chart_title.h"
#include "graphs/plot_replay.h"
#include "ui/qimage_canvas.h"

namespace orvane {

ChartOutput ListPlotOutput(PlotData& plot, const std::string& name, int width, int height) {
  return {[&plot, name](Canvas& canvas) {
            DrawListPlotOutput(canvas, LoadedChart(ChartKind::List), plot, name);
          },
          width, height};
}

QImage ListPlotImage(const PlotData& plot, int width, int height) {
  QImageCanvas canvas;
  canvas.Resize(width, height);
  ChartState chart = LoadedChart(ChartKind::List);
  DrawFrame(canvas, chart, ChartScale{plot.PlotRange, plot.PlotUnit == "Lux"});
  ReplayPlot(canvas, chart, plot, {});
  return canvas.Image().copy();
}

}  // namespace orvane
