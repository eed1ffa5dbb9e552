// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_icons.h"

#include <QPainterPath>
#include <QPixmap>

namespace orvane {

namespace {

const QColor kInk(40, 52, 64);
const QColor kPaper(0xfb, 0xfc, 0xfd);
const QColor kBlue(0x1f, 0x6f, 0xc4);
const QColor kRed(0xd0, 0x2c, 0x20);
const QColor kAmber(0xe8, 0xb0, 0x3c);

QPen InkPen(const QColor& colour = kInk, double width = 2) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with a folded corner.
void DrawSheet(QPainter& p) {
  p.setPen(InkPen());
  p.setBrush(kPaper);
  p.drawPolygon(QPolygon({{6, 3}, {19, 3}, {26, 10}, {26, 29}, {6, 29}}));
  p.drawPolyline(QPolygon({{19, 3}, {19, 10}, {26, 10}}));
}

}  // namespace

void DrawRecordIcon(QPainter& p) {  // start a recording: a data file with a red record mark
  DrawSheet(p);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawEllipse(QPoint(16, 19), 6, 6);
}

void DrawOpenIcon(QPainter& p) {  // a data file to read: an open folder
  p.setPen(InkPen());
  p.setBrush(kAmber.darker(115));
  p.drawPolygon(QPolygon({{3, 26}, {3, 7}, {11, 7}, {14, 10}, {25, 10}, {25, 26}}));
  p.setBrush(kAmber);
  p.drawPolygon(QPolygon({{3, 26}, {8, 15}, {30, 15}, {25, 26}}));
}

void DrawSamplingIcon(QPainter& p) {  // the sampling time: a signal taken at even steps
  p.setPen(InkPen(kInk, 1.5));
  p.drawLine(3, 28, 29, 28);
  for (int x = 6; x <= 26; x += 5) p.drawLine(x, 28, x, 25);
  p.setPen(InkPen(kBlue));
  p.drawPolyline(QPolygon({{3, 17}, {8, 8}, {13, 17}, {18, 22}, {23, 14}, {29, 8}}));
  p.setBrush(kBlue);
  for (const QPoint& at : {QPoint(8, 8), QPoint(13, 17), QPoint(18, 22), QPoint(23, 14)})
    p.drawEllipse(at, 2, 2);
}

void DrawListIcon(QPainter& p) {  // the real-time list: a table with a header row
  p.setPen(InkPen());
  p.setBrush(kPaper);
  p.drawRect(4, 5, 24, 22);
  p.fillRect(5, 6, 23, 5, kBlue);
  p.setPen(InkPen(kInk, 1.5));
  for (int y = 15; y <= 23; y += 4) p.drawLine(7, y, 25, y);
  p.drawLine(14, 11, 14, 27);
}

void DrawGraphIcon(QPainter& p) {  // the real-time graph: a curve on axes
  p.setPen(InkPen());
  p.drawPolyline(QPolygon({{5, 4}, {5, 27}, {28, 27}}));
  p.setPen(InkPen(kBlue, 2.5));
  p.drawPolyline(QPolygon({{8, 21}, {13, 13}, {18, 18}, {26, 7}}));
}

void DrawClockIcon(QPainter& p) {  // the meter's clock: a clock face
  p.setPen(InkPen());
  p.setBrush(kPaper);
  p.drawEllipse(4, 4, 24, 24);
  for (int i = 0; i < 12; i += 3) {
    p.save();
    p.translate(16, 16);
    p.rotate(i * 30);
    p.drawLine(0, -10, 0, -8);
    p.restore();
  }
  p.drawLine(16, 16, 16, 9);
  p.setPen(InkPen(kRed));
  p.drawLine(16, 16, 21, 19);
}

void DrawPeriodIcon(QPainter& p) {  // the recording period: the span between two logged records
  p.setPen(InkPen());
  p.drawLine(3, 24, 29, 24);
  p.setBrush(kRed);
  p.setPen(Qt::NoPen);
  for (int x : {7, 25}) p.drawEllipse(QPoint(x, 24), 3, 3);
  p.setPen(InkPen(kBlue));
  p.drawLine(8, 13, 24, 13);
  p.drawPolyline(QPolygon({{11, 10}, {8, 13}, {11, 16}}));
  p.drawPolyline(QPolygon({{21, 10}, {24, 13}, {21, 16}}));
  p.setPen(InkPen(kInk, 1.5));
  p.drawLine(7, 8, 7, 18);
  p.drawLine(25, 8, 25, 18);
}

void DrawLoggerIcon(QPainter& p) {  // the data logger's memory: a stack of stored sets
  p.setPen(InkPen());
  for (int y : {21, 14, 7}) {
    p.setBrush(kPaper);
    p.drawRect(6, y, 20, 5);
    p.fillRect(9, y + 2, 4, 2, kBlue);
  }
}

void DrawEraseIcon(QPainter& p) {  // erasing the data logger: a waste bin
  p.setPen(InkPen());
  p.drawLine(6, 8, 26, 8);
  p.drawPolyline(QPolygon({{13, 8}, {13, 5}, {19, 5}, {19, 8}}));
  p.setBrush(kPaper);
  p.drawPolygon(QPolygon({{9, 8}, {11, 28}, {21, 28}, {23, 8}}));
  p.setPen(InkPen(kRed, 1.8));
  p.drawLine(14, 12, 14, 24);
  p.drawLine(18, 12, 18, 24);
}

void DrawStopIcon(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawRoundedRect(7, 7, 18, 18, 2, 2);
}

void DrawQuitIcon(QPainter& p) {  // leaving: a door with an arrow out
  p.setPen(InkPen());
  p.setBrush(kPaper);
  p.drawRect(5, 4, 13, 24);
  p.setPen(InkPen(kBlue, 2.5));
  p.drawLine(13, 16, 28, 16);
  p.drawPolyline(QPolygon({{23, 11}, {28, 16}, {23, 21}}));
}

void DrawAboutIcon(QPainter& p) {  // help: an "i" in a circle
  p.setPen(InkPen(kBlue));
  p.setBrush(kPaper);
  p.drawEllipse(4, 4, 24, 24);
  p.setPen(InkPen(kBlue, 3));
  p.drawLine(16, 14, 16, 23);
  p.drawPoint(16, 9);
}

QIcon CommandIcon(IconDraw draw) {
  QIcon icon;
  if (draw == nullptr) return icon;
  for (int size : {32, 64}) {  // sharp on screens with a pixel ratio of 2
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    draw(p);
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace orvane
