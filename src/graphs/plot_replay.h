#pragma once
// The replay of stored records into the list plot: the records PlotFrom..PlotTo stretched
// across the plot width, with time labels at the fifths and ticks at the tenths.

#include <functional>

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

 private:
  long long fifths_[5];
  long long tenths_[9];
};

// Told the percentage done each time it changes; answers false to stop the replay.
using ReplayProgress = std::function<bool(int percent)>;

// True when PlotFrom..PlotTo is a stretch of records that exist.
bool PlotStretchValid(const PlotData& plot);

// Draws the grid and then the stretch; the data's PlotCount is updated. A stretch that is
// empty or outside the records draws the grid only. Returns false when progress stopped it.
bool ReplayPlot(Canvas& canvas, ChartState& chart, PlotData& plot, const ReplayProgress& progress);

}  // namespace orvane
