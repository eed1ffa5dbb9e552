// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace orvane {

DateTime SystemClock::Now() const {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  const int ms =
      static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms};
}

std::int64_t SystemClock::EpochMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::int64_t Clock::EpochMs() const {
  const DateTime t = Now();
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&tm)) * 1000 + t.millisecond;
}

std::int64_t SystemClock::MonotonicMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 30;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

void ManualClock::AdvanceMs(std::int64_t ms) {
  monotonicMs_ += ms;
  std::int64_t total = now_.millisecond + ms;
  now_.millisecond = static_cast<int>(total % 1000);
  std::int64_t seconds = now_.second + total / 1000;
  now_.second = static_cast<int>(seconds % 60);
  std::int64_t minutes = now_.minute + seconds / 60;
  now_.minute = static_cast<int>(minutes % 60);
  std::int64_t hours = now_.hour + minutes / 60;
  now_.hour = static_cast<int>(hours % 24);
  for (std::int64_t days = hours / 24; days > 0; --days) {
    if (++now_.day > DaysInMonth(now_.year, now_.month)) {
      now_.day = 1;
      if (++now_.month > 12) {
        now_.month = 1;
        ++now_.year;
      }
    }
  }
}

std::string FormatDateTime(const DateTime& t) {
  char out[64];
  std::snprintf(out, sizeof out, "%04d/%02d/%02d %02d:%02d:%02d", t.year % 10000, t.month % 100,
                t.day % 100, t.hour % 100, t.minute % 100, t.second % 100);
  return out;
}

namespace {
// The number written with the `count` digits at `at`, or -1.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}
}  // namespace

std::optional<DateTime> ParseDateTime(std::string_view text) {
  if (text.size() != 19) return std::nullopt;
  const char dateMark = text[4];
  if ((dateMark != '/' && dateMark != '-') || text[7] != dateMark) return std::nullopt;
  if ((text[10] != ' ' && (text[10] != 'T' || dateMark != '-')) || text[13] != ':' ||
      text[16] != ':') {
    return std::nullopt;
  }
  DateTime t;
  t.year = Digits(text, 0, 4);
  t.month = Digits(text, 5, 2);
  t.day = Digits(text, 8, 2);
  t.hour = Digits(text, 11, 2);
  t.minute = Digits(text, 14, 2);
  t.second = Digits(text, 17, 2);
  if (t.year < 0 || t.month < 1 || t.month > 12 || t.day < 1 ||
      t.day > DaysInMonth(t.year, t.month) || t.hour < 0 || t.hour > 23 || t.minute < 0 ||
      t.minute > 59 || t.second < 0 || t.second > 59) {
    return std::nullopt;
  }
  return t;
}

namespace {
// Days from 1970-01-01 to a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}
}  // namespace

std::int64_t ToSerialSeconds(const DateTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

DateTime FromSerialSeconds(std::int64_t seconds) {
  std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
  const std::int64_t rest = seconds - days * 86400;
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t doe = days - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
  return {y,
          m,
          d,
          static_cast<int>(rest / 3600),
          static_cast<int>(rest / 60 % 60),
          static_cast<int>(rest % 60),
          0};
}

}  // namespace orvane
