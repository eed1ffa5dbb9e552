// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/range_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "graphs/chart_math.h"
#include "graphs/real_time_sweep.h"

namespace orvane {
namespace {

// A comma is taken for the decimal point, as a decimal-comma locale writes it.
TEST(GraphRangeKeys, BoxesLetThroughOnlyDigitsPointAndBackspace) {
  struct Case {
    char key;
    bool decimalBox, countBox;
  };
  const Case cases[] = {
      {'0', true, true},   {'9', true, true},    {'.', true, false},  {kBackspace, true, true},
      {'-', false, false}, {'e', false, false},  {' ', false, false}, {',', true, false},
      {'+', false, false}, {'\r', false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AcceptsKey(c.key, true), c.decimalBox) << int(c.key);
    EXPECT_EQ(AcceptsKey(c.key, false), c.countBox) << int(c.key);
  }
}

TEST(GraphRangeDialog, OkConvertsTheOtherUnitTruncatedToTwoDecimals) {
  struct Case {
    std::string unit, min, max;
    double luxMin, luxMax, fcMin, fcMax;
  };
  const Case cases[] = {
      {"lx", "0", "100", 0, 100, 0, 9.29},
      {"lx", "0", "1000", 0, 1000, 0, 92.93},
      {"lx", "10", "9999000", 10, 9999000, 0.92, 929275.09},
      {"fc", "1", "9.29", 10.76, 99.96, 1, 9.29},
  };
  for (const Case& c : cases) {
    RangeRecord r = FullLiveRange(c.unit);
    double stepX = 1;
    RangeTexts t = LiveRangeTexts(r, c.unit, 450, stepX);
    t.TxtMn = c.min;
    t.TxtMx = c.max;
    t.TxtcdMn = "5";
    t.TxtcdMx = "500";
    ASSERT_EQ(ApplyLiveRange(t, c.unit, 450, r, stepX), std::nullopt) << c.max;
    EXPECT_DOUBLE_EQ(r.LuxMin, c.luxMin) << c.max;
    EXPECT_DOUBLE_EQ(r.LuxMax, c.luxMax) << c.max;
    EXPECT_DOUBLE_EQ(r.FcMin, c.fcMin) << c.max;
    EXPECT_DOUBLE_EQ(r.FcMax, c.fcMax) << c.max;
    EXPECT_EQ(r.CdMin, 5);
    EXPECT_EQ(r.CdMax, 500);
  }
}

TEST(GraphRangeDialog, RefusesBadRangesWithItsMessageAndChangesNothing) {
  const std::string kNoWidth =
      ": Min and Max are equal, a scale needs two different values, "
      "try again!";
  const std::string kCounts =
      "Counts must be 1 or more: a sweep takes at least one sample, try again!";
  struct Case {
    std::string unit, min, max, cdMin, cdMax, counts, message;
  };
  const Case cases[] = {
      {"lx", "0", "9999001", "0", "10", "450", "0 <= Lux <= 9999000, try again!"},
      {"fc", "0", "9999001", "0", "10", "450", "0 <= Fc <= 9999000, try again!"},
      {"lx", "0", "10", "0", "9999001", "450", "0 <= cd <= 9999000, try again!"},
      {"lx", "9999001", "0", "0", "10", "450", "0 <= Lux <= 9999000, try again!"},
      {"lx", "50", "50", "0", "10", "450", "Lux" + kNoWidth},
      {"fc", "3", "3", "0", "10", "450", "Fc" + kNoWidth},
      {"lx", "0", "10", "7", "7", "450", "cd" + kNoWidth},
      {"lx", "", "", "0", "10", "450", "Lux" + kNoWidth},
      {"lx", "0", "10", "0", "10", "0", kCounts},
      {"lx", "0", "10", "0", "10", "", kCounts},
  };
  for (const Case& c : cases) {
    const RangeRecord before = FullLiveRange(c.unit);
    RangeRecord r = before;
    double stepX = 1;
    const RangeTexts t{"", c.min, c.max, c.cdMin, c.cdMax, c.counts, "", ""};
    EXPECT_EQ(ApplyLiveRange(t, c.unit, 450, r, stepX), c.message) << c.max << " " << c.counts;
    EXPECT_EQ(r.LuxMax, before.LuxMax);
    EXPECT_EQ(r.CdMax, before.CdMax);
    EXPECT_EQ(stepX, 1);
  }
  RangeRecord r = FullLiveRange("lx");
  double stepX = 1;
  const RangeTexts full{"", "0", "9999000", "0", "9999000", "300", "", ""};
  EXPECT_EQ(ApplyLiveRange(full, "lx", 450, r, stepX), std::nullopt);
  EXPECT_EQ(stepX, 1.5);
  // Min above Max is taken as it stands: an upside-down scale.
  const RangeTexts inverted{"", "1000", "0", "500", "100", "450", "", ""};
  EXPECT_EQ(ApplyLiveRange(inverted, "lx", 450, r, stepX), std::nullopt);
  EXPECT_EQ(r.LuxMin, 1000);
  EXPECT_EQ(r.LuxMax, 0);
  EXPECT_EQ(r.CdMin, 500);
  EXPECT_EQ(r.CdMax, 100);
  const MapLimits upsideDown{r.CdMax, r.CdMin, 100, 0};
  EXPECT_EQ(MapValue(500, "500", upsideDown, 80), 0);   // Min at the bottom
  EXPECT_EQ(MapValue(100, "100", upsideDown, 80), 80);  // Max at the top
  EXPECT_EQ(MapValue(200, "200", upsideDown, 80), 60);  // in between, turned over
  EXPECT_EQ(MapValue(50, "50", upsideDown, 80), 100);   // beyond the top end
  EXPECT_EQ(MapValue(900, "900", upsideDown, 80), 0);   // beyond the bottom end
  EXPECT_EQ(MapValue(200, "OL", upsideDown, 80), 100);  // over range whatever its number
}

TEST(GraphRangeDialog, OpensWithTheCurrentRangeAndSamplesPerSweep) {
  const RangeRecord fc = FullLiveRange("fc");
  const RangeTexts t = LiveRangeTexts(fc, "fc", 540, 0.5);
  EXPECT_EQ(t.frameCaption, "Fc");
  EXPECT_EQ(t.TxtMx, "9999000");
  EXPECT_EQ(t.TxtcdMx, "9999000");
  EXPECT_EQ(t.TxtCounts, "1080");
  EXPECT_EQ(LiveRangeTexts(fc, "lx", 450, 0.7).TxtCounts, "643");  // 642.86 rounded
  EXPECT_EQ(LiveRangeTexts(fc, "lx", 450, 0.7).frameCaption, "Lux");
}

TEST(PlotRangeDialog, ChecksMainPairCdPairAndRecords) {
  struct Case {
    std::string unit, min, max, cdMin, cdMax, from, to;
    std::optional<std::string> message;
  };
  const Case cases[] = {
      {"Lux", "0", "10", "0", "10", "1", "50", std::nullopt},
      {"Fc", "0", "10", "0", "10", "3", "3", std::nullopt},
      {"Lux", "10", "10", "0", "10", "1", "50", "0 <= Lux <= 9999000, try again!"},
      {"Fc", "0", "9999001", "0", "10", "1", "50", "0 <= Fc <= 9999000, try again!"},
      {"Lux", "0", "10", "10", "0", "1", "50", "0 <= cd <= 9999000, try again!"},
      {"Lux", "0", "10", "0", "10", "0", "50", "1 <= From <= To <= 50, try again!"},
      {"Lux", "0", "10", "0", "10", "1", "51", "1 <= From <= To <= 50, try again!"},
      {"Lux", "0", "10", "0", "10", "9", "8", "1 <= From <= To <= 50, try again!"},
  };
  for (const Case& c : cases) {
    PlotData plot;
    plot.PlotRecords = 50;
    plot.PlotFrom = 1;
    plot.PlotTo = 50;
    plot.PlotUnit = c.unit;
    double stepX = 1;
    const RangeTexts t{"", c.min, c.max, c.cdMin, c.cdMax, "", c.from, c.to};
    EXPECT_EQ(ApplyPlotRange(t, 540, plot, stepX), c.message) << c.min << c.max << c.from;
    if (c.message) {
      EXPECT_EQ(plot.PlotFrom, 1);
      EXPECT_EQ(plot.PlotRange.CdMax, 0);
      EXPECT_EQ(stepX, 1);
      continue;
    }
    EXPECT_EQ(plot.PlotCount, std::stol(c.to) - std::stol(c.from) + 1);
    EXPECT_EQ(stepX, 540.0 / plot.PlotCount);
    const RangeRecord& r = plot.PlotRange;
    EXPECT_EQ(c.unit == "Lux" ? r.LuxMax : r.FcMax, 10);
    EXPECT_EQ(c.unit == "Lux" ? r.FcMax : r.LuxMax, 0);  // the other unit is not converted
  }
}

}  // namespace
}  // namespace orvane
