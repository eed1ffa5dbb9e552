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
  } else if (key == "Intv") {
    p.drawEllipse(5, 5, 22, 22);
    p.drawLine(16, 16, 16, 9);
    p.drawLine(16, 16, 21, 19);
  } else if (key == "List") {
    for (int y = 8; y <= 24; y += 5) p.drawLine(6, y, 26, y);
  } else if (key == "Graph") {
    p.drawPolyline(QPolygon({{5, 5}, {5, 27}, {27, 27}}));
    p.drawPolyline(QPolygon({{7, 22}, {12, 14}, {17, 19}, {25, 8}}));
  } else if (key == "RTC") {
    p.drawRect(5, 8, 22, 19);
    p.drawLine(5, 13, 27, 13);
    p.drawLine(10, 5, 10, 10);
    p.drawLine(22, 5, 22, 10);
  } else if (key == "RecSetup") {
    p.setBrush(QColor(200, 40, 30));
    p.drawEllipse(8, 8, 16, 16);
  } else if (key == "Memory") {
    p.drawRect(8, 6, 16, 20);
    for (int y = 9; y <= 23; y += 4) p.drawLine(4, y, 8, y), p.drawLine(24, y, 28, y);
  } else if (key == "Erase") {
    p.drawLine(8, 8, 24, 24);
    p.drawLine(24, 8, 8, 24);
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
