// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/log_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/clock.h"
#include "common/number_text.h"

namespace orvane {

std::optional<double> ColumnStatistics::Mean() const {
  if (InRange() == 0) return std::nullopt;
  const double scale = std::pow(10.0, std::min(decimals + 2, 12));
  return std::round(sum / static_cast<double>(InRange()) * scale) / scale;
}

void LogStatistics::Add(std::string_view time, const StoredReading& main, const StoredReading& cd) {
  main_.Add(main);
  cd_.Add(cd);
  if (main_.readings == 1) firstTime_.assign(time);
  std::int64_t serial = 0;
  lastIsStamp_ = StampSeconds(time, serial);
  if (lastIsStamp_) {  // the text is the minute kept and these two digits: no copy
    lastSeconds_[0] = time[17];
    lastSeconds_[1] = time[18];
  } else {
    lastTimeSize_ = std::min(time.size(), sizeof lastTime_);
    std::memcpy(lastTime_, time.data(), lastTimeSize_);
    return;
  }
  const std::int64_t instant = instants_.Next(serial).epoch;
  if (stamps_++ == 0) {
    firstStamp_ = instant;
  } else {
    longestGap_ = std::max(longestGap_, instant - lastStamp_);
  }
  lastStamp_ = instant;
}

void LogStatistics::Pass(std::string_view time) {
  if (const std::optional<DateTime> stamp = ParseDateTime(time)) {
    instants_.Next(ToSerialSeconds(*stamp));
  }
}

namespace {

// The first 17 bytes of two stamps are the same ("YYYY/MM/DD hh:nn:"), in three loads.
bool SameMinute(const char* a, const char* b) {
  std::uint64_t a0, a1, b0, b1;
  std::memcpy(&a0, a, 8);
  std::memcpy(&a1, a + 8, 8);
  std::memcpy(&b0, b, 8);
  std::memcpy(&b1, b + 8, 8);
  return a0 == b0 && a1 == b1 && a[16] == b[16];
}

}  // namespace

bool LogStatistics::StampSeconds(std::string_view time, std::int64_t& serial) {
  // Stamps in a row mostly share their minute: only the seconds are read then.
  if (time.size() == 19 && minuteKnown_ && SameMinute(time.data(), minute_)) {
    const char tens = time[17];
    const char ones = time[18];
    if (tens < '0' || tens > '5' || ones < '0' || ones > '9') return false;
    serial = minuteSerial_ + (tens - '0') * 10 + (ones - '0');
    return true;
  }
  const std::optional<DateTime> stamp = ParseDateTime(time);
  if (!stamp) return false;
  serial = ToSerialSeconds(*stamp);
  std::memcpy(minute_, time.data(), sizeof minute_);
  minuteSerial_ = serial - stamp->second;
  minuteKnown_ = true;
  return true;
}

std::string LogStatistics::LastTime() const {
  if (!lastIsStamp_) return std::string(lastTime_, lastTimeSize_);
  return std::string(minute_, sizeof minute_) + std::string(lastSeconds_, 2);
}

std::optional<std::int64_t> LogStatistics::DurationSeconds() const {
  if (stamps_ == 0) return std::nullopt;
  return std::max<std::int64_t>(lastStamp_ - firstStamp_, 0);
}

std::optional<std::int64_t> LogStatistics::LongestGapSeconds() const {
  if (stamps_ < 2) return std::nullopt;
  return longestGap_;
}

bool ReadStretchBound(const std::string& text, bool isFrom, RecordStretch& stretch) {
  if (const std::optional<DateTime> t = ParseDateTime(text)) {
    (isFrom ? stretch.fromTime : stretch.toTime) = ToSerialSeconds(*t);
    return true;
  }
  if (text.empty() || text.size() > 18 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  const long record = std::stol(text);
  if (record < 1) return false;
  (isFrom ? stretch.fromRecord : stretch.toRecord) = record;
  return true;
}

StatisticsSink::StatisticsSink(const RecordStretch& stretch)
    : stretch_(stretch), wholeLog_(stretch.Whole()) {
  if (stretch.fromTime) fromInstant_ = EarliestInstant(*stretch.fromTime);
  if (stretch.toTime) toInstant_ = LatestInstant(*stretch.toTime);
}

bool StatisticsSink::Holds(std::string_view time) {
  std::optional<std::int64_t> instant;  // every stamp in order: a repeated hour is known
  if (fromInstant_ || toInstant_) {
    if (const std::optional<DateTime> stamp = ParseDateTime(time)) {
      instant = instants_.Next(ToSerialSeconds(*stamp)).epoch;
    }
  }
  if (seen_ < stretch_.fromRecord || seen_ > stretch_.toRecord) return false;
  if (!fromInstant_ && !toInstant_) return true;
  return instant && (!fromInstant_ || *instant >= *fromInstant_) &&
         (!toInstant_ || *instant <= *toInstant_);
}

bool StatisticsSink::Record(std::string_view time, const StoredReading& main,
                            const StoredReading& cd, std::string&) {
  ++seen_;
  if (!wholeLog_ && !Holds(time)) {
    statistics_.Pass(time);
    return true;
  }
  if (firstRecord_ == 0) firstRecord_ = seen_;
  lastRecord_ = seen_;
  statistics_.Add(time, main, cd);
  return true;
}

LogStatistics StatisticsOf(const PlotData& plot, long from, long to) {
  LogStatistics statistics;
  const long last = std::min<long>(to, static_cast<long>(plot.PlotMain.size()));
  for (long k = 1; k < std::min(from, last + 1); ++k) {
    statistics.Pass(plot.PlotTimes[static_cast<std::size_t>(k - 1)]);
  }
  for (long k = std::max(from, 1L); k <= last; ++k) {
    const auto i = static_cast<std::size_t>(k - 1);
    statistics.Add(plot.PlotTimes[i], plot.PlotMain[i], plot.PlotCd[i]);
  }
  return statistics;
}

std::string DurationText(std::int64_t seconds) {
  const bool negative = seconds < 0;
  std::int64_t s = negative ? -seconds : seconds;
  char out[64];
  if (s < 2 * 86400) {
    std::snprintf(out, sizeof out, "%s%lld:%02lld:%02lld", negative ? "-" : "",
                  static_cast<long long>(s / 3600), static_cast<long long>(s / 60 % 60),
                  static_cast<long long>(s % 60));
  } else {
    std::snprintf(out, sizeof out, "%s%lldd %02lld:%02lld:%02lld", negative ? "-" : "",
                  static_cast<long long>(s / 86400), static_cast<long long>(s / 3600 % 24),
                  static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  }
  return out;
}

namespace {

std::string Figure(double v) {
  return GeneralText(v);
}

}  // namespace

std::string StatisticsHeadline(const LogStatistics& statistics, long from, long to) {
  if (statistics.Records() == 0) return "No records";
  std::string line = "Records " + std::to_string(from) + " to " + std::to_string(to) + ": " +
                     statistics.FirstTime() + " to ";
  const std::string& first = statistics.FirstTime();
  const std::string last = statistics.LastTime();
  const bool sameDay =
      first.size() == 19 && last.size() == 19 && first.compare(0, 11, last, 0, 11) == 0;
  line += sameDay ? last.substr(11) : last;
  if (const auto duration = statistics.DurationSeconds()) {
    line += " (" + DurationText(*duration);
    if (const auto gap = statistics.LongestGapSeconds()) {
      line += ", longest gap " + std::to_string(*gap) + " s";
    }
    line += ")";
  }
  return line;
}

std::array<std::string, 5> ColumnFigures(const ColumnStatistics& column) {
  const std::optional<double> mean = column.Mean();
  return {std::to_string(column.readings), std::to_string(column.overRange),
          mean ? Figure(column.minimum) : "-", mean ? Figure(column.maximum) : "-",
          mean ? Figure(*mean) : "-"};
}

}  // namespace orvane
