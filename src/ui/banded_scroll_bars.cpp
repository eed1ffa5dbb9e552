// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/banded_scroll_bars.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOptionComplex>
#include <algorithm>

namespace orvane {

BandedScrollBars::BandedScrollBars() : QProxyStyle(QApplication::style()->name()) {}

void BandedScrollBars::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                          QPainter* painter, const QWidget* widget) const {
  const QRect r = option->rect;
  if (control != CC_ScrollBar || r.height() <= kBandRows) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  // Each band is drawn whole on an image of its own (the style sets clip rectangles of
  // its own, so a clip on the painter would not hold) and then copied, which is no fill.
  const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
  for (int y = r.top(); y <= r.bottom(); y += kBandRows) {
    const QRect band(r.left(), y, r.width(), std::min(kBandRows, r.bottom() + 1 - y));
    QImage image(band.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter bandPainter(&image);
    bandPainter.setRenderHints(painter->renderHints());
    bandPainter.setFont(painter->font());
    bandPainter.translate(-band.topLeft());
    QProxyStyle::drawComplexControl(control, option, &bandPainter, widget);
    bandPainter.end();
    painter->drawImage(band.topLeft(), image);
  }
}

}  // namespace orvane
