// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated day on the panel: 86,400 record ticks (each with its four poll ticks) on the
// built-in meter, with the real-time list open and a recording running, ticks called
// directly. Prints the resident memory as the day goes on, and what it grows by per tick.
//
//   day_memory_probe [record ticks]   (default 86400; a shorter day for sanitizer runs)

#include <QAction>
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "gui_support/panel_rig.h"

namespace {

// VmRSS (or another field of /proc/self/status) in MB.
double StatusMb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::atof(line.c_str() + field.size() + 1) / 1024;
  }
  return 0;
}

void Poll(orvane::test::PanelRig& rig, int polls) {
  for (int p = 0; p < polls; ++p) {
    rig.sim.clock.AdvanceMs(1000 / polls);
    rig.panel->Timer1_Timer();
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const long ticks = argc > 1 ? std::atol(argv[1]) : 86400;
  QApplication app(argc, argv);
  {
    orvane::test::PanelRig rig;
    // As the program's built-in meter: no log of every request (the tests read it).
    rig.sim.meter.keepLog = false;
    rig.sim.transport.keepLog = false;
    rig.panel->Timer1().stop();
    rig.panel->Timer2().stop();
    rig.panel->show();
    Poll(rig, 4);
    rig.panel->Controls().RecordingEnabled = true;
    rig.panel->Toolbar1_ButtonClick("List");
    rig.dialogs.QueueFile(rig.workingFolder + "/day.lms");
    rig.panel->Toolbar1_ButtonClick("Save");
    if (!rig.panel->CurrentRecording().RecordingOn()) {
      std::fprintf(stderr, "the recording did not start\n");
      return 1;
    }
    QCoreApplication::processEvents();
    const double startMb = StatusMb("VmRSS");
    std::printf("%10s %10s %14s\n", "ticks", "RSS MB", "bytes/tick");
    std::printf("%10d %10.1f %14s\n", 0, startMb, "");
    for (long t = 1; t <= ticks; ++t) {
      Poll(rig, 4);
      rig.panel->Timer2_Timer();
      if (t % 600 == 0) QCoreApplication::processEvents();
      if (t % (ticks / 10 > 0 ? ticks / 10 : 1) == 0) {
        const double mb = StatusMb("VmRSS");
        std::printf("%10ld %10.1f %14.0f\n", t, mb, (mb - startMb) * 1024 * 1024 / t);
        std::fflush(stdout);
      }
    }
    const long records = rig.panel->CurrentRecording().RecordCount();
    rig.panel->Toolbar1_ButtonClick("Save");  // stops the recording, writes the data file
    std::printf("records %ld, peak RSS %.1f MB\n", records, StatusMb("VmHWM"));
    std::filesystem::remove_all(rig.workingFolder);
  }
  return 0;
}
