// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plot data of `n` records one second apart from hh:00:01, with a 0..1000 lux and cd range:
// the data the chart tests replay. `mainText(i)` gives record i's main reading.

#include <cstdio>
#include <functional>
#include <string>

#include "common/program_state.h"

namespace orvane::test {

inline PlotData PlotRecords(int n, const std::function<std::string(int)>& mainText,
                            const std::string& cd, int hour = 8) {
  PlotData plot;
  for (int i = 1; i <= n; ++i) {
    char time[32];
    std::snprintf(time, sizeof time, "2024/05/17 %02d:%02d:%02d", hour % 100, i / 60 % 60, i % 60);
    plot.PlotTimes.push_back(time);
    plot.PlotMain.push_back(mainText(i));
    plot.PlotCd.push_back(cd);
  }
  plot.PlotRecords = n;
  plot.PlotFrom = 1;
  plot.PlotTo = n;
  plot.PlotCount = n;
  plot.PlotUnit = "Lux";
  plot.PlotRange.LuxMax = 1000;
  plot.PlotRange.CdMax = 1000;
  return plot;
}

}  // namespace orvane::test
