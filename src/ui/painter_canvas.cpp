// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/painter_canvas.h"

#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "ui/canvas_conversions.h"

namespace orvane {

namespace {

// The points of a curve kept where many fall into one column: per column the first, the
// lowest, the highest and the last, in their order along the curve.
QPolygonF ThinOut(const std::vector<QPointF>& points, double columnsPerPixel) {
  QPolygonF kept;
  std::size_t start = 0;
  while (start < points.size()) {
    const double column = std::floor(points[start].x() * columnsPerPixel);
    std::size_t end = start, low = start, high = start;
    while (end < points.size() && std::floor(points[end].x() * columnsPerPixel) == column) {
      if (points[end].y() < points[low].y()) low = end;
      if (points[end].y() > points[high].y()) high = end;
      ++end;
    }
    std::size_t picks[] = {start, std::min(low, high), std::max(low, high), end - 1};
    for (std::size_t i = 0; i < 4; ++i) {
      if (i == 0 || picks[i] != picks[i - 1]) kept << points[picks[i]];
    }
    start = end;
  }
  return kept;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, int width, int height, const QFont& font,
                             double columnsPerPixel)
    : painter_(painter),
      width_(std::max(1, width)),
      height_(std::max(1, height)),
      font_(font),
      metrics_(font),
      columns_(columnsPerPixel) {
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setFont(font_);
}

PainterCanvas::~PainterCanvas() {
  Finish();
}

void PainterCanvas::Finish() {
  for (Pending& curve : curves_) DrawPending(curve);
  curves_.clear();
}

void PainterCanvas::SetPen(Colour colour, double width, DashStyle dash) {
  painter_.setPen(QPen(ToQColor(colour), width,
                       dash == DashStyle::Dotted ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap,
                       Qt::MiterJoin));
  painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::DrawPending(Pending& curve) {
  if (curve.points.size() < 2) {
    curve.points.clear();
    return;
  }
  SetPen(curve.colour, 1, DashStyle::Solid);
  painter_.drawPolyline(ThinOut(curve.points, columns_));
  curve.points.clear();
}

void PainterCanvas::Clear() {
  curves_.clear();
  painter_.fillRect(QRectF(0, 0, width_, height_), Qt::white);
}

void PainterCanvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
  if (penWidth_ > 1 || dash_ != DashStyle::Solid) {
    Finish();
    SetPen(colour, penWidth_, dash_);
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    return;
  }
  // A thin solid line goes on with the curve of its colour when it starts where that
  // curve ends; otherwise that curve is drawn and a new one begins.
  auto curve = std::find_if(curves_.begin(), curves_.end(),
                            [colour](const Pending& p) { return p.colour == colour; });
  if (curve == curves_.end()) curve = curves_.insert(curves_.end(), Pending{colour, {}});
  if (!curve->points.empty() && curve->points.back() != QPointF(x1, y1)) DrawPending(*curve);
  if (curve->points.empty()) curve->points.emplace_back(x1, y1);
  curve->points.emplace_back(x2, y2);
}

void PainterCanvas::FilledBox(double x1, double y1, double x2, double y2, Colour colour) {
  Finish();
  // Both corners belong to the box, as on the screen.
  painter_.fillRect(QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)),
                           QPointF(std::max(x1, x2) + 1, std::max(y1, y2) + 1)),
                    ToQColor(colour));
}

double PainterCanvas::TextWidth(std::string_view text) const {
  return metrics_.horizontalAdvance(ToQString(text));
}

double PainterCanvas::TextHeight(std::string_view) const {
  return metrics_.height();
}

void PainterCanvas::PrintText(std::string_view text) {
  Finish();
  painter_.setPen(ToQColor(fore_));
  painter_.drawText(QPointF(textX_, textY_ + metrics_.ascent()), ToQString(text));
}

}  // namespace orvane
