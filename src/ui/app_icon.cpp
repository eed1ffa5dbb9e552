// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app_icon.h"

#include <QPainter>
#include <QPixmap>

#include "ui/lcd_glyphs.h"

namespace orvane {

namespace {

QPixmap DrawnIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x3b, 0x41, 0x48));  // the meter's body
  p.drawRoundedRect(QRectF(4, 2, 56, 60), 10, 10);
  p.setBrush(kLcdFaceColor);
  p.drawRoundedRect(QRectF(10, 9, 44, 26), 4, 4);
  QFont font = SegmentFont("8.8");
  font.setPixelSize(18);
  p.setFont(font);
  p.setPen(kLcdSegmentColor);
  p.drawText(QRectF(10, 9, 44, 26), Qt::AlignCenter, "8.8");
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x7a, 0x83, 0x8c));  // three keys
  for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(10 + i * 16, 43, 12, 10), 3, 3);
  return pixmap;
}

}  // namespace

QIcon AppIcon() {
  QIcon drawn;
  for (int size : {16, 32, 48, 64, 128}) drawn.addPixmap(DrawnIcon(size));
  return QIcon::fromTheme(QStringLiteral("orvane"), drawn);
}

}  // namespace orvane
