#include "panel/panel_toolbar.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orvane {

namespace {

// Small pictograms drawn by our own code.
void DrawGlyph(QPainter& p, const QString& key) {
  const QColor ink(40, 52, 64);
  p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  if (key == "Save") {
    p.drawRect(5, 5, 22, 22);
    p.fillRect(10, 5, 12, 8, ink);
    p.drawRect(9, 17, 14, 10);
  } else if (key == "Open") {
    p.drawPolyline(QPolygon({{4, 26}, {4, 8}, {12, 8}, {14, 11}, {26, 11}, {26, 26}, {4, 26}}));
  } else if (key == "Intv") {  // the sampling rate: a signal taken at even steps
    p.drawPolyline(QPolygon({{3, 18}, {8, 9}, {13, 18}, {18, 25}, {23, 16}, {29, 9}}));
    p.setBrush(ink);
    for (const QPoint& at : {QPoint(8, 9), QPoint(13, 18), QPoint(18, 25), QPoint(23, 16)})
      p.drawEllipse(at, 2, 2);
  } else if (key == "List") {
    for (int y = 8; y <= 24; y += 5) p.drawLine(6, y, 26, y);
  } else if (key == "Graph") {
    p.drawPolyline(QPolygon({{5, 5}, {5, 27}, {27, 27}}));
    p.drawPolyline(QPolygon({{7, 22}, {12, 14}, {17, 19}, {25, 8}}));
  } else if (key == "RTC") {  // the meter's clock: a clock face
    p.drawEllipse(5, 5, 22, 22);
    p.drawLine(16, 16, 16, 9);
    p.drawLine(16, 16, 21, 19);
  } else if (key == "RecSetup") {  // recording settings: REC dot beside two sliders
    p.drawLine(4, 10, 20, 10);
    p.drawLine(4, 22, 20, 22);
    p.setBrush(QColor(0xdf, 0xe3, 0xe6));
    p.drawRect(8, 7, 4, 6);
    p.drawRect(14, 19, 4, 6);
    p.setBrush(QColor(200, 40, 30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(25, 16), 5, 5);
  } else if (key == "Memory") {
    p.drawRect(8, 6, 16, 20);
    for (int y = 9; y <= 23; y += 4) p.drawLine(4, y, 8, y), p.drawLine(24, y, 28, y);
  } else if (key == "Erase") {  // a waste bin
    p.drawLine(6, 9, 26, 9);
    p.drawLine(13, 9, 13, 6);
    p.drawLine(13, 6, 19, 6);
    p.drawLine(19, 6, 19, 9);
    p.drawPolyline(QPolygon({{9, 9}, {11, 27}, {21, 27}, {23, 9}}));
    p.drawLine(14, 13, 14, 23);
    p.drawLine(18, 13, 18, 23);
  } else if (key == "Stop") {
    p.fillRect(8, 8, 16, 16, QColor(200, 40, 30));
  }
}

}  // namespace

QIcon ToolbarIcon(const QString& key) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  DrawGlyph(p, key);
  return QIcon(pixmap);
}

QToolBar* BuildPanelToolbar(QWidget& parent, std::function<void(const QString&)> onClick) {
  auto* bar = new QToolBar(&parent);
  bar->setObjectName("Toolbar1");
  bar->setIconSize(QSize(22, 22));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bar->setStyleSheet("QToolBar { background: #dfe3e6; border-bottom: 1px solid #9aa3aa; }");
  for (const ToolbarButton& b : kToolbarButtons) {
    QAction* action = bar->addAction(ToolbarIcon(b.key), b.key);
    action->setObjectName(b.key);
    action->setToolTip(b.toolTip);
    const QString key = b.key;
    QObject::connect(action, &QAction::triggered, &parent, [onClick, key] { onClick(key); });
  }
  return bar;
}

}  // namespace orvane
