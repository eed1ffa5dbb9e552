// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/auto_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orvane {
namespace {

TEST(AutoScale, FitsRoundLimitsWithAMarginAroundTheReadings) {
  struct Case {
    double min, max;
    double lo, hi, step;
  };
  const Case cases[] = {
      {510, 530, 508, 540, 4},                    // a steady reading fills most of the height
      {520, 520, 490, 570, 10},                   // all equal: a margin of a twentieth of it
      {0, 100, 0, 160, 20},                       // never below 0
      {0, 9999000, 0, 16000000, 2000000},         // the whole range
      {12.34, 12.9, 12.3, 13.1, 0.1},             // decimals
      {0, 0, 0, 0.08, 0.01},                      // no light: the smallest step
      {0.01, 0.02, 0, 0.08, 0.01},                // never finer than the labels' two decimals
      {1000, 1, 0, 1600, 200},                    // either order
      {-40, 40, -60, 100, 20},                    // below 0 only where readings are
      {9998000, 9999000, 9997800, 9999400, 200},  // a narrow band high up
      {510, 545, 508, 548, 5},                    // not on a multiple of 5: on a whole unit
      {503, 520, 502, 522, 2.5},                  // the step's half unit where that fits
  };
  for (const Case& c : cases) {
    const ScaleFit fit = FitScale(c.min, c.max);
    EXPECT_DOUBLE_EQ(fit.lo, c.lo) << c.min << ".." << c.max;
    EXPECT_DOUBLE_EQ(fit.hi, c.hi) << c.min << ".." << c.max;
    EXPECT_DOUBLE_EQ(fit.step, c.step) << c.min << ".." << c.max;
  }
}

TEST(AutoScale, EveryLimitIsAWholeNumberOfRoundStepsAndHoldsTheReadings) {
  const double lows[] = {0, 0.03, 1, 7.7, 99, 433, 520, 5000, 123456};
  const double spans[] = {0, 0.5, 3, 17, 250, 9000, 1e6};
  for (double min : lows) {
    for (double span : spans) {
      const ScaleFit fit = FitScale(min, min + span);
      EXPECT_LE(fit.lo, min);
      EXPECT_GE(fit.hi, min + span);
      EXPECT_GE(fit.lo, 0);
      EXPECT_NEAR(fit.hi - fit.lo, 8 * fit.step, 1e-9 * fit.hi);
      // the low limit a whole number of steps, or of the step's round unit (half of 10,
      // a fifth of 2.5 or 5, ...): every label a round number
      const double unit = std::pow(10.0, std::floor(std::log10(fit.step) + 1e-9)) / 2;
      const double units = fit.lo / std::max(unit, 0.01);
      EXPECT_NEAR(units, std::round(units), 1e-6) << min << "+" << span;
      // the readings take more than a third of the height: the curve is readable
      if (span > 0) {
        EXPECT_GT(span / (fit.hi - fit.lo), 0.33) << min << "+" << span;
      }
    }
  }
  const ScaleFit nan = FitScale(std::numeric_limits<double>::quiet_NaN(), 1);
  EXPECT_EQ(nan.hi, 8);
  const ScaleFit quarters = FitScale(5, 5, 4);  // another number of divisions
  EXPECT_DOUBLE_EQ(quarters.lo, 4.6);
  EXPECT_DOUBLE_EQ(quarters.hi, 5.4);
  EXPECT_DOUBLE_EQ(quarters.step, 0.2);
}

}  // namespace
}  // namespace orvane
