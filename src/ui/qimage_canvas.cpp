// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qimage_canvas.h"

#include <QPen>
#include <QRect>
#include <algorithm>
#include <cmath>

#include "ui/canvas_conversions.h"

namespace orvane {

namespace {
int Pixel(double v) {
  return static_cast<int>(std::lround(v));
}
}  // namespace

QFont ChartFont() {
  QFont font("Liberation Sans");
  font.setPixelSize(11);
  return font;
}

QImageCanvas::QImageCanvas(const QFont& font) : font_(font), metrics_(font) {
  Resize(1, 1);
}

QImageCanvas::~QImageCanvas() {
  EndPainting();
}

void QImageCanvas::Resize(int width, int height, double pixelRatio) {
  EndPainting();
  width_ = std::max(1, width);
  height_ = std::max(1, height);
  const double ratio = pixelRatio > 1.0 ? pixelRatio : 1.0;
  devicePixels_ = ratio == 1.0;
  image_ = QImage(static_cast<int>(std::ceil(width_ * ratio)),
                  static_cast<int>(std::ceil(height_ * ratio)), QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio);
  image_.fill(Qt::white);
}

const QImage& QImageCanvas::Image() {
  EndPainting();
  return image_;
}

QPainter& QImageCanvas::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setFont(font_);
  }
  return *painter_;
}

void QImageCanvas::SetMergeColumns(bool on) {
  FlushColumn();
  mergeColumns_ = on;
}

void QImageCanvas::EndPainting() {
  FlushColumn();
  if (painter_) painter_->end();
  painter_.reset();
  pen_ = PenKey{};
}

void QImageCanvas::Clear() {
  EndPainting();
  image_.fill(Qt::white);
}

void QImageCanvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
  const QPoint from(Pixel(x1), Pixel(y1));
  const QPoint to(Pixel(x2), Pixel(y2));
  if (penWidth_ <= 1 && dash_ == DashStyle::Solid && devicePixels_) {
    ThinLine(from, to, colour);
    return;
  }
  FlushColumn();
  QPainter& p = Painter();
  // Changing the pen costs more than a short line: only when it differs.
  const PenKey key{colour, penWidth_, dash_};
  if (!(key == pen_)) {
    pen_ = key;
    p.setPen(CachedPen(key));
  }
  p.drawLine(from, to);
}

// A one-pixel solid line written straight into the image: from the first point up to,
// not including, the last, as the painter draws it. Curves of many thousand short
// segments go this way; a vertical one waits for the others of its column.
void QImageCanvas::ThinLine(QPoint from, QPoint to, Colour colour) {
  const QRgb rgb = qRgb(colour.r, colour.g, colour.b);
  const int w = image_.width();
  const int h = image_.height();
  if (from.x() == to.x() && mergeColumns_) {
    if (from.y() == to.y() || from.x() < 0 || from.x() >= w) return;
    if (from.x() != columnX_) FlushColumn();
    columnX_ = from.x();
    const int top = from.y() < to.y() ? from.y() : to.y() + 1;
    const int bottom = from.y() < to.y() ? to.y() - 1 : from.y();
    if (bottom >= 0 && top < h) column_.push_back({std::max(top, 0), std::min(bottom, h - 1), rgb});
    return;
  }
  FlushColumn();
  Painter();  // the painter is open, so the image is not shared and its bits stay put
  uchar* const bits = image_.bits();
  const qsizetype stride = image_.bytesPerLine();
  const int dx = std::abs(to.x() - from.x());
  const int dy = -std::abs(to.y() - from.y());
  const int sx = from.x() < to.x() ? 1 : -1;
  const int sy = from.y() < to.y() ? 1 : -1;
  int err = dx + dy;
  int x = from.x();
  int y = from.y();
  while (x != to.x() || y != to.y()) {
    if (x >= 0 && y >= 0 && x < w && y < h) reinterpret_cast<QRgb*>(bits + y * stride)[x] = rgb;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x += sx;
    if (e2 <= dx) err += dx, y += sy;
  }
}

// Latest span first: each writes only the rows no later span covers.
void QImageCanvas::FlushColumn() {
  if (column_.empty()) return;
  Painter();
  uchar* const bits = image_.bits() + columnX_ * sizeof(QRgb);
  const qsizetype stride = image_.bytesPerLine();
  covered_.clear();
  for (auto span = column_.rbegin(); span != column_.rend(); ++span) {
    int row = span->top;
    // covered_ is sorted and its stretches are apart; write the gaps within the span.
    for (const auto& [from, to] : covered_) {
      if (to < row) continue;
      if (from > span->bottom) break;
      for (; row < from; ++row) *reinterpret_cast<QRgb*>(bits + row * stride) = span->rgb;
      row = std::max(row, to + 1);
    }
    for (; row <= span->bottom; ++row) *reinterpret_cast<QRgb*>(bits + row * stride) = span->rgb;
    // Add the span to covered_, joining what it touches.
    auto first = std::lower_bound(covered_.begin(), covered_.end(), span->top - 1,
                                  [](const auto& c, int y) { return c.second < y; });
    int top = span->top;
    int bottom = span->bottom;
    auto last = first;
    while (last != covered_.end() && last->first <= bottom + 1) {
      top = std::min(top, last->first);
      bottom = std::max(bottom, last->second);
      ++last;
    }
    first = covered_.erase(first, last);
    covered_.insert(first, {top, bottom});
  }
  column_.clear();
  columnX_ = -1;
}

const QPen& QImageCanvas::CachedPen(const PenKey& key) {
  for (const auto& [cachedKey, pen] : pens_) {
    if (cachedKey == key) return pen;
  }
  if (pens_.size() >= 16) pens_.clear();
  pens_.emplace_back(
      key, QPen(ToQColor(key.colour), key.width,
                key.dash == DashStyle::Dotted ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap));
  return pens_.back().second;
}

void QImageCanvas::FilledBox(double x1, double y1, double x2, double y2, Colour colour) {
  // Both corners belong to the box.
  const QRect box(QPoint(std::min(Pixel(x1), Pixel(x2)), std::min(Pixel(y1), Pixel(y2))),
                  QPoint(std::max(Pixel(x1), Pixel(x2)), std::max(Pixel(y1), Pixel(y2))));
  FlushColumn();
  Painter().fillRect(box, ToQColor(colour));
}

double QImageCanvas::TextWidth(std::string_view text) const {
  return metrics_.horizontalAdvance(ToQString(text));
}

double QImageCanvas::TextHeight(std::string_view) const {
  return metrics_.height();
}

void QImageCanvas::PrintText(std::string_view text) {
  FlushColumn();
  QPainter& p = Painter();
  p.setPen(ToQColor(fore_));
  pen_ = PenKey{};
  p.drawText(QPointF(textX_, textY_ + metrics_.ascent()), ToQString(text));
}

}  // namespace orvane
