// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/chart_math.h"

#include <cmath>

#include "common/live_reading.h"
#include "common/number_text.h"

namespace orvane {

long long RoundHalfEven(double x) {
  const double lower = std::floor(x);
  const double diff = x - lower;
  double r = lower;
  if (diff > 0.5) {
    r = lower + 1;
  } else if (diff == 0.5) {
    r = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
  }
  return static_cast<long long>(r);
}

long long ModRounded(double a, double b) {
  const long long d = RoundHalfEven(b);
  return d == 0 ? 0 : RoundHalfEven(a) % d;
}

long long IntDivRounded(double a, double b) {
  const long long d = RoundHalfEven(b);
  return d == 0 ? 0 : RoundHalfEven(a) / d;
}

double TruncateTwoDecimals(double x) {
  return std::trunc(100.0 * x) / 100.0;
}

namespace {
std::string StripZeros(std::string text) {
  if (text.find('.') != std::string::npos && text.find('e') == std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}
}  // namespace

std::string PlainDecimal(double value) {
  return StripZeros(FixedText(value, 2));
}

std::string NumberText(double value) {
  return StripZeros(GeneralText(value));
}

ChartGeometry ComputeGeometry(ChartKind kind, int clientWidth, int clientHeight, double labelBand) {
  ChartGeometry g;
  g.PlotLeft = kind == ChartKind::RealTime ? 180 : 90;
  if (labelBand > g.PlotLeft) g.PlotLeft = std::ceil(labelBand / 10) * 10;
  g.PlotBottom = clientHeight - 27;
  const double room = clientWidth - g.PlotLeft;
  g.PlotWidth = room - static_cast<double>(ModRounded(room, 30));
  g.PlotHeight = clientHeight - 100;
  // A window too small for a plot gets an empty one rather than an inverted one.
  if (g.PlotWidth < 0) g.PlotWidth = 0;
  if (g.PlotHeight < 0) g.PlotHeight = 0;
  return g;
}

// Min sits at the bottom and Max at the top, also when Min is the larger (an upside-down
// scale): a value beyond the top end is over range, one beyond the bottom end under.
double MapValue(double value, std::string_view text, const MapLimits& limits, double plotHeight) {
  return MapValue(StoredReading{value, IsOverRange(text), 0}, limits, plotHeight);
}

double MapValue(const StoredReading& reading, const MapLimits& limits, double plotHeight) {
  const double value = reading.value;
  const bool rising = limits.Max >= limits.Min;
  const double high = rising ? limits.Max : limits.Min;
  const double low = rising ? limits.Min : limits.Max;
  if (reading.overRange) return limits.overHeight;
  if (value > high) return rising ? limits.overHeight : limits.underHeight;
  if (value < low) return rising ? limits.underHeight : limits.overHeight;
  // A range of no width holds only its one value: it sits on the Min line.
  if (limits.Max == limits.Min) return 0;
  return plotHeight * (value - limits.Min) / (limits.Max - limits.Min);
}

}  // namespace orvane
