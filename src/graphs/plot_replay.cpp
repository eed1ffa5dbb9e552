#include "graphs/plot_replay.h"

#include <algorithm>
#include <cmath>

#include "common/live_reading.h"

namespace orvane {

MarkerPlan::MarkerPlan(long long n) {
  for (int m = 1; m <= 5; ++m) fifths_[m - 1] = IntDivRounded(static_cast<double>(m * n), 5);
  for (int m = 1; m <= 9; ++m) tenths_[m - 1] = IntDivRounded(static_cast<double>(m * n), 10);
}

RecordMarker MarkerPlan::At(long long k) const {
  if (k == 1 || std::find(std::begin(fifths_), std::end(fifths_), k) != std::end(fifths_)) {
    return RecordMarker::Label;
  }
  if (std::find(std::begin(tenths_), std::end(tenths_), k) != std::end(tenths_)) {
    return RecordMarker::Tick;
  }
  return RecordMarker::None;
}

bool PlotStretchValid(const PlotData& plot) {
  const long available =
      static_cast<long>(std::min({plot.PlotTimes.size(), plot.PlotMain.size(), plot.PlotCd.size(),
                                  static_cast<std::size_t>(std::max(0L, plot.PlotRecords))}));
  return plot.PlotFrom >= 1 && plot.PlotTo >= plot.PlotFrom && plot.PlotTo <= available;
}

namespace {

double MapRecord(const StoredReading& reading, double max, double min, double plotHeight) {
  return MapValue(reading, MapLimits{max, min, plotHeight, 0}, plotHeight);
}

void DrawRecordMarker(Canvas& canvas, const ChartState& c, RecordMarker marker, long long k,
                      const std::string& time) {
  if (marker == RecordMarker::Tick) {
    DrawHalfTick(canvas, c, c.LastX);
    return;
  }
  if (k != 1) DrawDottedMarker(canvas, c, c.LastX);
  const std::string_view label =
      time.size() > 8 ? std::string_view(time).substr(time.size() - 8) : std::string_view(time);
  // The last label would stick out of the window by up to half its width: kept inside.
  const double x = std::min(c.LastX - 20, canvas.Width() - canvas.TextWidth(label) - 1);
  canvas.SetForeColour(kBlack);
  canvas.SetTextPosition(x, c.PlotBottom + 10);
  canvas.PrintText(label);
}

}  // namespace

bool ReplayPlot(Canvas& canvas, ChartState& c, PlotData& plot, const ReplayProgress& progress) {
  DrawGrid(canvas, c);
  if (!PlotStretchValid(plot)) return true;
  const long long n = plot.PlotTo - plot.PlotFrom + 1;
  plot.PlotCount = static_cast<long>(n);
  c.StepX = c.PlotWidth / static_cast<double>(n);
  c.SweepX = -c.StepX;
  const bool lux = plot.PlotUnit == "Lux";
  const RangeRecord& r = plot.PlotRange;
  const double mainMax = lux ? r.LuxMax : r.FcMax;
  const double mainMin = lux ? r.LuxMin : r.FcMin;
  const MarkerPlan plan(n);
  int shownPercent = -1;
  for (long long k = 1; k <= n; ++k) {
    const std::size_t i = static_cast<std::size_t>(plot.PlotFrom + k - 2);  // 0-based record
    c.SweepX += c.StepX;
    if (c.ShowMainCurve) {
      DrawCurvePoint(canvas, c, Curve::Main,
                     MapRecord(plot.PlotMain[i], mainMax, mainMin, c.PlotHeight));
    }
    if (c.ShowCdCurve) {
      DrawCurvePoint(canvas, c, Curve::Cd,
                     MapRecord(plot.PlotCd[i], r.CdMax, r.CdMin, c.PlotHeight));
    }
    c.LastX = c.PlotLeft + c.SweepX;
    const RecordMarker marker = plan.At(k);
    if (marker != RecordMarker::None) DrawRecordMarker(canvas, c, marker, k, plot.PlotTimes[i]);
    const int percent = static_cast<int>(100 * k / n);
    if (percent != shownPercent) {
      shownPercent = percent;
      if (progress && !progress(percent)) return false;
    }
  }
  return true;
}

}  // namespace orvane
