// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A million records of plot data, as a long data file read back gives them: every
// seventh main reading with a "K", every 5000th over range.

#include <cstdio>

#include "common/program_state.h"

namespace orvane {

inline PlotData MillionRecords() {
  PlotData plot;
  const long n = 1000000;
  plot.PlotTimes.reserve(n);
  plot.PlotMain.reserve(n);
  plot.PlotCd.reserve(n);
  char text[32];
  for (long i = 0; i < n; ++i) {
    std::snprintf(text, sizeof text, "2024/05/17 %02ld:%02ld:%02ld", i / 3600 % 24, i / 60 % 60,
                  i % 60);
    plot.PlotTimes.push_back(text);
    std::snprintf(text, sizeof text, "%7.2f%s", (i % 9999) / 10.0, i % 7 == 0 ? "K" : "");
    plot.PlotMain.push_back(i % 5000 == 0 ? "     OL" : text);
    std::snprintf(text, sizeof text, "%7ld", i % 9999);
    plot.PlotCd.push_back(text);
  }
  plot.PlotRecords = n;
  plot.PlotFrom = 1;
  plot.PlotTo = n;
  plot.PlotUnit = "Lux";
  plot.PlotRange.LuxMax = 9999;
  plot.PlotRange.CdMax = 9999;
  return plot;
}

}  // namespace orvane
