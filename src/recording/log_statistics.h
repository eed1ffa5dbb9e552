// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a stretch of a log's records amounts to, per column: how many readings, how many
// over range, the least, greatest and mean reading (of those in range), and over the
// stretch the first and last time, the duration and the longest gap between stamps.
// Taken one record at a time in constant memory, so a pass over a file of any size
// (orvane-cli info) and the records the plot window holds give the same figures.

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/instant_resolver.h"
#include "common/plot_columns.h"
#include "common/program_state.h"
#include "recording/recording_reader.h"

namespace orvane {

struct ColumnStatistics {
  long readings = 0;          // every record of the stretch has one, over range or not
  long overRange = 0;         // of them, over range: no number
  double minimum = HUGE_VAL;  // of the readings in range (when InRange() > 0)
  double maximum = -HUGE_VAL;
  double sum = 0;
  int decimals = 0;  // the most decimals among the readings in range

  void Add(const StoredReading& reading) {  // inline: once per column and record
    ++readings;
    if (reading.overRange) {
      ++overRange;
      return;
    }
    minimum = reading.value < minimum ? reading.value : minimum;
    maximum = reading.value > maximum ? reading.value : maximum;
    sum += reading.value;
    decimals = reading.decimals > decimals ? reading.decimals : decimals;
  }
  long InRange() const { return readings - overRange; }
  // The mean of the readings in range, to two decimals more than the readings show.
  std::optional<double> Mean() const;
};

class LogStatistics {
 public:
  // One record, in the order of the log. A stamp that is no date and time counts for the
  // columns but not for the times.
  void Add(std::string_view time, const StoredReading& main, const StoredReading& cd);
  // A record of the log before (or between) the records added: it counts for nothing but
  // the reading of the stamps that follow (which pass of a repeated hour they are).
  void Pass(std::string_view time);

  long Records() const { return main_.readings; }
  const ColumnStatistics& Main() const { return main_; }
  const ColumnStatistics& Cd() const { return cd_; }
  // The first and last stamp as written ("" before any).
  const std::string& FirstTime() const { return firstTime_; }
  std::string LastTime() const;
  // From the first to the last date-and-time stamp (nothing before one), and the longest
  // step between two stamps in a row (1 in a log without a gap; nothing before two). Both
  // are taken between the instants the stamps name, so a change of the clocks to or from
  // summer time makes no step, and neither is ever negative.
  std::optional<std::int64_t> DurationSeconds() const;
  std::optional<std::int64_t> LongestGapSeconds() const;

 private:
  // The stamp in serial seconds; false when it is no date and time.
  bool StampSeconds(std::string_view time, std::int64_t& serial);

  ColumnStatistics main_;
  ColumnStatistics cd_;
  std::string firstTime_;
  // The last stamp: a date and time is the minute kept below and two digits, anything
  // else is copied whole (with no allocation).
  bool lastIsStamp_ = false;
  char lastSeconds_[2] = {};
  char lastTime_[kMaxLineBytes] = {};
  std::size_t lastTimeSize_ = 0;
  InstantResolver instants_;
  long stamps_ = 0;
  std::int64_t firstStamp_ = 0;  // instants, seconds since 1970
  std::int64_t lastStamp_ = 0;
  std::int64_t longestGap_ = 0;
  char minute_[17] = {};  // "YYYY/MM/DD hh:nn:" of the last stamp read whole, and its serial
  std::int64_t minuteSerial_ = 0;
  bool minuteKnown_ = false;
};

// Which records count: by their place in the log (1-based, both ends included) and by
// their stamp (from and to inclusive, local times in serial seconds). The records' stamps
// are taken as the instants they name (see InstantResolver); a local time the clocks
// passed twice bounds from its first instant on and up to its last. A record outside
// either, or without a readable stamp when times are given, is left out.
struct RecordStretch {
  long fromRecord = 1;
  long toRecord = LONG_MAX;
  std::optional<std::int64_t> fromTime;
  std::optional<std::int64_t> toTime;

  // True when it holds every record.
  bool Whole() const { return fromRecord <= 1 && toRecord == LONG_MAX && !fromTime && !toTime; }
};

// Reads a --from or --to bound: a record number ("120") or a date and time as a data file
// writes it ("2024/05/17 10:30:01") or in ISO form ("2024-05-17T10:30:01"). False for
// anything else.
bool ReadStretchBound(const std::string& text, bool isFrom, RecordStretch& stretch);

// A pass over a data file that keeps the statistics of the records in `stretch`.
class StatisticsSink : public RecordSink {
 public:
  explicit StatisticsSink(const RecordStretch& stretch = {});
  bool Record(std::string_view time, const StoredReading& main, const StoredReading& cd,
              std::string& problem) override;
  const LogStatistics& Statistics() const { return statistics_; }
  // The places of the first and last record in the stretch (0 when none).
  long FirstRecord() const { return firstRecord_; }
  long LastRecord() const { return lastRecord_; }

 private:
  // Whether the record just seen is in the stretch.
  bool Holds(std::string_view time);

  RecordStretch stretch_;
  bool wholeLog_;
  std::optional<std::int64_t> fromInstant_;
  std::optional<std::int64_t> toInstant_;
  InstantResolver instants_;  // the stamps of every record, for the time bounds
  LogStatistics statistics_;
  long seen_ = 0;
  long firstRecord_ = 0;
  long lastRecord_ = 0;
};

// The statistics of records `from` to `to` (1-based) of a plot's records.
LogStatistics StatisticsOf(const PlotData& plot, long from, long to);

// A duration for people: "0:01:39", "26:03:04" up to two days, then "3d 02:03:04".
std::string DurationText(std::int64_t seconds);

// The records and times of the statistics as one line: "Records 1 to 114: 2024/05/17
// 23:58:01 to 23:59:59 (0:01:58, longest gap 6 s)"; the date of the last time is left out
// when it is the first time's.
std::string StatisticsHeadline(const LogStatistics& statistics, long from, long to);

// A column's figures as texts: readings, over range, min, max, mean ("-" for none).
std::array<std::string, 5> ColumnFigures(const ColumnStatistics& column);

}  // namespace orvane
