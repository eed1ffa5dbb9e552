#include "common/text_value.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace orvane {

namespace {
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

double NumericValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  // An exponent counts only when a digit follows it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  // from_chars reads the same digits (correctly rounded, as strtod) without a copy; it
  // takes no "+" and leaves the value alone when it is out of range.
  const char* first = text.data() + start;
  if (*first == '+') ++first;
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, text.data() + i, value);
  if (error != std::errc() || end != text.data() + i) return 0.0;
  return std::isfinite(value) ? value : 0.0;
}

}  // namespace orvane
