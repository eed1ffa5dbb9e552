// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title line a chart carries on paper and in a file: what is drawn (the data file's
// name, or "Live"), the first and last date and time shown, and the units of the curves.

#include <string>

#include "common/program_state.h"
#include "graphs/canvas.h"
#include "graphs/chart.h"

namespace orvane {

struct ChartTitle {
  std::string name;   // "run.lms", or "Live"
  std::string first;  // "YYYY/MM/DD hh:nn:ss", empty when nothing is shown
  std::string last;
  std::string mainUnit;  // "Lux" or "Fc"
  bool showMain = true;  // the curves shown
  bool showCd = true;
};

// "run.lms   2024/05/17 08:00:01 to 2024/05/17 09:00:00   Lux (black), cd (blue)"; with
// nothing shown "no records" takes the place of the times; with no curve shown the units
// of both are named.
std::string ChartTitleText(const ChartTitle& title);

// The title of a list plot: the records PlotFrom..PlotTo and the curves `chart` shows.
ChartTitle ListPlotTitle(const std::string& name, const PlotData& plot, const ChartState& chart);

// Prints the title in black at the top left of the canvas, above the scale headings.
void DrawChartTitle(Canvas& canvas, const std::string& text);

// The list plot as it goes to paper or into a file: the frame, the whole stretch
// PlotFrom..PlotTo in one go with the curves `chart` shows, and the title line. The one
// drawing of the plot window's print and export and of the command line's plot.
void DrawListPlotOutput(Canvas& canvas, ChartState chart, PlotData& plot, const std::string& name);

}  // namespace orvane
