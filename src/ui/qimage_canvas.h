// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing surface of the graph windows: a persistent image that the window paints on
// screen and that printing and image export reuse.

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <memory>
#include <utility>
#include <vector>

#include "graphs/canvas.h"

namespace orvane {

// The charts' text: a compact sans-serif with Arial's metrics, so that scale labels fit
// their columns.
QFont ChartFont();

class QImageCanvas final : public Canvas {
 public:
  explicit QImageCanvas(const QFont& font = ChartFont());
  ~QImageCanvas() override;

  // A new white surface of the given size in window pixels; what was drawn is lost. With
  // a pixel ratio above 1 (a scaled display) the image holds that many device pixels per
  // window pixel, so text and lines are drawn sharp instead of stretched.
  void Resize(int width, int height, double pixelRatio = 1.0);
  // The surface with everything drawn so far.
  const QImage& Image();
  // Off: every one-pixel segment is written the moment it is drawn (the plain way, for
  // comparison). On (the default): the vertical segments that follow one another in one
  // pixel column are written together, each pixel once, with the colour of the last
  // segment that covers it: the same pixels, much faster for a curve of a million records.
  void SetMergeColumns(bool on);

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
  QPainter& Painter();
  void ThinLine(QPoint from, QPoint to, Colour colour);
  void EndPainting();
  // Writes the pending vertical segments of one column.
  void FlushColumn();

  QFont font_;
  QFontMetricsF metrics_;
  QImage image_;
  int width_ = 1;
  int height_ = 1;
  bool devicePixels_ = true;  // one image pixel per window pixel: lines written directly
  std::unique_ptr<QPainter> painter_;
  struct PenKey {
    Colour colour{1, 2, 3};
    int width = -1;  // none set yet
    DashStyle dash = DashStyle::Solid;
    friend bool operator==(const PenKey&, const PenKey&) = default;
  };
  PenKey pen_;  // the painter's pen
  const QPen& CachedPen(const PenKey& key);
  std::vector<std::pair<PenKey, QPen>> pens_;  // pens made so far
  int penWidth_ = 1;
  DashStyle dash_ = DashStyle::Solid;
  struct Span {
    int top;     // first pixel row
    int bottom;  // last pixel row
    QRgb rgb;
  };
  bool mergeColumns_ = true;
  int columnX_ = -1;                          // the column of the pending spans
  std::vector<Span> column_;                  // in the order they were drawn
  std::vector<std::pair<int, int>> covered_;  // rows already written by a later span
  Colour fore_ = kBlack;
  double textX_ = 0;
  double textY_ = 0;
};

}  // namespace orvane
