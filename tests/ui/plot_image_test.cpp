// SPDX-License-Identifier: GPL-3.0-or-later
// The list plot drawn off screen is the list plot window's chart, pixel for pixel.

#include "ui/plot_image.h"

#include <gtest/gtest.h>

#include "graphs/list_plot_window.h"

namespace orvane {
namespace {

PlotData Records(int n) {
  PlotData plot;
  for (int i = 1; i <= n; ++i) {
    char time[32];
    std::snprintf(time, sizeof time, "2024/05/17 08:%02d:%02d", i / 60 % 60, i % 60);
    plot.PlotTimes.push_back(time);
    plot.PlotMain.push_back(std::to_string(100 + (i * 37) % 800));
    plot.PlotCd.push_back(i % 9 ? std::to_string(50 + (i * 13) % 400) : "OL");
  }
  plot.PlotRecords = plot.PlotTo = plot.PlotCount = n;
  plot.PlotFrom = 1;
  plot.PlotUnit = "Lux";
  plot.PlotRange = {905, 95, 84.1, 8.82, 9999000, 45};
  return plot;
}

TEST(PlotImage, SameAsTheWindowDrawsIt) {
  struct Case {
    int records;
    long from, to;
  };
  const Case cases[] = {{200, 1, 200}, {200, 50, 60}, {3, 1, 3}, {0, 1, 0}};
  for (const Case& c : cases) {
    ProgramState state;
    state.Plot = Records(c.records);
    state.Plot.PlotFrom = c.from;
    state.Plot.PlotTo = c.to;
    ScriptedDialogs dialogs;
    ListPlotWindow window(state, dialogs);
    window.resize(640, 480);
    window.show();
    window.Timer1_Timer();
    const QImage drawn = ListPlotImage(state.Plot, 640, 480);
    EXPECT_EQ(drawn.size(), QSize(640, 480));
    EXPECT_TRUE(drawn == window.ChartImage()) << c.records << " " << c.from << ".." << c.to;
  }
}

}  // namespace
}  // namespace orvane
