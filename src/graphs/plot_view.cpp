// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/plot_view.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/live_reading.h"
#include "graphs/auto_scale.h"
#include "graphs/plot_replay.h"

namespace orvane {

namespace {

constexpr std::size_t kHistory = 100;  // views Back can return to
constexpr double kNotchFactor = 0.8;   // records shown after one notch in

struct Extent {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  void Take(const StoredReading& r) {
    if (r.overRange) return;
    low = std::min(low, r.value);
    high = std::max(high, r.value);
  }
  bool Any() const { return low <= high; }
};

// The fitted limits of a column, kept within what a scale may show.
void FitPair(const Extent& e, double& min, double& max) {
  if (!e.Any()) return;
  const ScaleFit fit = FitScale(e.low, e.high);
  min = std::max(fit.lo, 0.0);
  max = std::min(fit.hi, kFullScale);
  if (max <= min) max = std::min(min + 1, kFullScale), min = max - 1;
}

bool SameRange(const RangeRecord& a, const RangeRecord& b) {
  return a.LuxMin == b.LuxMin && a.LuxMax == b.LuxMax && a.FcMin == b.FcMin && a.FcMax == b.FcMax &&
         a.CdMin == b.CdMin && a.CdMax == b.CdMax;
}

// A reading with its decimals, locale-free.
std::string ReadingText(const StoredReading& r) {
  if (r.overRange) return "OL";
  char text[64];
  const auto [end, error] =
      r.decimals >= 0 && r.decimals <= 6
          ? std::to_chars(text, text + sizeof text, r.value, std::chars_format::fixed, r.decimals)
          : std::to_chars(text, text + sizeof text, r.value);
  return error == std::errc() ? std::string(text, end) : std::string("?");
}

}  // namespace

std::string ReadoutText(const PlotData& plot, long record) {
  const auto i = static_cast<std::size_t>(record - 1);
  if (record < 1 || i >= plot.PlotTimes.size() || i >= plot.PlotMain.size() ||
      i >= plot.PlotCd.size()) {
    return "";
  }
  return "Record " + std::to_string(record) + "   " + plot.PlotTimes[i] + "   " + plot.PlotUnit +
         " " + ReadingText(plot.PlotMain[i]) + "   cd " + ReadingText(plot.PlotCd[i]);
}

void FitPlotRange(PlotData& plot) {
  if (!PlotStretchValid(plot)) return;
  Extent main, cd;
  for (long i = plot.PlotFrom - 1; i < plot.PlotTo; ++i) {
    main.Take(plot.PlotMain[static_cast<std::size_t>(i)]);
    cd.Take(plot.PlotCd[static_cast<std::size_t>(i)]);
  }
  RangeRecord& r = plot.PlotRange;
  if (plot.PlotUnit == "Lux") {
    FitPair(main, r.LuxMin, r.LuxMax);
  } else {
    FitPair(main, r.FcMin, r.FcMax);
  }
  FitPair(cd, r.CdMin, r.CdMax);
}

long PlotView::RecordAt(const ChartState& c, double x) const {
  if (!PlotStretchValid(plot_) || c.PlotWidth <= 0) return 0;
  if (x < c.PlotLeft - 0.5 || x > c.PlotLeft + c.PlotWidth + 0.5) return 0;
  const long n = plot_.PlotTo - plot_.PlotFrom + 1;
  const double step = c.PlotWidth / static_cast<double>(n);
  const long k = std::clamp(std::lround((x - c.PlotLeft) / step), 0L, n - 1);
  return plot_.PlotFrom + k;
}

double PlotView::XOfRecord(const ChartState& c, const PlotData& plot, long record) {
  const long n = std::max(1L, plot.PlotTo - plot.PlotFrom + 1);
  return c.PlotLeft + c.PlotWidth * static_cast<double>(record - plot.PlotFrom) / n;
}

void PlotView::Push(const Shown& shown) {
  if (history_.size() == kHistory) history_.erase(history_.begin());
  history_.push_back(shown);
}

bool PlotView::Show(long from, long to) {
  const Shown before = Now();
  from = std::max(1L, from);
  to = std::min(plot_.PlotRecords, to);
  if (from > to || (from == plot_.PlotFrom && to == plot_.PlotTo)) return false;
  Push(before);
  plot_.PlotFrom = from;
  plot_.PlotTo = to;
  plot_.PlotCount = to - from + 1;
  if (fitted_) FitPlotRange(plot_);
  return true;
}

bool PlotView::Wheel(const ChartState& c, double x, int notches) {
  if (!PlotStretchValid(plot_) || notches == 0 || c.PlotWidth <= 0) return false;
  const long n = plot_.PlotTo - plot_.PlotFrom + 1;
  const long fewest = std::min(2L, plot_.PlotRecords);
  long shown = std::lround(static_cast<double>(n) * std::pow(kNotchFactor, notches));
  if (notches > 0 && shown >= n) shown = n - 1;  // a few records still zoom in
  if (notches < 0 && shown <= n) shown = n + 1;
  shown = std::clamp(shown, fewest, plot_.PlotRecords);
  const double at = std::clamp((x - c.PlotLeft) / c.PlotWidth, 0.0, 1.0);
  const double anchor = static_cast<double>(plot_.PlotFrom - 1) + at * static_cast<double>(n);
  long from = std::lround(anchor - at * static_cast<double>(shown)) + 1;
  from = std::clamp(from, 1L, plot_.PlotRecords - shown + 1);
  return Show(from, from + shown - 1);
}

bool PlotView::Select(const ChartState& c, double x1, double x2) {
  const double left = std::max(std::min(x1, x2), c.PlotLeft);
  const double right = std::min(std::max(x1, x2), c.PlotLeft + c.PlotWidth);
  const long from = RecordAt(c, left);
  const long to = RecordAt(c, right);
  if (from == 0 || to <= from) return false;
  return Show(from, to);
}

bool PlotView::Fit() {
  if (!PlotStretchValid(plot_)) return false;
  const Shown before = Now();
  FitPlotRange(plot_);
  fitted_ = true;
  if (SameRange(before.range, plot_.PlotRange) && before.fitted) return false;
  Push(before);
  return true;
}

bool PlotView::Whole() {
  return Show(1, plot_.PlotRecords);
}

bool PlotView::Back() {
  if (history_.empty()) return false;
  const Shown shown = history_.back();
  history_.pop_back();
  plot_.PlotFrom = shown.from;
  plot_.PlotTo = shown.to;
  plot_.PlotCount = shown.to - shown.from + 1;
  plot_.PlotRange = shown.range;
  fitted_ = shown.fitted;
  return true;
}

void PlotView::Remember() {
  beforeTyped_ = Now();
}

void PlotView::Typed() {
  const Shown after = Now();
  if (after.from == beforeTyped_.from && after.to == beforeTyped_.to &&
      SameRange(after.range, beforeTyped_.range)) {
    return;
  }
  Push(beforeTyped_);
  // A typed scale is taken as it is; typed records alone keep a fitted view fitted.
  if (!SameRange(after.range, beforeTyped_.range)) {
    fitted_ = false;
  } else if (fitted_) {
    FitPlotRange(plot_);
  }
}

}  // namespace orvane
