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
  const int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms};
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

}  // namespace orvane
