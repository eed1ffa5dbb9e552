#include "ui/qimage_canvas.h"

#include <QPen>
#include <QRect>
#include <algorithm>
#include <cmath>

namespace orvane {

namespace {
QColor ToQColor(Colour c) {
  return QColor(c.r, c.g, c.b);
}
QString ToQString(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
int Pixel(double v) {
  return static_cast<int>(std::lround(v));
}
}  // namespace

QImageCanvas::QImageCanvas(const QFont& font) : font_(font), metrics_(font) {
  Resize(1, 1);
}

QImageCanvas::~QImageCanvas() {
  EndPainting();
}

void QImageCanvas::Resize(int width, int height) {
  EndPainting();
  image_ = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
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

void QImageCanvas::EndPainting() {
  if (painter_) painter_->end();
  painter_.reset();
}

void QImageCanvas::Clear() {
  EndPainting();
  image_.fill(Qt::white);
}

void QImageCanvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
  QPainter& p = Painter();
  QPen pen(ToQColor(colour), penWidth_, dash_ == DashStyle::Dotted ? Qt::DotLine : Qt::SolidLine,
           Qt::FlatCap);
  p.setPen(pen);
  p.drawLine(QPoint(Pixel(x1), Pixel(y1)), QPoint(Pixel(x2), Pixel(y2)));
}

void QImageCanvas::FilledBox(double x1, double y1, double x2, double y2, Colour colour) {
  // Both corners belong to the box.
  const QRect box(QPoint(std::min(Pixel(x1), Pixel(x2)), std::min(Pixel(y1), Pixel(y2))),
                  QPoint(std::max(Pixel(x1), Pixel(x2)), std::max(Pixel(y1), Pixel(y2))));
  Painter().fillRect(box, ToQColor(colour));
}

double QImageCanvas::TextWidth(std::string_view text) const {
  return metrics_.horizontalAdvance(ToQString(text));
}

double QImageCanvas::TextHeight(std::string_view) const {
  return metrics_.height();
}

void QImageCanvas::PrintText(std::string_view text) {
  QPainter& p = Painter();
  p.setPen(ToQColor(fore_));
  p.drawText(QPointF(textX_, textY_ + metrics_.ascent()), ToQString(text));
}

}  // namespace orvane
