// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/live_history.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphs/real_time_sweep.h"
#include "support/recording_canvas.h"

namespace orvane {
namespace {

using testing::DrawOp;
using testing::RecordingCanvas;

LiveReading Reading(const char* text, UnitSystem system = UnitSystem::Metric) {
  return LiveReading{text, text, system, true};
}

// The live graph's scales while Auto is on, for sequences of readings: fitted to the
// in-range readings at round limits, the other unit converted as a typed range is; an
// over-range reading is a mark at the top edge and breaks its curve.
TEST(LiveAutoScale, SequencesOfReadingsGiveRoundScalesAndTopEdgeMarks) {
  struct Case {
    const char* what;
    std::vector<const char*> readings;
    UnitSystem system;
    const char* graphUnit;
    double mainMin, mainMax, otherMin, otherMax, cdMin, cdMax;
    int marks;       // boxes at the top edge, main and cd
    int curveLines;  // segments of both curves
  };
  const Case cases[] = {
      {"a steady reading",
       {"518", "520", "523"},
       UnitSystem::Metric,
       "lx",
       517,
       525,
       48.04,
       48.79,
       517,
       525,
       0,
       4},
      {"over range between two readings",
       {"100", "OL", "300"},
       UnitSystem::Metric,
       "lx",
       80,
       400,
       7.43,
       37.17,
       80,
       400,
       2,
       0},
      {"thousands",
       {"1.25K", "1.5K"},
       UnitSystem::Metric,
       "lx",
       1200,
       1520,
       111.52,
       141.26,
       1200,
       1520,
       0,
       2},
      {"a foot-candle display on the fc graph",
       {"10.0", "12.0"},
       UnitSystem::Imperial,
       "fc",
       9.6,
       12.8,
       103.29,
       137.72,
       9.6,
       12.8,
       0,
       2},
      {"lux readings shown in fc",
       {"107.6"},
       UnitSystem::Metric,
       "fc",
       9.4,
       11,
       101.14,
       118.36,
       9.4,
       11,
       0,
       0},
  };
  for (const Case& c : cases) {
    LiveHistory history;
    RecordingCanvas canvas(640, 480);  // plot left 180, bottom 453, height 380
    ChartState chart = LoadedChart(ChartKind::RealTime);
    RangeRecord range = FullLiveRange(c.graphUnit);
    for (const char* text : c.readings) history.Add(Reading(text, c.system), {2024, 5, 17});
    const auto fitted = FittedLiveRange(history, c.graphUnit, range);
    ASSERT_TRUE(fitted) << c.what;
    range = *fitted;
    const bool lux = std::string(c.graphUnit) == "lx";
    EXPECT_DOUBLE_EQ(lux ? range.LuxMin : range.FcMin, c.mainMin) << c.what;
    EXPECT_DOUBLE_EQ(lux ? range.LuxMax : range.FcMax, c.mainMax) << c.what;
    EXPECT_DOUBLE_EQ(lux ? range.FcMin : range.LuxMin, c.otherMin) << c.what;
    EXPECT_DOUBLE_EQ(lux ? range.FcMax : range.LuxMax, c.otherMax) << c.what;
    EXPECT_DOUBLE_EQ(range.CdMin, c.cdMin) << c.what;
    EXPECT_DOUBLE_EQ(range.CdMax, c.cdMax) << c.what;

    DrawFrame(canvas, chart, ChartScale{range, true});
    canvas.Forget();
    OverRangeMarks marks{true};
    for (std::uint64_t n = history.First(); n < history.End(); ++n) {
      RealTimeTick(canvas, chart, range, c.graphUnit,
                   ValuesIn(history.At(n), history.System(), c.graphUnit), {2024, 5, 17}, &marks);
    }
    int topMarks = 0;
    for (const DrawOp& op : canvas.OfKind(DrawOp::Kind::Box)) topMarks += op.y1 == 453 - 380;
    EXPECT_EQ(topMarks, c.marks) << c.what;
    int curveLines = 0;
    for (const DrawOp& op : canvas.OfKind(DrawOp::Kind::Line)) {
      if (op.colour != PaletteColour(7) && op.x1 != op.x2) {
        ++curveLines;
        // every point lies inside the plot: nothing is scaled to the top edge
        EXPECT_GT(op.y2, 453 - 380) << c.what;
        EXPECT_LT(op.y2, 453) << c.what;
      }
    }
    EXPECT_EQ(curveLines, c.curveLines) << c.what;
  }
}

TEST(LiveAutoScale, TheScaleFollowsTheReadingsSoFarAndOverRangeNeverMovesIt) {
  struct Step {
    const char* text;
    double min, max;  // the lux scale after it
  };
  const Step steps[] = {
      {"510", 480, 560},    // one reading: a twentieth of it either side
      {"515", 509, 517},    // two: the margin is a twentieth of their span
      {"OL", 509, 517},     // over range: a mark, the scale stays
      {"520", 508, 524},    //
      {"530", 508, 540},    //
      {"2000", 250, 2250},  // far above: widened at once
      {"1", 0, 3200},       // far below
      {"700", 0, 3200},     // inside: the scale stays
  };
  LiveHistory history;
  RangeRecord range = FullLiveRange("lx");
  for (const Step& s : steps) {
    history.Add(Reading(s.text), {});
    range = *FittedLiveRange(history, "lx", range);
    EXPECT_EQ(range.LuxMin, s.min) << s.text;
    EXPECT_EQ(range.LuxMax, s.max) << s.text;
  }
  LiveHistory overOnly;
  overOnly.Add(Reading("OL"), {});
  EXPECT_FALSE(FittedLiveRange(overOnly, "lx", FullLiveRange("lx")));
}

TEST(LiveHistoryBuffer, KeepsTheNewestDayAndClearForgetsEverything) {
  LiveHistory history(5);
  for (int i = 1; i <= 8; ++i) {
    history.Add(Reading(std::to_string(i * 10).c_str()), {2024, 5, 17, 10, 0, i, 0});
  }
  EXPECT_EQ(history.First(), 3u);
  EXPECT_EQ(history.End(), 8u);
  EXPECT_EQ(history.At(3).main.value, 40);
  EXPECT_EQ(history.Newest().main.value, 80);
  EXPECT_EQ(history.Records().PlotRecords, 5);
  EXPECT_EQ(history.Records().PlotTimes.front(), "2024/05/17 10:00:04");
  EXPECT_EQ(history.Main().min, 10);  // the scale keeps what it showed
  history.Clear();
  EXPECT_TRUE(history.Empty());
  EXPECT_FALSE(history.Main().any);
  history.Add(Reading("7"), {});
  EXPECT_EQ(history.First(), 8u);
  EXPECT_EQ(history.Newest().main.value, 7);
  EXPECT_EQ(LiveHistory().End(), 0u);
  EXPECT_GE(LiveHistory::kDay, 86400u);
}

}  // namespace
}  // namespace orvane
