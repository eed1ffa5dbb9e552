// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The charts drawn through a QPainter on any paint device (a PDF, a printer, an SVG file,
// an image), as lines and text instead of pixels: a chart of `width` x `height` window
// pixels scaled to whatever the device's viewport is. A curve of many records is drawn
// as one path per colour; where more of its points fall into one column than the output
// can show, the column keeps its first, lowest, highest and last point, which looks the
// same and keeps a PDF of a million records small.

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointF>
#include <vector>

#include "graphs/canvas.h"

namespace orvane {

class PainterCanvas final : public Canvas {
 public:
  // Draws through `painter`, whose window is set to the chart's size; `columnsPerPixel`:
  // how many columns of a curve one window pixel holds in the output (its resolution).
  PainterCanvas(QPainter& painter, int width, int height, const QFont& font,
                double columnsPerPixel = 4);
  ~PainterCanvas() override;

  // Draws the curves still pending; done by the destructor too.
  void Finish();

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Clear() override;
  void Line(double x1, double y1, double x2, double y2, Colour colour) override;
  void FilledBox(double x1, double y1, double x2, double y2, Colour colour) override;
  void SetPenWidth(int width) override { penWidth_ = width; }
  void SetDash(DashStyle style) override { dash_ = style; }
  void SetForeColour(Colour colour) override { fore_ = colour; }
  void SetTextPosition(double x, double y) override { textX_ = x, textY_ = y; }
  double TextWidth(std::string_view text) const override;
  double TextHeight(std::string_view text) const override;
  void PrintText(std::string_view text) override;

 private:
  // One curve being drawn: thin solid segments of one colour, each starting where the
  // previous one ended.
  struct Pending {
    Colour colour;
    std::vector<QPointF> points;
  };
  void DrawPending(Pending& curve);
  void SetPen(Colour colour, double width, DashStyle dash);

  QPainter& painter_;
  int width_;
  int height_;
  QFont font_;
  QFontMetricsF metrics_;
  double columns_;
  std::vector<Pending> curves_;
  int penWidth_ = 1;
  DashStyle dash_ = DashStyle::Solid;
  Colour fore_ = kBlack;
  double textX_ = 0;
  double textY_ = 0;
};

}  // namespace orvane
