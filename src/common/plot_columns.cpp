// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/plot_columns.h"

#include <algorithm>

#include "common/text_value.h"

namespace orvane {

StoredReading StoredReadingOf(std::string_view text) {
  bool thousands = false;  // IsOverRange and the "K" of ReadingValue, in one look
  for (const char c : text) {
    if (c == 'L') return {0, true, 0};
    thousands = thousands || c == 'K';
  }
  const TextNumber n = ReadTextNumber(text);
  if (!thousands) return {n.value, false, n.decimals};
  // "1.25K" is 1250: the point moves three places to the right.
  return {n.value * 1000.0, false, n.decimals < 0 ? -1 : std::max(n.decimals - 3, 0)};
}

ReadingColumn::ReadingColumn(std::initializer_list<std::string_view> texts) {
  for (const std::string_view t : texts) push_back(t);
}

void ReadingColumn::push_back(const StoredReading& reading) {
  values_.push_back(reading.value);
  const int decimals = reading.decimals < 0 || reading.decimals >= kUnknownDecimals
                           ? kUnknownDecimals
                           : reading.decimals;
  marks_.push_back(static_cast<std::uint8_t>(decimals | (reading.overRange ? kOverRange : 0)));
}

void ReadingColumn::reserve(std::size_t n) {
  values_.reserve(n);
  marks_.reserve(n);
}

void ReadingColumn::clear() {
  values_.clear();
  marks_.clear();
}

StoredReading ReadingColumn::operator[](std::size_t i) const {
  const std::uint8_t mark = marks_[i];
  const int decimals = mark & kUnknownDecimals;
  return {values_[i], (mark & kOverRange) != 0, decimals == kUnknownDecimals ? -1 : decimals};
}

namespace {

constexpr std::string_view kTimeShape = "0000/00/00 00:00:00";

// The digits of a time of exactly the record time's shape; -1 for any other text.
std::int64_t PackedTime(std::string_view text) {
  if (text.size() != kTimeShape.size()) return -1;
  const char* t = text.data();
  if (t[4] != '/' || t[7] != '/' || t[10] != ' ' || t[13] != ':' || t[16] != ':') return -1;
  static constexpr int kDigitAt[] = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18};
  std::int64_t packed = 0;
  for (const int i : kDigitAt) {
    const unsigned digit = static_cast<unsigned char>(t[i]) - static_cast<unsigned>('0');
    if (digit > 9) return -1;
    packed = packed * 10 + digit;
  }
  return packed;
}

}  // namespace

TimeColumn::TimeColumn(std::initializer_list<std::string_view> texts) {
  for (const std::string_view t : texts) push_back(t);
}

void TimeColumn::push_back(std::string_view text) {
  const std::int64_t packed = PackedTime(text);
  if (packed >= 0) {
    packed_.push_back(packed);
    return;
  }
  others_.emplace_back(text);
  packed_.push_back(-static_cast<std::int64_t>(others_.size()));
}

void TimeColumn::clear() {
  packed_.clear();
  others_.clear();
}

std::string TimeColumn::operator[](std::size_t i) const {
  std::int64_t packed = packed_[i];
  if (packed < 0) return others_[static_cast<std::size_t>(-packed - 1)];
  std::string text(kTimeShape);
  for (std::size_t at = text.size(); at-- > 0;) {
    if (text[at] != '0') continue;
    text[at] = static_cast<char>('0' + packed % 10);
    packed /= 10;
  }
  return text;
}

}  // namespace orvane
