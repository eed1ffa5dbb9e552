// SPDX-License-Identifier: GPL-3.0-or-later
// Open on a data file of five million records: read with window events running all the
// while, then plotted with the plot's progress caption, in the compact plot columns.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>

#include "graphs/list_plot_window.h"
#include "gui_support/panel_rig.h"

namespace orvane {
namespace {

constexpr long kRecords = 5000000;

// The file as the recorder writes it, made quickly: 49 bytes a record, about 245 MB.
void WriteLargeFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fprintf(f,
               "-\r\n-\r\n-\r\n-\tTotal Records : %ld\r\n-\tDistance :      m\r\n-\t\r\n"
               "-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n-\t%s\r\n",
               kRecords, std::string(53, '-').c_str());
  const char* readings[] = {" 523.1", " 1.25K", "  88.8", "    OL", "  0.05", "  9999"};
  for (long k = 1; k <= kRecords; ++k) {
    const char* r = readings[k % 6];
    std::fprintf(f, "-\t%10ld\t2024/05/%02ld %02ld:%02ld:%02ld\t%s\t%s\t\r\n", k,
                 1 + k / 86400 % 28, k / 3600 % 24, k / 60 % 60, k % 60, r, r);
  }
  ASSERT_EQ(std::fclose(f), 0);
}

TEST(OpenLargeFile, FiveMillionRecordsAreReadWithEventsRunningAndPlotted) {
  test::PanelRig rig;
  rig.panel->show();
  rig.panel->Timer1_Timer();  // the meter is found
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("orvane-five-million-" + std::to_string(getpid()) + ".lms"))
                               .string();
  WriteLargeFile(path);

  // A timer of the window system: it fires only when events are processed.
  long ticksDuringRead = 0;
  QTimer ticker;
  ticker.setInterval(0);
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticksDuringRead; });
  ticker.start();
  rig.dialogs.QueueFile(path);
  rig.panel->Toolbar1_ButtonClick("Open");
  ticker.stop();
  std::filesystem::remove(path);

  const ProgramState& state = rig.panel->State();
  ASSERT_TRUE(rig.panel->Context().windows.PlotOpen())
      << (rig.dialogs.Log().empty() ? "" : rig.dialogs.Log().back().text);
  EXPECT_EQ(state.Plot.PlotRecords, kRecords);
  EXPECT_EQ(state.Plot.PlotTimes[kRecords - 1], "2024/05/02 20:53:20");
  EXPECT_EQ(state.Plot.PlotMain[kRecords - 1], StoredReadingOf("  88.8"));
  EXPECT_DOUBLE_EQ(state.Plot.PlotRange.LuxMax, 9999000);
  EXPECT_DOUBLE_EQ(state.Plot.PlotRange.CdMin, 0);
  // Events ran throughout the read (every 1024 lines), not once at its end.
  EXPECT_GT(ticksDuringRead, kRecords / 1024 / 2);
  EXPECT_EQ(rig.panel->windowTitle(), "Panel   V8.01");
  EXPECT_TRUE(rig.panel->Timer1().isActive());

  auto* plot = rig.panel->findChild<ListPlotWindow*>("ListPlot");
  ASSERT_NE(plot, nullptr);
  QStringList captions;
  QObject::connect(plot, &QWidget::windowTitleChanged,
                   [&](const QString& title) { captions << title; });
  plot->Timer1_Timer();  // the replay the plot's timer starts
  EXPECT_TRUE(captions.contains("1% Completed")) << captions.join(", ").toStdString();
  EXPECT_TRUE(captions.contains("100% Completed"));
  // The title names the file again once the replay is done.
  EXPECT_EQ(plot->windowTitle().toStdString(),
            "Plot \u2014 " + std::filesystem::path(path).filename().string());
  EXPECT_EQ(state.Plot.PlotCount, kRecords);
}

}  // namespace
}  // namespace orvane
