// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numeric value of a text, as every typed value and stored reading is read: leading
// blanks are skipped, reading stops at the first character that cannot continue a
// number, and a text with no number gives 0.

#include <string_view>

namespace orvane {

// A number read from the start of a text.
struct TextNumber {
  double value = 0;
  // Digits after the decimal point as written, when the value is exactly those digits
  // (up to 15 in all, no exponent); -1 otherwise.
  int decimals = 0;
};

TextNumber ReadTextNumber(std::string_view text);

inline double NumericValue(std::string_view text) {
  return ReadTextNumber(text).value;
}

}  // namespace orvane
