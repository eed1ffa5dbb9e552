// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A record stamp is a local date and time without its UTC offset. Read in the order the
// records were taken, each stamp names one instant: where the clocks go back (the same
// local hour twice), a stamp that goes back by about the size of the change is the second
// pass through that hour, at the later offset; where the clocks go forward, stamps on
// either side of the change are the seconds apart they were taken, not an hour more.
// Every figure made from stamps (the export's offsets and epoch, durations, gaps) comes
// from here.

#include <cstdint>
#include <string>

namespace orvane {

// The local time zone's offset from UTC (local minus UTC, in seconds) at an instant given
// in seconds since 1970-01-01 00:00:00 UTC.
long UtcOffsetAt(std::int64_t epoch);

// "+hh:mm" or "-hh:mm" of an offset in seconds, appended to `out`.
void AppendUtcOffset(long offset, std::string& out);

// The first and the last instant a local time (serial local seconds) names: the same
// instant but where the clocks went back and the local time came twice.
std::int64_t EarliestInstant(std::int64_t localSerial);
std::int64_t LatestInstant(std::int64_t localSerial);

struct Instant {
  std::int64_t epoch = 0;  // seconds since 1970-01-01 00:00:00 UTC
  long offset = 0;         // the UTC offset the stamp was taken at, in seconds
};

class InstantResolver {
 public:
  // The instant of the next stamp of a log, given as serial local seconds
  // (ToSerialSeconds of its date and time).
  Instant Next(std::int64_t localSerial);

 private:
  // The instant of a local time with no regard to the stamps before it, or, where the
  // local time is taken twice, the pass that follows the last stamp.
  Instant Resolve(std::int64_t localSerial) const;
  // Looks at the hour that holds `localSerial`: is it one offset throughout?
  void LearnHour(std::int64_t hour);

  std::int64_t hour_ = INT64_MIN;  // local serial hour (serial / 3600) looked at last
  bool hourPlain_ = false;         // that whole hour has one offset, `hourOffset_`
  long hourOffset_ = 0;
  bool any_ = false;
  std::int64_t last_ = 0;  // the instant of the stamp before
};

}  // namespace orvane
