// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/auto_scale.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

constexpr double kMargin = 0.05;    // of the span, each side
constexpr double kSmallest = 0.01;  // the labels show two decimals
// Round step sizes within one power of ten, in hundredths of it.
constexpr int kMantissas[] = {100, 200, 250, 400, 500};

// n / 100 * 10^e, built so that it is the double nearest to the round number.
double Scaled(double n, int exponent) {
  const int e = exponent - 2;
  return e >= 0 ? n * std::pow(10.0, e) : n / std::pow(10.0, -e);
}

}  // namespace

ScaleFit FitScale(double min, double max, int divisions) {
  divisions = std::max(divisions, 1);
  if (!std::isfinite(min) || !std::isfinite(max)) return {0, double(divisions), 1};
  if (min > max) std::swap(min, max);
  const double span = max - min;
  double pad = span * kMargin;
  if (span == 0) pad = std::max(std::fabs(max) * kMargin, kSmallest * divisions / 2);
  double low = min - pad;
  const double high = max + pad;
  if (min >= 0) low = std::max(low, 0.0);
  const int first = static_cast<int>(std::floor(std::log10((high - low) / divisions))) - 1;
  for (int exponent = std::max(first, -2);; ++exponent) {
    for (const int mantissa : kMantissas) {
      if (exponent == -2 && mantissa == 250) continue;  // 0.025 needs three decimals
      const double step = Scaled(mantissa, exponent);
      // The low limit a whole number of steps; where the readings do not fit so, a whole
      // number of the step's unit (5 for 10, 1 for 2, 4 and 5, 0.5 for 2.5), so the
      // labels stay round and the curve is not squeezed into half the height.
      const int finer = mantissa == 100 || mantissa == 250 ? 50 : 100;
      for (const int unit : {mantissa, exponent == -2 && finer == 50 ? mantissa : finer}) {
        const double units = std::floor(low / Scaled(unit, exponent)) * unit;
        const double hi = Scaled(units + divisions * mantissa, exponent);
        if (hi >= high) return {Scaled(units, exponent), hi, step};
      }
    }
  }
}

}  // namespace orvane
