// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lcd_glyphs.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

constexpr const char* kSevenSegment = "DSEG7 Classic";
constexpr const char* kFourteenSegment = "DSEG14 Classic";
constexpr int kReferencePixels = 100;
constexpr int kGhostAlpha = 30;  // unlit segments: just visible on the glass
constexpr int kVeilAlpha = 150;
constexpr double kSegmentShareOfAscent = 0.9;

bool HasLetter(const QString& text) {
  for (QChar c : text)
    if (c.isLetter()) return true;
  return false;
}

}  // namespace

QFont SegmentFont(const QString& text) {
  QFont font(HasLetter(text) ? kFourteenSegment : kSevenSegment);
  font.setBold(true);
  font.setStyleHint(QFont::Monospace);
  return font;
}

QString AllSegments(const QString& text) {
  // "8" lights the seven segments; "~" every segment of the fourteen-segment face.
  const QChar all = HasLetter(text) ? QChar('~') : QChar('8');
  return QString(std::max<qsizetype>(1, text.size()), all);
}

LcdDigitLabel::LcdDigitLabel(const QString& caption, const QFont& design, QWidget* parent)
    : QLabel(caption, parent) {
  setFont(design);
  const QFontMetrics metrics(design);
  // The digits stand on the designed font's baseline and fill most of the height above
  // it, as the segments of a meter's LCD do.
  baseline_ = metrics.ascent();
  segmentHeight_ = static_cast<int>(metrics.ascent() * kSegmentShareOfAscent);
  setAttribute(Qt::WA_TranslucentBackground);
}

QFont LcdDigitLabel::FontFor(const QString& text, int pixelSize) const {
  QFont font = SegmentFont(text);
  font.setPixelSize(std::max(1, pixelSize));
  return font;
}

int LcdDigitLabel::DrawnPixelSize() const {
  const QString shown = text().isEmpty() ? QStringLiteral("8") : text();
  // The size at which the face's "8" is as tall as the segments should be.
  QFont reference = FontFor(shown, kReferencePixels);
  const QRectF eight = QFontMetricsF(reference).tightBoundingRect(QStringLiteral("8"));
  const double perPixel = eight.height() > 0 ? eight.height() / kReferencePixels : 0.7;
  int pixels = static_cast<int>(std::lround(segmentHeight_ / perPixel));
  const double wide = QFontMetricsF(FontFor(shown, pixels)).horizontalAdvance(AllSegments(shown));
  if (wide > width()) pixels = static_cast<int>(pixels * width() / wide);
  return pixels;
}

void LcdDigitLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QString shown = text();
  const QFont font = FontFor(shown.isEmpty() ? QStringLiteral("8") : shown, DrawnPixelSize());
  p.setFont(font);
  const QFontMetricsF metrics(font);
  // Right-aligned like a meter's digits, centred while the text fills one cell.
  const QString ghost = AllSegments(shown);
  const double x = (width() - metrics.horizontalAdvance(ghost)) / 2;
  QColor faint = palette().color(QPalette::WindowText);
  faint.setAlpha(kGhostAlpha);
  p.setPen(faint);
  p.drawText(QPointF(x, baseline_), ghost);
  if (shown.isEmpty()) return;
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(
      QPointF(x + metrics.horizontalAdvance(ghost) - metrics.horizontalAdvance(shown), baseline_),
      shown);
}

LcdVeil::LcdVeil(QWidget* parent) : QWidget(parent) {
  setObjectName("LcdVeil");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAccessibleName(kNotice);
}

void LcdVeil::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QColor veil = kLcdFaceColor;
  veil.setAlpha(kVeilAlpha);
  p.setPen(Qt::NoPen);
  p.setBrush(veil);
  p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 10, 10);
  QFont font("Liberation Sans");
  font.setBold(true);
  font.setPointSize(14);
  p.setFont(font);
  const QString notice(kNotice);
  const QRect box = QFontMetrics(font).boundingRect(notice).adjusted(-16, -8, 16, 8);
  const QRect centred(rect().center() - box.center() + QPoint(0, -height() / 8), box.size());
  p.setBrush(QColor(0xf4, 0xf6, 0xf0, 235));
  p.setPen(QPen(kLcdSegmentColor, 1.5));
  p.drawRoundedRect(centred, 6, 6);
  p.drawText(centred, Qt::AlignCenter, notice);
}

}  // namespace orvane
