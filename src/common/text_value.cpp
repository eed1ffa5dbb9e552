// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_value.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace orvane {

namespace {
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// 10^0 .. 10^15: every one exact in a double.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The exponent after the digits, when a digit follows the "e": the end of the number.
std::size_t ExponentEnd(std::string_view text, std::size_t i) {
  if (i >= text.size() || (text[i] != 'e' && text[i] != 'E')) return i;
  std::size_t j = i + 1;
  if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
  if (j >= text.size() || !IsDigit(text[j])) return i;
  while (j < text.size() && IsDigit(text[j])) ++j;
  return j;
}

}  // namespace

TextNumber ReadTextNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int decimals = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits)
    mantissa = mantissa * 10 + (text[i] - '0');
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits, ++decimals) {
      mantissa = mantissa * 10 + (text[i] - '0');
    }
  }
  if (digits == 0) return {};
  const std::size_t end = ExponentEnd(text, i);
  // Up to 15 digits and no exponent: the digits and the power of ten are exact, so their
  // quotient is the correctly rounded value, the same that strtod gives.
  if (end == i && digits <= 15) {
    const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    return {negative ? -value : value, decimals};
  }
  // from_chars reads the other numbers, correctly rounded, without a copy; it takes no
  // "+" and leaves the value alone when it is out of range.
  const char* first = text.data() + start;
  if (*first == '+') ++first;
  double value = 0.0;
  const auto [stop, error] = std::from_chars(first, text.data() + end, value);
  if (error != std::errc() || stop != text.data() + end) return {0.0, -1};
  return {std::isfinite(value) ? value : 0.0, -1};
}

}  // namespace orvane
