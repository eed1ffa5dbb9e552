// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic of the charts: the rounding of Mod and integer division, the two-decimal
// truncation of converted limits and scale labels, the frame geometry and the mapping of
// a value to a height.

#include <string>
#include <string_view>

#include "common/plot_columns.h"

namespace orvane {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
long long RoundHalfEven(double x);
// a Mod b with both operands rounded first; the sign follows a. b rounding to 0 gives 0.
long long ModRounded(double a, double b);
// a \ b with both operands rounded first, cutting towards zero. b rounding to 0 gives 0.
long long IntDivRounded(double a, double b);
// Fix(100 * x) / 100: two decimals, cut towards zero.
double TruncateTwoDecimals(double x);
// Plain decimal text of a value with at most two decimals: no thousands separator, no
// trailing zeros ("0", "1250", "1562.5", "9.28").
std::string PlainDecimal(double value);
// A number as a text box shows it: up to 15 significant digits, no trailing zeros.
std::string NumberText(double value);

enum class ChartKind { RealTime, List };

struct ChartGeometry {
  double PlotLeft = 0;
  double PlotBottom = 0;
  double PlotWidth = 0;
  double PlotHeight = 0;
};

// The plot area of a client area: the width is a multiple of 30 pixels.
// `labelBand`: how wide the scale labels left of the axis need to be; the plot starts
// further right than designed only when they need more room.
ChartGeometry ComputeGeometry(ChartKind kind, int clientWidth, int clientHeight,
                              double labelBand = 0);

// Where a reading goes: its value, its text (an "L" means over range), the range and the
// heights used above and below it. The result is a height above the zero line.
struct MapLimits {
  double Max = 0;
  double Min = 0;
  double overHeight = 0;
  double underHeight = 0;
};
double MapValue(double value, std::string_view text, const MapLimits& limits, double plotHeight);
// The same for a stored reading, which knows whether it was over range.
double MapValue(const StoredReading& reading, const MapLimits& limits, double plotHeight);

}  // namespace orvane
