// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/banded_scroll_bars.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>

namespace orvane {
namespace {

// A scroll bar drawn in bands looks exactly as the style draws it whole, at every position.
TEST(BandedScrollBars, DrawTheSamePixelsAsTheStyleItWraps) {
  BandedScrollBars banded;
  for (const int height : {60, 81, 300, 677}) {
    for (const int value : {0, 37, 100}) {
      QImage images[2];
      for (int i = 0; i < 2; ++i) {
        QScrollBar bar(Qt::Vertical);
        if (i == 1) bar.setStyle(&banded);
        bar.setRange(0, 100);
        bar.setPageStep(20);
        bar.setValue(value);
        bar.resize(16, height);
        images[i] = bar.grab().toImage();
      }
      EXPECT_TRUE(images[0] == images[1]) << height << " px at " << value;
    }
  }
}

}  // namespace
}  // namespace orvane
