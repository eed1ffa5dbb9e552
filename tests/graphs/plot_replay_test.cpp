// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/plot_replay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "support/plot_records.h"
#include "support/recording_canvas.h"

namespace orvane {
namespace {

using testing::DrawOp;
using testing::RecordingCanvas;

PlotData Records(int n, const std::string& main = "100", const std::string& cd = "50") {
  return test::PlotRecords(
      n, [&](int) { return main; }, cd, 10);
}

struct Replay {
  RecordingCanvas canvas{640, 480};  // plot 540 x 380, left 90, bottom 453
  ChartState chart = LoadedChart(ChartKind::List);
  std::vector<int> progress;

  explicit Replay(PlotData& plot) {
    DrawFrame(canvas, chart, ChartScale{plot.PlotRange, plot.PlotUnit == "Lux"});
    canvas.Forget();
  }
  bool Run(PlotData& plot) {
    return ReplayPlot(canvas, chart, plot, [this](int p) {
      progress.push_back(p);
      return true;
    });
  }
  // Record number (1-based in the stretch) of each x where a marker of the kind was drawn.
  std::vector<long> RecordsWith(bool dotted, double stepX) const {
    std::vector<long> found;
    for (const DrawOp& op : canvas.OfKind(DrawOp::Kind::Line)) {
      if (op.colour != PaletteColour(7) || op.x1 != op.x2) continue;
      if ((op.dash == DashStyle::Dotted) == dotted) {
        found.push_back(std::lround((op.x1 - 90) / stepX) + 1);
      }
    }
    return found;
  }
  // Record number of each time label, read from its "10:mm:ss" text.
  std::vector<long> LabelRecords() const {
    std::vector<long> found;
    for (const DrawOp& op : canvas.OfKind(DrawOp::Kind::Text)) {
      found.push_back(std::stol(op.text.substr(3, 2)) * 60 + std::stol(op.text.substr(6, 2)));
    }
    return found;
  }
};

TEST(PlotReplay, MarkersFallOnFifthsAndTenthsOfTheRecords) {
  struct Case {
    int n;
    std::vector<long> labels, lines, ticks;
  };
  const Case cases[] = {
      {100, {1, 20, 40, 60, 80, 100}, {20, 40, 60, 80, 100}, {10, 30, 50, 70, 90}},
      {7, {1, 2, 4, 5, 7}, {2, 4, 5, 7}, {3, 6}},
      {1, {1}, {}, {}},  // From = To: one label, no line
  };
  for (const Case& c : cases) {
    PlotData plot = Records(c.n);
    Replay r(plot);
    ASSERT_TRUE(r.Run(plot));
    const double step = 540.0 / c.n;
    EXPECT_EQ(r.chart.StepX, step);
    EXPECT_EQ(r.LabelRecords(), c.labels) << c.n;
    EXPECT_EQ(r.RecordsWith(true, step), c.lines) << c.n;
    EXPECT_EQ(r.RecordsWith(false, step), c.ticks) << c.n;
  }
}

TEST(PlotReplay, TimeLabelsShowTheLastEightCharactersBelowTheAxis) {
  PlotData plot = Records(7);
  Replay r(plot);
  r.Run(plot);
  const auto texts = r.canvas.OfKind(DrawOp::Kind::Text);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0].text, "10:00:01");
  EXPECT_EQ(texts[4].text, "10:00:07");
  EXPECT_EQ(texts[0].x1, 70);
  EXPECT_EQ(texts[0].y1, 463);
  EXPECT_EQ(texts[0].colour, kBlack);
  EXPECT_NEAR(texts[3].x1, 90 + 4 * 540.0 / 7 - 20, 1e-9);  // the samples add up StepX
  EXPECT_NEAR(texts[4].x1, 90 + 6 * 540.0 / 7 - 20, 1e-9);

  // With 100 records the last one sits at 624.6: its label is kept inside the window.
  PlotData hundred = Records(100);
  Replay r100(hundred);
  r100.Run(hundred);
  const auto labels = r100.canvas.OfKind(DrawOp::Kind::Text);
  ASSERT_EQ(labels.size(), 6u);
  EXPECT_NEAR(labels[4].x1, 90 + 79 * 5.4 - 20, 1e-9);
  EXPECT_EQ(labels[5].x1, 640 - 7 * 8 - 1);
}

