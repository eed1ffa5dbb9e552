#pragma once
// The one-second record tick keeps wall-clock time. It is re-armed after every tick to
// fire just after the next second boundary, and each tick stamps the second it belongs
// to: the nearest whole second of the time it runs at. A second is never stamped twice
// in a row, so a tick that comes early or twice in one second does nothing. A clock set
// back (or local time falling back an hour) stamps the seconds it shows again.

#include <cstdint>
#include <optional>

#include "common/clock.h"

namespace orvane {

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
