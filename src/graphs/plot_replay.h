// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The replay of stored records into the list plot: the records PlotFrom..PlotTo stretched
// across the plot width, with time labels at the fifths and ticks at the tenths.

#include <functional>
#include <string>

#include "common/program_state.h"
#include "graphs/chart.h"

namespace orvane {

enum class RecordMarker { None, Label, Tick };

// Where the markers of a replay of n records fall: record k (1-based within the stretch)
// gets a dotted line and time label at 1 and at the fifths, a small tick at the tenths.
class MarkerPlan {
 public:
  explicit MarkerPlan(long long n);
  RecordMarker At(long long k) const;
  // The first record after k that has a marker; the largest number when none has.
  long long After(long long k) const;

 private:
  long long fifths_[5];
  long long tenths_[9];
};

// Told the percentage done each time it changes; answers false to stop the replay.
using ReplayProgress = std::function<bool(int percent)>;

// True when PlotFrom..PlotTo is a stretch of records that exist.
bool PlotStretchValid(const PlotData& plot);

// Draws the grid and then the stretch. A stretch that is empty or outside the records
// draws the grid only. Returns false when progress stopped it.
//
// Where several records fall into one pixel column, the column is drawn once per curve: the
// line in from the previous column and the span from the column's lowest to its highest
// point, which gives the same pixels as one segment per record at a fraction of the cost.
// The markers of a column are drawn before its curves, so the curves stay on top.
bool ReplayPlot(Canvas& canvas, ChartState& chart, const PlotData& plot,
                const ReplayProgress& progress);

// The time label of a record: the time of day, with the month and day in front ("05/17
// 10:00:00") when the stretch shown spans more than one date.
std::string RecordTimeLabel(const std::string& time, bool dated);
// True when the first and the last record of the stretch fall on different dates.
bool StretchSpansDates(const PlotData& plot);

}  // namespace orvane
