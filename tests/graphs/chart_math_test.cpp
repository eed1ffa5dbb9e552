// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/chart_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane {
namespace {

TEST(GraphRounding, ModAndIntegerDivisionRoundOperandsHalfToEven) {
  struct Case {
    double a, b;
    long long mod, div;
  };
  const Case cases[] = {
      {59.5, 60, 0, 1},   // 59.5 rounds to 60
      {60.5, 60, 0, 1},   // 60.5 rounds to 60 (even)
      {61.5, 60, 2, 1},   // 61.5 rounds to 62
      {30.5, 30, 0, 1},   // 30.5 rounds to 30
      {29.5, 30, 0, 1},   // 29.5 rounds to 30
      {89.5, 60, 30, 1},  // 89.5 rounds to 90
      {7, 5, 2, 1},      {14, 5, 4, 2},
      {21, 5, 1, 4},     {-7, 5, -2, -1},  // cuts towards zero, sign of the dividend
      {2.5, 1, 0, 2},    {3.5, 1, 0, 4},
      {10, 0.4, 0, 0},  // a divisor rounding to 0 gives 0, never a fault
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ModRounded(c.a, c.b), c.mod) << c.a << " Mod " << c.b;
    EXPECT_EQ(IntDivRounded(c.a, c.b), c.div) << c.a << " \\ " << c.b;
  }
}

TEST(GraphGeometry, PlotWidthIsAMultipleOf30AndMarginsFollowTheWindow) {
  struct Case {
    ChartKind kind;
    int width, height;
    double left, bottom, plotWidth, plotHeight;
  };
  const Case cases[] = {
      {ChartKind::RealTime, 640, 480, 180, 453, 450, 380},
      {ChartKind::List, 640, 480, 90, 453, 540, 380},
      {ChartKind::List, 1370, 600, 90, 573, 1260, 500},
      {ChartKind::RealTime, 209, 300, 180, 273, 0, 200},
      {ChartKind::RealTime, 100, 60, 180, 33, 0, 0},  // too small: empty, never inverted
  };
  for (const Case& c : cases) {
    const ChartGeometry g = ComputeGeometry(c.kind, c.width, c.height);
    EXPECT_EQ(g.PlotLeft, c.left) << c.width;
    EXPECT_EQ(g.PlotBottom, c.bottom) << c.width;
    EXPECT_EQ(g.PlotWidth, c.plotWidth) << c.width;
    EXPECT_EQ(g.PlotHeight, c.plotHeight) << c.width;
  }
}

TEST(GraphLabels, TruncatedToTwoDecimalsAndPrintedWithoutTrailingZeros) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0, "0"},         {1249875, "1249875"}, {1562.5, "1562.5"},
      {9.29, "9.28"},  // 100 x 9.29 is just below 929
      {1.1612, "1.16"}, {5.8, "5.8"},         {929275.0929, "929275.09"},
      {-0.004, "0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlainDecimal(TruncateTwoDecimals(c.value)), c.text) << c.value;
  }
  EXPECT_EQ(NumberText(9999000 / 10.76), "929275.092936803");
  EXPECT_EQ(NumberText(1000), "1000");
}

TEST(MapValue, PlacesReadingsByRangeAndClampsOutOfRange) {
  const MapLimits luxLimits{1000, 0, 400, 0};
  const MapLimits cdLimits{1000, 200, 405, -3};
  struct Case {
    const char* what;
    double value;
    const char* text;
    MapLimits limits;
    double y;
  };
  const Case cases[] = {
      {"zero", 0, "0", luxLimits, 0},
      {"half", 500, "500", luxLimits, 200},
      {"Max is inside", 1000, "1000", luxLimits, 400},
      {"above Max", 1001, "1001", luxLimits, 400},
      {"over range whatever its number", 5, "OL", luxLimits, 400},
      {"cd over range", 5, "0L", cdLimits, 405},
      {"Min is inside", 200, "200", cdLimits, 0},
      {"cd under range", 199, "199", cdLimits, -3},
      {"range of no width", 7, "7", MapLimits{7, 7, 400, 0}, 0},
  };
  for (const Case& c : cases) {
    const double y = MapValue(c.value, c.text, c.limits, 400);
    EXPECT_EQ(y, c.y) << c.what;
    EXPECT_TRUE(std::isfinite(y)) << c.what;
  }
}

}  // namespace
}  // namespace orvane
