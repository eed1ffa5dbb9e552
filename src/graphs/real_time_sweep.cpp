// SPDX-License-Identifier: GPL-3.0-or-later
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

// The mark of an over-range reading: a short bar hanging from the top edge.
void DrawTopMark(Canvas& canvas, const ChartState& c, Colour colour) {
  const double x = c.PlotLeft + c.SweepX;
  const double top = c.PlotBottom - c.PlotHeight;
  canvas.FilledBox(x - 1, top, x + 1, top + 6, colour);
}

// One curve's point: a mark, the start of a new stretch after a mark, or a segment.
void CurvePoint(Canvas& canvas, ChartState& c, Curve which, const StoredReading& reading,
                const MapLimits& limits, OverRangeMarks* marks) {
  bool* gap = marks ? (which == Curve::Main ? &marks->mainGap : &marks->cdGap) : nullptr;
  if (marks && marks->on && reading.overRange) {
    DrawTopMark(canvas, c, which == Curve::Main ? kBlack : kBlue);
    *gap = true;
    return;
  }
  const double y = MapValue(reading, limits, c.PlotHeight);
  if (gap && *gap) {
    (which == Curve::Main ? c.LastMainY : c.LastCdY) = c.PlotBottom - y;
    *gap = false;
    return;
  }
  DrawCurvePoint(canvas, c, which, y);
}

}  // namespace

void RealTimeTick(Canvas& canvas, ChartState& c, const RangeRecord& range,
                  const std::string& graphUnit, const LiveValues& values, const DateTime& now,
                  OverRangeMarks* marks) {
  c.SweepX += c.StepX;
  if (c.SweepX >= c.PlotWidth) c.SweepX = 0;
  if (c.SweepX == 0) {
    StartSweep(canvas, c);
    if (marks) marks->mainGap = marks->cdGap = false;
  }
  canvas.SetDash(DashStyle::Solid);
  if (c.ShowMainCurve) {
    const bool lux = graphUnit == "lx";
    const MapLimits limits = lux ? MapLimits{range.LuxMax, range.LuxMin, c.PlotHeight, 0}
                                 : MapLimits{range.FcMax, range.FcMin, c.PlotHeight + 5, 0};
    CurvePoint(canvas, c, Curve::Main, values.main, limits, marks);
  }
  if (c.ShowCdCurve) {
    const MapLimits limits{range.CdMax, range.CdMin, c.PlotHeight + 5, -3};
    CurvePoint(canvas, c, Curve::Cd, values.cd, limits, marks);
  }
  c.LastX = c.PlotLeft + c.SweepX;
  DrawMarkers(canvas, c, c.LastX, now);
}

void RealTimeTick(Canvas& canvas, ChartState& c, const RangeRecord& range,
                  const std::string& graphUnit, const LiveSample& sample, const DateTime& now) {
  const LiveValues values{StoredReadingOf(sample.mainText), StoredReadingOf(sample.cdText)};
  RealTimeTick(canvas, c, range, graphUnit, values, now);
}

}  // namespace orvane
