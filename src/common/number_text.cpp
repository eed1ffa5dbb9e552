// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/number_text.h"

#include <charconv>
#include <cmath>

namespace orvane {

namespace {

// Up to 1e308 with all its digits, and the decimals asked for.
constexpr std::size_t kRoom = 340;

std::string Written(double value, std::chars_format format, int precision) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char text[kRoom + 64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, format, precision);
  if (error != std::errc()) return "0";
  return std::string(text, end);
}

}  // namespace

std::string FixedText(double value, int decimals) {
  return Written(value, std::chars_format::fixed, decimals < 0 ? 0 : decimals > 20 ? 20 : decimals);
}

std::string GeneralText(double value, int digits) {
  return Written(value, std::chars_format::general, digits < 1 ? 1 : digits > 17 ? 17 : digits);
}

}  // namespace orvane
