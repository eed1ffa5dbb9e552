// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qimage_canvas.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "graphs/chart.h"
#include "graphs/plot_replay.h"
#include "gui_support/chart_window_rig.h"
#include "ui/chart_printing.h"

namespace orvane {
namespace {

using test::CountColour;
using test::Pixel;

TEST(ImageCanvas, LinesBoxesAndPensLandOnTheirPixels) {
  QImageCanvas canvas;
  canvas.Resize(100, 60);
  canvas.Line(10, 5, 90, 5, kBlack);  // pen 1 solid
  canvas.SetPenWidth(2);
  canvas.Line(10, 20, 90, 20, kBlue);
  canvas.SetPenWidth(1);
  canvas.SetDash(DashStyle::Dotted);
  canvas.Line(10, 30, 90, 30, PaletteColour(7));
  canvas.FilledBox(40, 50, 20, 40, PaletteColour(12));  // corners in any order
  const QImage& image = canvas.Image();
  // From the first point up to, not including, the last, as lines join end to end.
  EXPECT_EQ(CountColour(image, 0, 5, 99, 5, Qt::black), 80);
  EXPECT_EQ(CountColour(image, 0, 4, 99, 6, Qt::black), 80);
  EXPECT_EQ(Pixel(image, 10, 5), Qt::black);
  EXPECT_EQ(CountColour(image, 50, 18, 50, 22, QColor(0, 0, 255)), 2);
  const int dots = CountColour(image, 0, 30, 99, 30, QColor(192, 192, 192));
  EXPECT_GT(dots, 20);
  EXPECT_LT(dots, 70);  // dotted: gaps between the dots
  EXPECT_EQ(CountColour(image, 0, 35, 99, 59, QColor(255, 0, 0)), 21 * 11);  // both corners in
  // A steep thin segment: one pixel per row, joined to the next segment without a gap.
  QImageCanvas steep;
  steep.Resize(100, 60);
  steep.Line(10, 10, 13, 40, kBlack);
  steep.Line(13, 40, 13, 50, kBlack);
  steep.Line(-5, -5, 5, 5, kBlack);  // partly off the surface: clipped, no fault
  const QImage& steepImage = steep.Image();
  EXPECT_EQ(CountColour(steepImage, 6, 10, 99, 59, Qt::black), 40);
  for (int y = 10; y < 50; ++y) EXPECT_EQ(CountColour(steepImage, 0, y, 99, y, Qt::black), 1) << y;
  EXPECT_EQ(CountColour(steepImage, 0, 0, 5, 5, Qt::black), 5);
  canvas.Clear();
  EXPECT_EQ(CountColour(canvas.Image(), 0, 0, 99, 59, Qt::white), 100 * 60);
}

// Many more records than pixels: readings that creep, jump to "K" values and over range,
// so that both curves cross in the same columns.
PlotData CrowdedPlot(long n) {
  PlotData plot;
  for (long i = 0; i < n; ++i) {
    const std::string time =
        "2024/05/17 10:" + std::to_string(10 + i / 60 % 50) + ":" + std::to_string(10 + i % 50);
    plot.PlotTimes.push_back(time);
    plot.PlotMain.push_back(i % 997 == 0 ? "OL"
                            : i % 7 == 0 ? std::to_string(i % 9) + ".5K"
                                         : std::to_string(i % 9999 / 10.0));
    plot.PlotCd.push_back(std::to_string((i * 37) % 9999));
  }
  plot.PlotRecords = plot.PlotTo = n;
  plot.PlotFrom = 1;
  plot.PlotUnit = "Lux";
  plot.PlotRange.LuxMax = plot.PlotRange.CdMax = 9999;
  return plot;
}

QImage Replayed(bool mergeColumns, PlotData plot, int width) {
  QImageCanvas canvas;
  canvas.SetMergeColumns(mergeColumns);
  canvas.Resize(width, 300);
  ChartState chart = LoadedChart(ChartKind::List);
  DrawFrame(canvas, chart, ChartScale{plot.PlotRange, true});
  ReplayPlot(canvas, chart, plot, [](int) { return true; });
  return canvas.Image().copy();
}

// Vertical segments piled in a few columns, in two colours, off the surface in part,
// between boxes, text and slanted lines that must keep their place in the order.
QImage Scrambled(bool mergeColumns) {
  QImageCanvas canvas;
  canvas.SetMergeColumns(mergeColumns);
  canvas.Resize(40, 40);
  unsigned seed = 7;
  auto next = [&seed](int range) {
    return static_cast<int>((seed = seed * 1103515245 + 12345) >> 16) % range;
  };
  for (int i = 0; i < 400; ++i) {
    const int x = 3 + i / 50 * 4;
    const Colour colour = next(2) == 0 ? kBlack : kBlue;
    canvas.Line(x, next(50) - 5, x, next(50) - 5, colour);
    if (i % 61 == 0) canvas.FilledBox(x - 1, next(40), x + 1, next(40), PaletteColour(12));
    if (i % 73 == 0) canvas.Line(x, next(40), x + 9, next(40), PaletteColour(7));
    if (i % 89 == 0) canvas.PrintText("8");
  }
  return canvas.Image().copy();
}

TEST(ImageCanvas, MergedColumnsGiveTheSamePixelsAsEverySegmentDrawn) {
  const struct {
    const char* what;
    QImage merged;
    QImage plain;
  } cases[] = {
      {"20,000 records on 300 px", Replayed(true, CrowdedPlot(20000), 300),
       Replayed(false, CrowdedPlot(20000), 300)},
      {"fewer records than pixels", Replayed(true, CrowdedPlot(150), 300),
       Replayed(false, CrowdedPlot(150), 300)},
      {"piled segments between other drawing", Scrambled(true), Scrambled(false)},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(c.merged.size(), c.plain.size()) << c.what;
    long differ = 0;
    for (int y = 0; y < c.plain.height(); ++y) {
      for (int x = 0; x < c.plain.width(); ++x)
        differ += c.merged.pixel(x, y) != c.plain.pixel(x, y);
    }
    EXPECT_EQ(differ, 0) << c.what;
    EXPECT_GT(CountColour(c.plain, 0, 0, c.plain.width() - 1, c.plain.height() - 1, Qt::black), 0)
        << c.what;
  }
}

// One segment per record, as the chart drew every record before it drew columns: the
// reference the replay's envelope must match. Markers and grid in white, so only the
// curves count.
QImage PerSegment(const PlotData& plot, int width, bool main, bool cd) {
  QImageCanvas canvas;
  canvas.Resize(width, 300);
  ChartState c = LoadedChart(ChartKind::List);
  c.ShowMainCurve = main;
  c.ShowCdCurve = cd;
  c.GridColor = 15;  // white
  DrawFrame(canvas, c, ChartScale{plot.PlotRange, true});
  DrawGrid(canvas, c);
  const long n = plot.PlotTo - plot.PlotFrom + 1;
  c.StepX = c.PlotWidth / static_cast<double>(n);
  c.SweepX = -c.StepX;
  const MapLimits mainLimits{plot.PlotRange.LuxMax, plot.PlotRange.LuxMin, c.PlotHeight, 0};
  const MapLimits cdLimits{plot.PlotRange.CdMax, plot.PlotRange.CdMin, c.PlotHeight, 0};
  for (long i = plot.PlotFrom - 1; i < plot.PlotTo; ++i) {
    c.SweepX += c.StepX;
    const auto at = static_cast<std::size_t>(i);
    if (main)
      DrawCurvePoint(canvas, c, Curve::Main, MapValue(plot.PlotMain[at], mainLimits, c.PlotHeight));
    if (cd) DrawCurvePoint(canvas, c, Curve::Cd, MapValue(plot.PlotCd[at], cdLimits, c.PlotHeight));
    c.LastX = c.PlotLeft + c.SweepX;
  }
  return canvas.Image().copy();
}

QImage Envelope(const PlotData& plot, int width, bool main, bool cd) {
  QImageCanvas canvas;
  canvas.Resize(width, 300);
  ChartState c = LoadedChart(ChartKind::List);
  c.ShowMainCurve = main;
  c.ShowCdCurve = cd;
  c.GridColor = 15;  // white
  DrawFrame(canvas, c, ChartScale{plot.PlotRange, true});
  ReplayPlot(canvas, c, plot, {});
  return canvas.Image().copy();
}

// Pixels of the plot area (above the time labels) that differ: in colour, or where both
// curves are drawn, in whether they are drawn at all (which curve is on top may differ).
long Differing(const QImage& a, const QImage& b, bool inkOnly) {
  long differ = 0;
  for (int y = 0; y < 300 - 27 + 6; ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const bool inkA = a.pixel(x, y) != qRgb(255, 255, 255);
      const bool inkB = b.pixel(x, y) != qRgb(255, 255, 255);
      differ += inkOnly ? inkA != inkB : a.pixel(x, y) != b.pixel(x, y);
    }
  }
  return differ;
}

TEST(ImageCanvas, ColumnEnvelopeGivesThePixelsOfOneSegmentPerRecord) {
  PlotData stretch = CrowdedPlot(30000);
  stretch.PlotFrom = 777;
  stretch.PlotTo = 20000;
  const struct {
    const char* what;
    PlotData plot;
    int width;
  } cases[] = {
      {"30,000 records on 240 px", CrowdedPlot(30000), 240},
      {"a stretch of them", stretch, 333},
      {"fewer records than pixels", CrowdedPlot(150), 400},
      {"about one record per pixel", CrowdedPlot(310), 400},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Differing(Envelope(c.plot, c.width, true, false),
                        PerSegment(c.plot, c.width, true, false), false),
              0)
        << c.what << ", main curve";
    EXPECT_EQ(Differing(Envelope(c.plot, c.width, false, true),
                        PerSegment(c.plot, c.width, false, true), false),
              0)
        << c.what << ", cd curve";
    const QImage both = Envelope(c.plot, c.width, true, true);
    EXPECT_EQ(Differing(both, PerSegment(c.plot, c.width, true, true), true), 0) << c.what;
    EXPECT_GT(CountColour(both, 0, 0, c.width - 1, 270, Qt::black), 50) << c.what;
    EXPECT_GT(CountColour(both, 0, 0, c.width - 1, 270, QColor(0, 0, 255)), 50) << c.what;
  }
}