// The time labels carry the month and day when the records shown fall on more than one date.
TEST(PlotReplay, TimeLabelsCarryTheDateWhenTheStretchSpansDates) {
  PlotData plot = Records(7);
  plot.PlotTimes = {"2024/05/17 23:59:58", "2024/05/17 23:59:59", "2024/05/18 00:00:00",
                    "2024/05/18 00:00:01", "2024/05/18 00:00:02", "2024/05/18 00:00:03",
                    "2024/05/18 00:00:04"};
  struct Case {
    long from, to;
    std::vector<std::string> labels;
  };
  const Case cases[] = {
      {1,
       7,
       {"05/17 23:59:58", "05/17 23:59:59", "05/18 00:00:01", "05/18 00:00:02", "05/18 00:00:04"}},
      {3, 7, {"00:00:00", "00:00:01", "00:00:02", "00:00:03", "00:00:04"}},
  };
  for (const Case& c : cases) {
    plot.PlotFrom = c.from;
    plot.PlotTo = c.to;
    Replay r(plot);
    r.Run(plot);
    std::vector<std::string> labels;
    for (const DrawOp& op : r.canvas.OfKind(DrawOp::Kind::Text)) {
      labels.push_back(op.text);
      EXPECT_GE(op.x1, 0) << op.text;
      EXPECT_LE(op.x1 + 7.0 * op.text.size(), 640) << op.text;  // inside the window
    }
    EXPECT_EQ(labels, c.labels) << c.from;
  }
}

TEST(PlotReplay, CurvesJoinOneRecordToTheNextAtTheirMappedHeights) {
  PlotData plot = Records(4);
  plot.PlotMain = {"250", "1.25K", "OL", "0.5K"};  // 1.25K is 1250: above 1000
  plot.PlotCd = {"0", "500", "    9", "1000"};
  Replay r(plot);
  r.Run(plot);
  std::vector<double> mainY, cdY;
  for (const DrawOp& op : r.canvas.OfKind(DrawOp::Kind::Line)) {
    if (op.colour == kBlack) mainY.push_back(op.y2);
    if (op.colour == kBlue) cdY.push_back(op.y2);
  }
  EXPECT_EQ(mainY, (std::vector<double>{453 - 380, 453 - 380, 453 - 190}));
  EXPECT_EQ(cdY, (std::vector<double>{453 - 190, 453 - 3.42, 453 - 380}));
}

TEST(PlotReplay, ProgressRunsFromOneToHundredPercentOncePerChange) {
  struct Case {
    int n;
    std::size_t calls;
    int first;
  };
  for (const Case& c : {Case{100, 100, 1}, Case{7, 7, 14}, Case{1000, 101, 0}}) {
    PlotData plot = Records(c.n);
    Replay r(plot);
    r.Run(plot);
    ASSERT_EQ(r.progress.size(), c.calls) << c.n;
    EXPECT_EQ(r.progress.front(), c.first) << c.n;
    EXPECT_EQ(r.progress.back(), 100) << c.n;
  }
}

TEST(PlotReplay, StretchesThatDoNotExistDrawOnlyTheGrid) {
  struct Case {
    const char* what;
    int records;
    long from, to;
  };
  const Case cases[] = {
      {"no records", 0, 1, 0},
      {"from below 1", 5, 0, 5},
      {"to past the end", 5, 1, 6},
      {"to before from", 5, 4, 3},
  };
  for (const Case& c : cases) {
    PlotData plot = Records(c.records);
    plot.PlotFrom = c.from;
    plot.PlotTo = c.to;
    Replay r(plot);
    EXPECT_TRUE(r.Run(plot)) << c.what;
    EXPECT_EQ(r.canvas.OfKind(DrawOp::Kind::Line).size(), 9u) << c.what;  // the grid
    EXPECT_TRUE(r.canvas.Texts().empty()) << c.what;
    EXPECT_TRUE(r.progress.empty()) << c.what;
  }
}

TEST(PlotReplay, StopsWhenProgressSaysSo) {
  PlotData plot = Records(1000);
  Replay r(plot);
  int calls = 0;
  EXPECT_FALSE(ReplayPlot(r.canvas, r.chart, plot, [&](int) { return ++calls < 3; }));
  EXPECT_EQ(calls, 3);
  EXPECT_LT(r.chart.SweepX, 540 * 0.03);
}

}  // namespace
}  // namespace orvane
