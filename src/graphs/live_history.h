// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The readings the live graph took since it opened (or since Clear), kept so that the graph
// can draw them again after a resize, a range or unit change or a new scale: the newest
// day of them at most, in a buffer of fixed size.
//
// The readings are kept in the unit system of the first one with a known unit (as the
// graph's CSV export writes them); the graph converts them when it shows the other unit.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/live_reading.h"
#include "common/plot_columns.h"
#include "common/program_state.h"

namespace orvane {

struct LiveEntry {
  std::int64_t seconds = 0;  // ToSerialSeconds of the time it was taken
  StoredReading main;
  StoredReading cd;
  bool known = false;  // the display's unit was known: the reading is in System()
};

// The in-range readings' lowest and highest values of one quantity.
struct Extremes {
  double min = 0;
  double max = 0;
  bool any = false;
  void Take(const StoredReading& r);
};

class LiveHistory {
 public:
  static constexpr std::size_t kDay = 24 * 60 * 60;  // one reading a second
  explicit LiveHistory(std::size_t capacity = kDay);

  void Add(const LiveReading& reading, const DateTime& when);
  void Clear();

  // Entries are numbered from 0 since the graph opened; the oldest ones drop out.
  std::uint64_t First() const { return end_ - count_; }
  std::uint64_t End() const { return end_; }
  bool Empty() const { return count_ == 0; }
  const LiveEntry& At(std::uint64_t number) const { return ring_[number % capacity_]; }
  const LiveEntry& Newest() const { return At(end_ - 1); }

  UnitSystem System() const { return system_; }
  // Since the last Clear, in System(): never narrower when old entries drop out.
  const Extremes& Main() const { return main_; }
  const Extremes& Cd() const { return cd_; }

  // The entries with a known unit as the records of a data file (for the CSV export).
  PlotData Records() const;

 private:
  std::size_t capacity_;
  std::vector<LiveEntry> ring_;
  std::uint64_t end_ = 0;
  std::size_t count_ = 0;
  bool systemSet_ = false;
  UnitSystem system_ = UnitSystem::Metric;
  Extremes main_;
  Extremes cd_;
};

// An entry's readings in the unit of the graph ("lx" or "fc").
struct LiveValues {
  StoredReading main;
  StoredReading cd;
};
LiveValues ValuesIn(const LiveEntry& entry, UnitSystem kept, const std::string& graphUnit);

// The scales fitted to the in-range readings so far, in the graph's unit: the main unit and
// cd at round limits (FitScale), the other unit converted from the main one as a typed
// range is. A quantity with no in-range reading keeps its scale from `current`; nothing when
// neither has one.
std::optional<RangeRecord> FittedLiveRange(const LiveHistory& history, const std::string& graphUnit,
                                           const RangeRecord& current);

}  // namespace orvane
