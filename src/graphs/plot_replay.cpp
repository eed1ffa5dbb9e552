// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/plot_replay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "common/live_reading.h"

namespace orvane {

MarkerPlan::MarkerPlan(long long n) {
  for (int m = 1; m <= 5; ++m) fifths_[m - 1] = IntDivRounded(static_cast<double>(m * n), 5);
  for (int m = 1; m <= 9; ++m) tenths_[m - 1] = IntDivRounded(static_cast<double>(m * n), 10);
}

long long MarkerPlan::After(long long k) const {
  long long next = std::numeric_limits<long long>::max();
  for (const long long m : fifths_) next = m > k ? std::min(next, m) : next;
  for (const long long m : tenths_) next = m > k ? std::min(next, m) : next;
  return next;
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

std::string RecordTimeLabel(const std::string& time, bool dated) {
  constexpr std::size_t kRecordTime = 19;  // "YYYY/MM/DD hh:nn:ss"
  if (dated && time.size() == kRecordTime) return time.substr(5);
  return time.size() > 8 ? time.substr(time.size() - 8) : time;
}

bool StretchSpansDates(const PlotData& plot) {
  if (!PlotStretchValid(plot)) return false;
  const std::string first = plot.PlotTimes[static_cast<std::size_t>(plot.PlotFrom - 1)];
  const std::string last = plot.PlotTimes[static_cast<std::size_t>(plot.PlotTo - 1)];
  return first.size() >= 10 && last.size() >= 10 && first.compare(0, 10, last, 0, 10) != 0;
}

namespace {

double MapRecord(const StoredReading& reading, double max, double min, double plotHeight) {
  return MapValue(reading, MapLimits{max, min, plotHeight, 0}, plotHeight);
}

void DrawRecordMarker(Canvas& canvas, const ChartState& c, RecordMarker marker, long long k,
                      double x, const std::string& label) {
  if (marker == RecordMarker::Tick) {
    DrawHalfTick(canvas, c, x);
    return;
  }
  if (k != 1) DrawDottedMarker(canvas, c, x);
  const double width = canvas.TextWidth(label);
  // A dated label is centred on its record; the last label would stick out of the window
  // by up to half its width: kept inside.
  double left = label.size() > 8 ? x - width / 2 : x - 20;
  left = std::max(0.0, std::min(left, canvas.Width() - width - 1));
  canvas.SetForeColour(kBlack);
  canvas.SetTextPosition(left, c.PlotBottom + 10);
  canvas.PrintText(label);
}

struct Point {
  double x = 0;
  double y = 0;
};

// One curve's points within one pixel column. The canvas draws a segment from its first
// pixel up to, not including, its last, so the segments from one point to the next cover
// every pixel row from the lowest point to the highest, except the last point's row when
// the last point went beyond all the others: that pixel is left to the line out of the
// column. DrawSpan draws the same rows with at most three segments.
class CurveColumn {
 public:
  bool Empty() const { return count_ == 0; }
  Point First() const { return first_; }
  Point Last() const { return last_; }

  void Add(Point p) {
    const long row = std::lround(p.y);
    if (count_++ == 0) {
      first_ = top_ = bottom_ = p;
      topRow_ = bottomRow_ = runRow_ = row;
      haveBefore_ = false;
    } else {
      if (row < topRow_) topRow_ = row, top_ = p;
      if (row > bottomRow_) bottomRow_ = row, bottom_ = p;
      if (row != runRow_) {
        beforeTop_ = haveBefore_ ? std::min(beforeTop_, runRow_) : runRow_;
        beforeBottom_ = haveBefore_ ? std::max(beforeBottom_, runRow_) : runRow_;
        haveBefore_ = true;
        runRow_ = row;
      }
    }
    last_ = p;
  }

  void DrawSpan(Canvas& canvas, Colour colour) {
    if (haveBefore_) {
      const bool beyond = runRow_ < beforeTop_ || runRow_ > beforeBottom_;
      const bool endsLow = runRow_ == bottomRow_;
      std::array<Point, 4> path{first_, top_, bottom_, last_};
      std::size_t points = 4;
      if (beyond) {  // first, the other end, the last
        path = {first_, endsLow ? top_ : bottom_, last_, last_};
        points = 3;
      } else if (endsLow) {
        path = {first_, bottom_, top_, last_};
      }
      for (std::size_t i = 1; i < points; ++i) {
        canvas.Line(path[i - 1].x, path[i - 1].y, path[i].x, path[i].y, colour);
      }
    }
    count_ = 0;
  }

 private:
  long count_ = 0;
  Point first_, last_, top_, bottom_;
  long topRow_ = 0, bottomRow_ = 0, runRow_ = 0;
  long beforeTop_ = 0, beforeBottom_ = 0;  // rows of the points before the last run
  bool haveBefore_ = false;
};

// Both curves of the replay, a pixel column at a time.
class EnvelopeDrawer {
 public:
  EnvelopeDrawer(Canvas& canvas, ChartState& chart) : canvas_(canvas), chart_(chart) {}

  // Starts a new column when x lies in another one than the points so far.
  void Column(double x) {
    const long column = std::lround(x);
    if (column != column_) Flush();
    column_ = column;
  }
  void Add(Curve which, Point p) { Of(which).column.Add(p); }

  void Flush() {
    canvas_.SetDash(DashStyle::Solid);
    canvas_.SetPenWidth(1);
    for (Curve which : {Curve::Main, Curve::Cd}) {
      State& s = Of(which);
      if (s.column.Empty()) continue;
      const Colour colour = which == Curve::Main ? kBlack : kBlue;
      const Point first = s.column.First();
      if (s.drawn) canvas_.Line(s.last.x, s.last.y, first.x, first.y, colour);
      s.column.DrawSpan(canvas_, colour);
      s.last = s.column.Last();
      s.drawn = true;
      (which == Curve::Main ? chart_.LastMainY : chart_.LastCdY) = s.last.y;
    }
  }

 private:
  struct State {
    CurveColumn column;
    Point last;          // the last point drawn
    bool drawn = false;  // a point was drawn: the next column joins it
  };
  State& Of(Curve which) { return which == Curve::Main ? main_ : cd_; }

  Canvas& canvas_;
  ChartState& chart_;
  long column_ = std::numeric_limits<long>::min();
  State main_, cd_;
};

}  // namespace

bool ReplayPlot(Canvas& canvas, ChartState& c, const PlotData& plot,
                const ReplayProgress& progress) {
  DrawGrid(canvas, c);
  if (!PlotStretchValid(plot)) return true;
  const long long n = plot.PlotTo - plot.PlotFrom + 1;
  c.StepX = c.PlotWidth / static_cast<double>(n);
  c.SweepX = -c.StepX;
  const bool lux = plot.PlotUnit == "Lux";
  const RangeRecord& r = plot.PlotRange;
  const double mainMax = lux ? r.LuxMax : r.FcMax;
  const double mainMin = lux ? r.LuxMin : r.FcMin;
  const bool dated = StretchSpansDates(plot);
  const MarkerPlan plan(n);
  long long nextMarker = 1;     // record 1 always has its label
  long long nextPercentAt = 1;  // the first record whose percentage is new
  EnvelopeDrawer curves(canvas, c);
  for (long long k = 1; k <= n; ++k) {
    const std::size_t i = static_cast<std::size_t>(plot.PlotFrom + k - 2);  // 0-based record
    c.SweepX += c.StepX;
    const double x = c.PlotLeft + c.SweepX;
    curves.Column(x);
    if (c.ShowMainCurve) {
      const double y = MapRecord(plot.PlotMain[i], mainMax, mainMin, c.PlotHeight);
      curves.Add(Curve::Main, {x, c.PlotBottom - y});
    }
    if (c.ShowCdCurve) {
      curves.Add(Curve::Cd,
                 {x, c.PlotBottom - MapRecord(plot.PlotCd[i], r.CdMax, r.CdMin, c.PlotHeight)});
    }
    c.LastX = x;
    if (k == nextMarker) {
      DrawRecordMarker(canvas, c, plan.At(k), k, x, RecordTimeLabel(plot.PlotTimes[i], dated));
      nextMarker = plan.After(k);
    }
    if (k == nextPercentAt) {
      const int percent = static_cast<int>(100 * k / n);
      nextPercentAt = ((percent + 1) * n + 99) / 100;
      if (progress && !progress(percent)) {
        curves.Flush();
        return false;
      }
    }
  }
  curves.Flush();
  return true;
}

}  // namespace orvane
