// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "graphs/chart.h"
#include "graphs/real_time_sweep.h"
#include "support/recording_canvas.h"

namespace orvane {
namespace {

using testing::DrawOp;
using testing::RecordingCanvas;

// The label texts of one scale column, bottom to top, found by their x.
std::vector<std::string> ColumnTexts(const RecordingCanvas& canvas, double columnX) {
  std::vector<std::string> texts;
  for (const DrawOp& op : canvas.OfKind(DrawOp::Kind::Text)) {
    if (op.x1 + RecordingCanvas::kCharWidth * op.text.size() / 4 == columnX) {
      texts.push_back(op.text);
    }
  }
  return texts;
}

TEST(GraphFrame, ScaleColumnsShowNineTruncatedLabels) {
  RangeRecord full;
  full.LuxMax = 9999000;
  full.CdMax = 9999000;
  full.FcMax = 9.29;  // lux 0..100 converted
  RecordingCanvas canvas(640, 480);
  ChartState chart = LoadedChart(ChartKind::RealTime);
  DrawFrame(canvas, chart, ChartScale{full, true});

  const std::vector<std::string> fullScale{"0",       "1249875", "2499750", "3749625", "4999500",
                                           "6249375", "7499250", "8749125", "9999000"};
  EXPECT_EQ(ColumnTexts(canvas, 180 - 48), fullScale);
  EXPECT_EQ(ColumnTexts(canvas, 180 - 108), fullScale);
  EXPECT_EQ(ColumnTexts(canvas, 180 - 168),
            (std::vector<std::string>{"0", "1.16", "2.32", "3.48", "4.64", "5.8", "6.96", "8.12",
                                      "9.28"}));
  for (const char* heading : {"Lux", "cd", "Fc"}) {
    const auto texts = canvas.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), heading), 1) << heading;
  }
}

TEST(GraphFrame, LabelsSitOnTheirEighthAndColumnsKeepTheirColours) {
  RangeRecord r;
  r.FcMax = 80;
  r.CdMax = 8000;
  RecordingCanvas canvas(640, 480);
  ChartState chart = LoadedChart(ChartKind::List);
  DrawFrame(canvas, chart, ChartScale{r, false});
  int labels = 0;
  for (const DrawOp& op : canvas.OfKind(DrawOp::Kind::Text)) {
    if (op.text == "Fc" || op.text == "cd") {
      EXPECT_EQ(op.y1, chart.PlotBottom - chart.PlotHeight - 25);
      EXPECT_EQ(op.x1, op.text == "Fc" ? 60 : 10);
      continue;
    }
    const bool cd = op.colour == kBlue;
    const double value = std::stod(op.text) / (cd ? 1000 : 10);  // j of the label
    EXPECT_EQ(op.y1, chart.PlotBottom - 6.5 - chart.PlotHeight * value / 8) << op.text;
    EXPECT_EQ(op.x1 + RecordingCanvas::kCharWidth * op.text.size() / 4, cd ? 90 - 72 : 90 - 32);
    ++labels;
  }
  EXPECT_EQ(labels, 18);
}

TEST(GraphFrame, AxesAreTwoPixelsWideWithSeventeenTicks) {
  RecordingCanvas canvas(640, 480);
  ChartState chart = LoadedChart(ChartKind::RealTime);
  DrawFrame(canvas, chart, ChartScale{});
  const auto lines = canvas.OfKind(DrawOp::Kind::Line);
  ASSERT_EQ(lines.size(), 2u + 17u + 9u);
  EXPECT_EQ(lines[0].penWidth, 2);  // vertical axis
  EXPECT_EQ(lines[0].x1, 178);
  EXPECT_EQ(lines[0].y1, 458);
  EXPECT_EQ(lines[0].y2, 453 - 380 - 5);
  EXPECT_EQ(lines[1].penWidth, 2);  // horizontal axis
  EXPECT_EQ(lines[1].y1, 459);
  EXPECT_EQ(lines[1].x2, 180 + 450 + 2);
  int longTicks = 0;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].penWidth, 1);
    if (lines[i].x2 == 170) ++longTicks;
  }
  EXPECT_EQ(longTicks, 9);
  // The real-time frame restarts the sweep.
  EXPECT_EQ(chart.LastX, 0);
  EXPECT_EQ(chart.SweepX, -chart.StepX);
}

