// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/range_entry.h"

#include <algorithm>
#include <cmath>

#include "common/live_reading.h"
#include "common/text_value.h"
#include "graphs/chart_math.h"

namespace orvane {

bool AcceptsKey(char key, bool allowPoint) {
  return (key >= '0' && key <= '9') || key == kBackspace ||
         (allowPoint && (key == '.' || key == ','));
}

std::string RangeMessage(const std::string& quantity) {
  return "0 <= " + quantity + " <= " + PlainDecimal(kFullScale) + ", try again!";
}

std::string CountsMessage() {
  return "Counts must be 1 or more: a sweep takes at least one sample, try again!";
}

std::string NoWidthMessage(const std::string& quantity) {
  return quantity + ": Min and Max are equal, a scale needs two different values, try again!";
}

std::string RecordsMessage(long plotRecords) {
  return "1 <= From <= To <= " + std::to_string(plotRecords) + ", try again!";
}

namespace {

// What a box holds: a comma typed as the decimal point (as a decimal-comma locale
// writes it) reads as the point.
double BoxValue(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return NumericValue(text);
}

// A pair is refused when it leaves 0..9999000 or does not rise.
bool PairRefused(double min, double max) {
  return min < 0 || max > kFullScale || min >= max;
}

// The live graph takes either order (Min above Max turns the scale upside down): only a
// value outside 0..9999000 and a scale of no width are refused.
std::optional<std::string> LivePairRefusal(double min, double max, const std::string& quantity) {
  const auto outside = [](double v) { return v < 0 || v > kFullScale; };
  if (outside(min) || outside(max)) return RangeMessage(quantity);
  if (min == max) return NoWidthMessage(quantity);
  return std::nullopt;
}

// The unit's caption and the limits of the main unit and of cd, as the boxes show them.
RangeTexts LimitTexts(const RangeRecord& r, bool lux) {
  RangeTexts t;
  t.frameCaption = lux ? "Lux" : "Fc";
  t.TxtMn = NumberText(lux ? r.LuxMin : r.FcMin);
  t.TxtMx = NumberText(lux ? r.LuxMax : r.FcMax);
  t.TxtcdMn = NumberText(r.CdMin);
  t.TxtcdMx = NumberText(r.CdMax);
  return t;
}

}  // namespace

RangeTexts LiveRangeTexts(const RangeRecord& r, const std::string& graphUnit, double plotWidth,
                          double stepX) {
  RangeTexts t = LimitTexts(r, graphUnit == "lx");
  t.TxtCounts = std::to_string(stepX > 0 ? IntDivRounded(plotWidth / stepX, 1) : 0);
  return t;
}

std::optional<std::string> ApplyLiveRange(const RangeTexts& t, const std::string& graphUnit,
                                          double plotWidth, RangeRecord& r, double& stepX) {
  const double cdMin = BoxValue(t.TxtcdMn);
  const double cdMax = BoxValue(t.TxtcdMx);
  const double mainMin = BoxValue(t.TxtMn);
  const double mainMax = BoxValue(t.TxtMx);
  const double counts = BoxValue(t.TxtCounts);
  const bool lux = graphUnit == "lx";
  if (auto refusal = LivePairRefusal(cdMin, cdMax, "cd")) return refusal;
  if (auto refusal = LivePairRefusal(mainMin, mainMax, lux ? "Lux" : "Fc")) return refusal;
  if (counts < 1) return CountsMessage();
  if (lux) {
    r.LuxMin = mainMin;
    r.LuxMax = mainMax;
    r.FcMax = std::trunc(100 * r.LuxMax / kLuxPerFootCandle) / 100;
    r.FcMin = std::trunc(100 * r.LuxMin / kLuxPerFootCandle) / 100;
  } else {
    r.FcMin = mainMin;
    r.FcMax = mainMax;
    r.LuxMax = std::trunc(100 * r.FcMax * kLuxPerFootCandle) / 100;
    r.LuxMin = std::trunc(100 * r.FcMin * kLuxPerFootCandle) / 100;
  }
  r.CdMin = cdMin;
  r.CdMax = cdMax;
  stepX = plotWidth / counts;
  return std::nullopt;
}

RangeTexts PlotRangeTexts(const PlotData& plot) {
  RangeTexts t = LimitTexts(plot.PlotRange, plot.PlotUnit == "Lux");
  t.TxtFrom = std::to_string(plot.PlotFrom);
  t.TxtTo = std::to_string(plot.PlotTo);
  return t;
}

std::optional<std::string> ApplyPlotRange(const RangeTexts& t, double plotWidth, PlotData& plot,
                                          double& stepX) {
  const bool lux = plot.PlotUnit == "Lux";
  const double mainMin = BoxValue(t.TxtMn);
  const double mainMax = BoxValue(t.TxtMx);
  const double cdMin = BoxValue(t.TxtcdMn);
  const double cdMax = BoxValue(t.TxtcdMx);
  const double from = BoxValue(t.TxtFrom);
  const double to = BoxValue(t.TxtTo);
  if (PairRefused(mainMin, mainMax)) return RangeMessage(lux ? "Lux" : "Fc");
  if (PairRefused(cdMin, cdMax)) return RangeMessage("cd");
  if (from < 1 || to < from || to > static_cast<double>(plot.PlotRecords)) {
    return RecordsMessage(plot.PlotRecords);
  }
  RangeRecord& r = plot.PlotRange;
  (lux ? r.LuxMin : r.FcMin) = mainMin;
  (lux ? r.LuxMax : r.FcMax) = mainMax;
  r.CdMin = cdMin;
  r.CdMax = cdMax;
  plot.PlotFrom = static_cast<long>(from);
  plot.PlotTo = static_cast<long>(to);
  plot.PlotCount = plot.PlotTo - plot.PlotFrom + 1;
  stepX = plotWidth / static_cast<double>(plot.PlotCount);
  return std::nullopt;
}

}  // namespace orvane
