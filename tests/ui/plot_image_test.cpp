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

TEST(PlotImage, DrawsTheCurvesOfTheStretchOnly) {
  PlotData plot = Records(200);
  const QImage all = ListPlotImage(plot, 640, 480);
  plot.PlotFrom = 50;
  plot.PlotTo = 60;
  const QImage part = ListPlotImage(plot, 640, 480);
  plot.PlotTo = 0;  // no stretch: frame and grid only
  const QImage none = ListPlotImage(plot, 640, 480);
  auto blue = [](const QImage& image) {  // within the plot area, right of the blue cd scale
    int n = 0;
    for (int y = 20; y < 450; ++y)
      for (int x = 95; x < image.width(); ++x) n += QColor(image.pixel(x, y)) == QColor(Qt::blue);
    return n;
  };
  EXPECT_GT(blue(all), 1000);
  EXPECT_GT(blue(part), 100);
  EXPECT_NE(all, part);
  EXPECT_EQ(blue(none), 0);
}

}  // namespace
}  // namespace orvane
