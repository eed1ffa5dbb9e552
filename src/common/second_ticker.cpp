#include "common/second_ticker.h"

namespace orvane {

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
