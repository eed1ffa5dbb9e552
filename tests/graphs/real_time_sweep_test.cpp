// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/real_time_sweep.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphs/range_entry.h"
#include "support/recording_canvas.h"

namespace orvane {
namespace {

using testing::DrawOp;
using testing::RecordingCanvas;

struct Sweep {
  RecordingCanvas canvas{640, 480};  // plot 450 x 380, left 180, bottom 453
  ChartState chart = LoadedChart(ChartKind::RealTime);
  RangeRecord range = FullLiveRange("lx");
  DateTime now{2024, 5, 17, 9, 5, 7, 0};

  Sweep() {
    DrawFrame(canvas, chart, ChartScale{range, true});
    canvas.Forget();
  }
  void Tick(const LiveSample& sample, const std::string& unit = "lx") {
    RealTimeTick(canvas, chart, range, unit, sample, now);
  }
  std::vector<DrawOp> Curves(Colour colour) const {
    std::vector<DrawOp> found;
    for (const DrawOp& op : canvas.OfKind(DrawOp::Kind::Line)) {
      if (op.colour == colour) found.push_back(op);
    }
    return found;
  }
};

TEST(GraphLiveRange, GraphButtonSetsTheFullRangeInTheDisplaysUnit) {
  LiveReading metric;
  LiveReading imperial;
  imperial.system = UnitSystem::Imperial;
  EXPECT_EQ(GraphUnitOf(metric), "lx");
  EXPECT_EQ(GraphUnitOf(imperial), "fc");
  const RangeRecord lx = FullLiveRange("lx");
  EXPECT_EQ(lx.LuxMax, 9999000);
  EXPECT_DOUBLE_EQ(lx.FcMax, 9999000 / 10.76);  // not truncated
  EXPECT_EQ(lx.CdMax, 9999000);
  const RangeRecord fc = FullLiveRange("fc");
  EXPECT_EQ(fc.FcMax, 9999000);
  EXPECT_DOUBLE_EQ(fc.LuxMax, 9999000 * 10.76);
  EXPECT_EQ(fc.LuxMin, 0);
}

TEST(GraphSweep, FirstTickStartsASweepWithGridAndTimeLabelButNoSegment) {
  Sweep s;
  s.Tick({"500", "500"});
  EXPECT_EQ(s.chart.SweepX, 0);
  const auto boxes = s.canvas.OfKind(DrawOp::Kind::Box);
  ASSERT_GE(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].x1, 182);  // erases the previous sweep
  EXPECT_EQ(boxes[0].x2, 180 + 450 + 60);
  EXPECT_EQ(boxes[1].y1, 463);  // erases the time labels
  EXPECT_TRUE(s.Curves(kBlack).empty());
  EXPECT_TRUE(s.Curves(kBlue).empty());
  EXPECT_EQ(s.canvas.Texts(), std::vector<std::string>{"09:05:07"});
  const auto text = s.canvas.OfKind(DrawOp::Kind::Text)[0];
  EXPECT_EQ(text.x1, 180 - 28);  // centred under the marker
  EXPECT_EQ(text.y1, 463);
}

TEST(GraphSweep, SecondTickDrawsOneSegmentPerShownCurveWhereTheRangePutsIt) {
  struct Case {
    const char* what;
    LiveSample first, second;
    std::string unit;
    bool showMain, showCd;
    int mainLines, cdLines;
    double mainY, cdY;  // screen y of the second point
  };
  const double bottom = 453, height = 380;
  const Case cases[] = {
      {"both",
       {"0", "0"},
       {"4999.5K", "1249875"},
       "lx",
       true,
       true,
       1,
       1,
       bottom - 190,
       bottom - 47.5},
      {"over range",
       {"0", "0"},
       {"OL", "OL"},
       "lx",
       true,
       true,
       1,
       1,
       bottom - height,
       bottom - height - 5},
      {"fc over range sits above",
       {"0", "0"},
       {"OL", "0"},
       "fc",
       true,
       true,
       1,
       1,
       bottom - height - 5,
       bottom},
      {"main hidden", {"0", "0"}, {"1", "0"}, "lx", false, true, 0, 1, 0, bottom},
      {"none shown", {"0", "0"}, {"1", "1"}, "lx", false, false, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    Sweep s;
    s.range = FullLiveRange(c.unit);
    s.chart.ShowMainCurve = c.showMain;
    s.chart.ShowCdCurve = c.showCd;
    s.Tick(c.first, c.unit);
    s.Tick(c.second, c.unit);
    const auto main = s.Curves(kBlack);
    const auto cd = s.Curves(kBlue);
    ASSERT_EQ(static_cast<int>(main.size()), c.mainLines) << c.what;
    ASSERT_EQ(static_cast<int>(cd.size()), c.cdLines) << c.what;
    if (c.mainLines) {
      EXPECT_EQ(main[0].y2, c.mainY) << c.what;
      EXPECT_EQ(main[0].x2, 181) << c.what;
    }
    if (c.cdLines) {
      EXPECT_EQ(cd[0].y2, c.cdY) << c.what;
    }
  }
}

TEST(GraphSweep, SweepWrapsAtThePlotWidthWithoutJoiningTheEnds) {
  Sweep s;
  for (int i = 0; i < 450; ++i) s.Tick({"1", "1"});
  EXPECT_EQ(s.chart.SweepX, 449);
  s.canvas.Forget();
  s.Tick({"1", "1"});
  EXPECT_EQ(s.chart.SweepX, 0);
  EXPECT_TRUE(s.Curves(kBlack).empty());
  EXPECT_FALSE(s.canvas.OfKind(DrawOp::Kind::Box).empty());
}

TEST(GraphSweep, HalfStepsPutMarkersWhereTheRoundedPositionFalls) {
  Sweep s;
  RangeTexts texts = LiveRangeTexts(s.range, "lx", s.chart.PlotWidth, s.chart.StepX);
  EXPECT_EQ(texts.TxtCounts, "450");
  texts.TxtCounts = "900";
  ASSERT_FALSE(ApplyLiveRange(texts, "lx", s.chart.PlotWidth, s.range, s.chart.StepX));
  EXPECT_EQ(s.chart.StepX, 0.5);
  DrawFrame(s.canvas, s.chart, ChartScale{s.range, true});
  std::vector<double> dotted, ticks;
  for (int i = 0; i < 250; ++i) {
    s.canvas.Forget();
    s.Tick({"1", "1"});
    for (const DrawOp& op : s.canvas.OfKind(DrawOp::Kind::Line)) {
      if (op.colour != PaletteColour(7) || op.x1 != op.x2) continue;
      (op.dash == DashStyle::Dotted ? dotted : ticks).push_back(op.x1 - 180);
    }
  }
  // 0.5 rounds to 0, 29.5 and 30.5 to 30, 59.5 and 60.5 to 60, 89.5 and 90.5 to 90.
  EXPECT_EQ(dotted, (std::vector<double>{0, 0.5, 59.5, 60, 60.5, 119.5, 120, 120.5}));
  EXPECT_EQ(ticks, (std::vector<double>{29.5, 30, 30.5, 89.5, 90, 90.5}));
}

}  // namespace
}  // namespace orvane
