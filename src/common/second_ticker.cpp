// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/second_ticker.h"

#include <cstdlib>

#include "common/diagnostics.h"

namespace orvane {

std::int64_t ClockStepWatch::Look(const Clock& clock) {
  const std::int64_t wall = clock.EpochMs();
  const std::int64_t monotonic = clock.MonotonicMs();
  const std::int64_t step = looked_ ? (wall - wallMs_) - (monotonic - monotonicMs_) : 0;
  looked_ = true;
  wallMs_ = wall;
  monotonicMs_ = monotonic;
  return std::llabs(step) > kToleranceMs ? step : 0;
}

std::string NoteClockStep(std::int64_t stepMs, const DateTime& now) {
  const std::int64_t seconds = (std::llabs(stepMs) + 500) / 1000;
  std::string text = std::string("the clock was set ") + (stepMs > 0 ? "forward" : "back");
  text += " by " + std::to_string(seconds) + " s, to " + FormatDateTime(now);
  LogLine(LogArea::Clock, text);
  return text;
}

std::optional<DateTime> SecondTicker::Due(const DateTime& now) {
  DateTime whole = now;
  whole.millisecond = 0;
  std::int64_t second = ToSerialSeconds(whole);
  if (now.millisecond >= 500) ++second;
  if (second == lastStamped_) return std::nullopt;
  lastStamped_ = second;
  return FromSerialSeconds(second);
}

int SecondTicker::MsToNextTick(const DateTime& now) {
  // Aimed past the boundary after the next one when this one is too close to hit.
  const int ms = 1000 - now.millisecond + kAfterBoundaryMs;
  return ms < 2 * kAfterBoundaryMs ? ms + 1000 : ms;
}

}  // namespace orvane
