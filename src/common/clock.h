// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The time of day, injectable so tests control it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

struct DateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Local date and time, read once.
  virtual DateTime Now() const = 0;
  // Monotonic milliseconds, for measuring how long a key is held.
  virtual std::int64_t MonotonicMs() const = 0;
  // The same instant as Now() in milliseconds since 1970-01-01 00:00:00 UTC. By default
  // Now() read as local time.
  virtual std::int64_t EpochMs() const;
};

// The system clock.
class SystemClock final : public Clock {
 public:
  DateTime Now() const override;
  std::int64_t MonotonicMs() const override;
  std::int64_t EpochMs() const override;
};

// A clock that stands still until told to move: for tests and the simulated meter.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(const DateTime& start = {2024, 5, 17, 10, 30, 0, 0}) : now_(start) {}
  DateTime Now() const override { return now_; }
  std::int64_t MonotonicMs() const override { return monotonicMs_; }
  void Set(const DateTime& t) { now_ = t; }
  // Moves both clocks forward; the calendar rolls over correctly.
  void AdvanceMs(std::int64_t ms);

 private:
  DateTime now_;
  std::int64_t monotonicMs_ = 0;
};

// "YYYY/MM/DD hh:nn:ss"
std::string FormatDateTime(const DateTime& t);

// A date and time written "YYYY/MM/DD hh:nn:ss" (as data files stamp records), or
// "YYYY-MM-DD hh:nn:ss" / "YYYY-MM-DDThh:nn:ss"; nothing for any other text or an
// impossible date or time.
std::optional<DateTime> ParseDateTime(std::string_view text);

// Days in a month of the Gregorian calendar.
int DaysInMonth(int year, int month);

// Seconds since 1970-01-01 00:00:00 of a calendar date and time (no time zone), and back.
std::int64_t ToSerialSeconds(const DateTime& t);
DateTime FromSerialSeconds(std::int64_t seconds);

}  // namespace orvane