TEST(ImageCanvas, TextIsMeasuredAndPrintedInTheForeColourBelowItsPosition) {
  QImageCanvas canvas;
  canvas.Resize(200, 60);
  const double width = canvas.TextWidth("9999000");
  EXPECT_GT(width, canvas.TextWidth("0") * 5);
  EXPECT_GT(canvas.TextHeight("0"), 5);
  canvas.SetForeColour(kBlue);
  canvas.SetTextPosition(20, 30);
  canvas.PrintText("9999000");
  const QImage& image = canvas.Image();
  // Smoothed glyph edges blend blue into white: every inked pixel is blue, not grey.
  int inkedAbove = 0, inked = 0, notBlue = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      const QColor c = Pixel(image, x, y);
      if (c == Qt::white) continue;
      (y < 30 ? inkedAbove : inked) += 1;
      notBlue += c.blue() != 255 || x < 20 || x > 20 + width;
    }
  }
  EXPECT_EQ(inkedAbove, 0);
  EXPECT_GT(inked, 30);
  EXPECT_EQ(notBlue, 0);
}

TEST(ImageExport, PngAndPdfFilesOfTheImage) {
  QImageCanvas canvas;
  canvas.Resize(320, 200);
  canvas.Line(0, 0, 319, 199, kBlack);
  QTemporaryDir dir;
  const QString png = dir.filePath("chart.png");
  const QString pdf = dir.filePath("chart.pdf");
  ASSERT_TRUE(SaveImagePng(canvas.Image(), png));
  ASSERT_TRUE(SaveImagePdf(canvas.Image(), pdf));
  EXPECT_EQ(QImage(png).size(), QSize(320, 200));
  EXPECT_EQ(Pixel(QImage(png), 160, 100), Qt::black);
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5).startsWith("%PDF"));
  EXPECT_FALSE(SaveImagePng(canvas.Image(), dir.filePath("missing/chart.png")));
}

}  // namespace
}  // namespace orvane
