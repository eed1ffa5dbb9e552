// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's raster painter hands every fill taller than 96 pixel rows to the global thread
// pool in slices and waits for them: a scroll bar of a tall list, repainted each second
// as a row arrives, woke each pooled thread several times a second. This style draws a
// scroll bar in bands of fewer rows, so that its fills stay on the painting thread; the
// pixels are the same. Everything else is the wrapped style's.

#include <QProxyStyle>

namespace orvane {

class BandedScrollBars final : public QProxyStyle {
 public:
  // Wraps the application's current style.
  BandedScrollBars();
  static constexpr int kBandRows = 80;

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget = nullptr) const override;
};

}  // namespace orvane
