#include "graphs/real_time_sweep.h"

#include <cstdio>

namespace orvane {

std::string GraphUnitOf(const LiveReading& reading) {
  return GraphUnitName(reading.system);
}

RangeRecord FullLiveRange(const std::string& graphUnit) {
  RangeRecord r;
  if (graphUnit == "lx") {
    r.LuxMax = kFullScale;
    r.LuxMin = 0;
    r.FcMax = r.LuxMax / kLuxPerFootCandle;
    r.FcMin = r.LuxMin / kLuxPerFootCandle;
  } else {
    r.FcMax = kFullScale;
    r.FcMin = 0;
    r.LuxMax = r.FcMax * kLuxPerFootCandle;
    r.LuxMin = r.FcMin * kLuxPerFootCandle;
  }
  r.CdMax = kFullScale;
  r.CdMin = 0;
  return r;
}

std::string TimeOfDayText(const DateTime& t) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour % 24, t.minute % 60, t.second % 60);
  return buffer;
}

namespace {

void StartSweep(Canvas& canvas, const ChartState& c) {
  canvas.FilledBox(c.PlotLeft + c.SweepX + 2, c.PlotBottom + 3, c.PlotLeft + c.PlotWidth + 60,
                   c.PlotBottom - c.PlotHeight - 5, kWhite);
  canvas.FilledBox(c.PlotLeft - 60, c.PlotBottom + 10, c.PlotLeft + c.PlotWidth + 60,
                   c.PlotBottom + 20, kWhite);
  DrawGrid(canvas, c);
}

void DrawMarkers(Canvas& canvas, ChartState& c, double x, const DateTime& now) {
  const long long mod60 = ModRounded(c.SweepX, 60);
  if (mod60 != 0 && ModRounded(c.SweepX, 30) == 0) DrawHalfTick(canvas, c, x);
  if (mod60 != 0) return;
  DrawDottedMarker(canvas, c, x);
  c.TimeLabel = TimeOfDayText(now);
  const double h = canvas.TextWidth(c.TimeLabel) / 2;
  canvas.FilledBox(x - h, c.PlotBottom + 10, x + h, c.PlotBottom + 20, kWhite);
  canvas.SetForeColour(kBlack);
  canvas.SetTextPosition(x - h, c.PlotBottom + 10);
  canvas.PrintText(c.TimeLabel);
}

}  // namespace

void RealTimeTick(Canvas& canvas, ChartState& c, const RangeRecord& range,
                  const std::string& graphUnit, const LiveSample& sample, const DateTime& now) {
  c.SweepX += c.StepX;
  if (c.SweepX >= c.PlotWidth) c.SweepX = 0;
  if (c.SweepX == 0) StartSweep(canvas, c);
  canvas.SetDash(DashStyle::Solid);
  if (c.ShowMainCurve) {
    const bool lux = graphUnit == "lx";
    const MapLimits limits = lux ? MapLimits{range.LuxMax, range.LuxMin, c.PlotHeight, 0}
                                 : MapLimits{range.FcMax, range.FcMin, c.PlotHeight + 5, 0};
    const double y = MapValue(ReadingValue(sample.mainText), sample.mainText, limits, c.PlotHeight);
    DrawCurvePoint(canvas, c, Curve::Main, y);
  }
  if (c.ShowCdCurve) {
    const MapLimits limits{range.CdMax, range.CdMin, c.PlotHeight + 5, -3};
    const double y = MapValue(ReadingValue(sample.cdText), sample.cdText, limits, c.PlotHeight);
    DrawCurvePoint(canvas, c, Curve::Cd, y);
  }
  c.LastX = c.PlotLeft + c.SweepX;
  DrawMarkers(canvas, c, c.LastX, now);
}

}  // namespace orvane
