// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program-wide values that several windows share. Each is owned by the part of the
// program named beside it; everything starts false, empty or zero.

#include <string>
#include <vector>

#include "common/plot_columns.h"

namespace orvane {

// Limits of a chart in the three units.
struct RangeRecord {
  double LuxMax = 0;
  double LuxMin = 0;
  double FcMax = 0;
  double FcMin = 0;
  double CdMax = 0;
  double CdMin = 0;
};

// The records of a data file that was read, as the list plot shows them.
struct PlotData {
  TimeColumn PlotTimes;    // "YYYY/MM/DD hh:nn:ss"
  ReadingColumn PlotMain;  // main readings (lux or fc)
  ReadingColumn PlotCd;    // cd readings
  long PlotRecords = 0;    // records read
  long PlotFrom = 0;       // first record shown
  long PlotTo = 0;         // last record shown
  long PlotCount = 0;      // records shown
  std::string PlotUnit;    // "Lux" or "Fc"
  RangeRecord PlotRange;
  std::string PlotFile;  // the data file read, for the plot window's title
};

// Whether a recording runs and how many records it wrote are the recording's own
// (Recording::RecordingOn, RecordCount); whether the list, the plot or the data logger
// window is open, the windows' (OpenWindows::ListShown, PlotOpen, MemoryShown).
struct ProgramState {
  // The last save dialog (tool bar Save).
  std::string SaveFileName;
  bool SaveAccepted = false;

  // Real-time list window: rows added to it.
  long ListRowCount = 0;

  // List plot window.
  PlotData Plot;
  std::string PlotFileName;  // the data file the plot data was read from

  // Real-time graph window.
  RangeRecord LiveRange;
  std::string GraphUnit = "lx";  // "lx" or "fc"

  // Start stamps of the meter's record sets by set number; entry 0 stays empty.
  std::vector<std::string> SetStamps = std::vector<std::string>(1);
};

}  // namespace orvane