TEST(GraphGrid, HalfLineSolidThenDottedEighthsInOrder) {
  RecordingCanvas canvas(640, 480);
  ChartState chart = LoadedChart(ChartKind::List);
  DrawFrame(canvas, chart, ChartScale{});
  canvas.Forget();
  DrawGrid(canvas, chart);
  const auto lines = canvas.OfKind(DrawOp::Kind::Line);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0].dash, DashStyle::Solid);
  EXPECT_EQ(lines[0].y1, 453 - 190);
  EXPECT_EQ(lines[0].x1, 88);
  const int order[] = {1, 7, 6, 5, 8, 3, 2, 0};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(lines[i + 1].dash, DashStyle::Dotted);
    EXPECT_EQ(lines[i + 1].y1, 453 - 380.0 * order[i] / 8);
    EXPECT_EQ(lines[i + 1].x2, 90 + 540);
  }
  for (const DrawOp& line : lines) EXPECT_EQ(line.colour, (Colour{192, 192, 192}));
}

TEST(GraphCurve, FirstSampleOfASweepDrawsNoSegment) {
  RecordingCanvas canvas(640, 480);
  ChartState chart = LoadedChart(ChartKind::List);
  DrawFrame(canvas, chart, ChartScale{});
  canvas.Forget();
  chart.SweepX = 0;
  DrawCurvePoint(canvas, chart, Curve::Main, 100);
  DrawCurvePoint(canvas, chart, Curve::Cd, 50);
  chart.LastX = chart.PlotLeft + chart.SweepX;
  EXPECT_TRUE(canvas.Ops().empty());
  chart.SweepX = 3;
  DrawCurvePoint(canvas, chart, Curve::Main, 200);
  DrawCurvePoint(canvas, chart, Curve::Cd, 20);
  const auto lines = canvas.OfKind(DrawOp::Kind::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].colour, kBlack);
  EXPECT_EQ(lines[0].x1, 90);
  EXPECT_EQ(lines[0].y1, 353);
  EXPECT_EQ(lines[0].x2, 93);
  EXPECT_EQ(lines[0].y2, 253);
  EXPECT_EQ(lines[1].colour, kBlue);
  EXPECT_EQ(lines[1].y1, 403);
  EXPECT_EQ(lines[1].y2, 433);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// Long labels (a file with an over-range record: 95 .. 9999000 beside 25 .. 280.39) move
// left and the plot starts further right, so that no two labels of a row overlap and none
// leaves the window.
TEST(GraphFrame, WideLabelsNeverOverlapNorLeaveTheWindow) {
  struct Case {
    ChartKind kind;
    RangeRecord range;
  };
  RangeRecord file;
  file.LuxMin = 95, file.LuxMax = 9999000, file.CdMin = 25, file.CdMax = 280.39;
  RangeRecord live;
  live.LuxMax = 9999000.55, live.CdMax = 9999000.55, live.FcMax = 929275.09;
  for (const Case& c : {Case{ChartKind::List, file}, Case{ChartKind::RealTime, live},
                        Case{ChartKind::RealTime, FullLiveRange("lx")}}) {
    RecordingCanvas canvas(640, 480);
    ChartState chart = LoadedChart(c.kind);
    DrawFrame(canvas, chart, ChartScale{c.range, true});
    std::map<double, std::vector<std::pair<double, double>>> rows;  // y → [x, x + width]
    for (const DrawOp& op : canvas.OfKind(DrawOp::Kind::Text)) {
      if (op.x1 >= chart.PlotLeft) continue;  // time labels under the plot
      EXPECT_GE(op.x1, 2) << op.text;         // clear of the window's edge
      EXPECT_LE(op.x1 + RecordingCanvas::kCharWidth * op.text.size(), chart.PlotLeft - 10)
          << op.text;
      rows[op.y1].emplace_back(op.x1, op.x1 + RecordingCanvas::kCharWidth * op.text.size());
    }
    for (auto& [y, spans] : rows) {
      std::sort(spans.begin(), spans.end());
      for (std::size_t i = 1; i < spans.size(); ++i) {
        EXPECT_LE(spans[i - 1].second, spans[i].first) << "row at y " << y;
      }
    }
  }
}

}  // namespace
}  // namespace orvane
