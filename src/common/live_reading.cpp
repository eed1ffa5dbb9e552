// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/live_reading.h"

#include <algorithm>
#include <cmath>

#include "common/number_text.h"
#include "common/text_value.h"

namespace orvane {

LiveReading MakeLiveReading(std::string_view readingText, bool kLit, std::string_view unitText) {
  LiveReading r;
  r.text = std::string(readingText);
  if (kLit) r.text += 'K';
  r.cdText = r.text;
  const std::optional<UnitSystem> system = UnitSystemOfDisplay(unitText);
  r.system = system.value_or(UnitSystem::Metric);
  r.known = system.has_value();
  return r;
}

ReadingTexts ReadingIn(const LiveReading& reading, UnitSystem system) {
  if (!reading.known || reading.system == system) return {reading.text, reading.cdText};
  const bool luxToFc = system == UnitSystem::Imperial;
  return {ConvertReadingText(reading.text, luxToFc), ConvertReadingText(reading.cdText, luxToFc)};
}

bool IsOverRange(std::string_view text) {
  return text.find('L') != std::string_view::npos;
}

double ReadingValue(std::string_view text) {
  const double v = NumericValue(text);
  return text.find('K') != std::string_view::npos ? v * 1000.0 : v;
}

namespace {

int SignificantDigits(std::string_view text) {
  int count = 0;
  bool leading = true;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    if (leading && c == '0') continue;
    leading = false;
    ++count;
  }
  return count;
}

std::string FormatSignificant(double value, int digits) {  // value finite
  if (value == 0.0) return "0";
  digits = std::min(digits, 15);  // a double holds no more
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int decimals = std::clamp(digits - 1 - magnitude, 0, 20);
  return FixedText(value, decimals);
}

}  // namespace

std::string ConvertReadingText(std::string_view text, bool luxToFc) {
  const int digits = SignificantDigits(text);
  if (IsOverRange(text) || digits == 0) return std::string(text);
  const double value = ReadingValue(text);
  const double converted = luxToFc ? value / kLuxPerFootCandle : value * kLuxPerFootCandle;
  if (!std::isfinite(converted)) return std::string(text);
  if (converted >= 10000.0) return FormatSignificant(converted / 1000.0, digits) + "K";
  return FormatSignificant(converted, digits);
}

}  // namespace orvane
