// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real-time strip chart: one sample a second, sweeping from left to right and starting
// again at the left edge, with markers every 30 and 60 pixels and time-of-day labels.

#include <string>

#include "common/clock.h"
#include "common/live_reading.h"
#include "common/program_state.h"
#include "graphs/chart.h"
#include "graphs/live_history.h"

namespace orvane {

// "lx" for a metric display, "fc" for an imperial one.
std::string GraphUnitOf(const LiveReading& reading);

// The full range in a unit: 0..9999000 in that unit and in cd, the other unit converted
// without truncation.
RangeRecord FullLiveRange(const std::string& graphUnit);

// "hh:mm:ss", hours 00 to 23.
std::string TimeOfDayText(const DateTime& t);

struct LiveSample {
  std::string mainText;  // e.g. "12.34", "1.25K", "OL"
  std::string cdText;
};

// While the scales fit the readings, an over-range reading is no point of its curve but a
// mark hanging from the top edge of the plot, and the curve goes on from the next reading.
struct OverRangeMarks {
  bool on = false;
  bool mainGap = false;  // the curve's previous sample was a mark
  bool cdGap = false;
};

// One tick of the sweep: advances SweepX, erases the plot at a new sweep, draws the shown
// curves and the markers. Without marks, an over-range reading is drawn at the curve's
// over-range height.
void RealTimeTick(Canvas& canvas, ChartState& chart, const RangeRecord& range,
                  const std::string& graphUnit, const LiveValues& values, const DateTime& now,
                  OverRangeMarks* marks = nullptr);
void RealTimeTick(Canvas& canvas, ChartState& chart, const RangeRecord& range,
                  const std::string& graphUnit, const LiveSample& sample, const DateTime& now);

}  // namespace orvane
