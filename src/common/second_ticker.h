// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-second record tick keeps wall-clock time. It is re-armed after every tick to
// fire just after the next second boundary, and each tick stamps the second it belongs
// to: the nearest whole second of the time it runs at. A second is never stamped twice
// in a row, so a tick that comes early or twice in one second does nothing. A clock set
// back (or local time falling back an hour) stamps the seconds it shows again.

#include <cstdint>
#include <optional>
#include <string>

#include "common/clock.h"

namespace orvane {

// Notices a step of the wall clock (set by hand or by the time service, or the machine
// woken from sleep): between two looks the wall clock moved more than kToleranceMs more,
// or less, than the monotonic clock did. Whoever follows the wall clock goes on from the
// new time.
class ClockStepWatch {
 public:
  static constexpr std::int64_t kToleranceMs = 250;

  // The step since the last look, in milliseconds (forward positive), or 0.
  std::int64_t Look(const Clock& clock);

 private:
  bool looked_ = false;
  std::int64_t wallMs_ = 0;
  std::int64_t monotonicMs_ = 0;
};

// "the clock was set forward by 20 s, to 2024/05/17 10:30:25" for a step of `stepMs` that
// ended at `now`; the same line goes to the diagnostics log (area "clock").
std::string NoteClockStep(std::int64_t stepMs, const DateTime& now);

class SecondTicker {
 public:
  // How long after a boundary the tick is aimed at, so that it never runs before it.
  static constexpr int kAfterBoundaryMs = 5;

  // The second to stamp for a tick at `now`, or nothing when the last tick stamped it.
  std::optional<DateTime> Due(const DateTime& now);
  // Milliseconds from `now` to just after the next second boundary.
  static int MsToNextTick(const DateTime& now);

 private:
  std::int64_t lastStamped_ = INT64_MIN;
};

}  // namespace orvane
