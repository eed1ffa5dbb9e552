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
      const double steps = std::floor(low / Scaled(mantissa, exponent));
      const double hi = Scaled((steps + divisions) * mantissa, exponent);
      if (hi >= high) return {Scaled(steps * mantissa, exponent), hi, Scaled(mantissa, exponent)};
    }
  }
}

}  // namespace orvane
