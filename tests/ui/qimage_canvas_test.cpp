#include "ui/qimage_canvas.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

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
