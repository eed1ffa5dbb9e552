#pragma once
// A panel window on the built-in meter, with scripted dialogs, a recording launcher, a
// manual clock and its own working folder: the rig of the window tests.

#include <unistd.h>

#include <QLabel>
#include <filesystem>
#include <memory>
#include <string>

#include "common/dialogs.h"
#include "common/launcher.h"
#include "panel/panel_window.h"
#include "support/sim_rig.h"

namespace orvane::test {

struct PanelRig {
  PanelRig() : PanelRig(FreshFolder()) {}
  explicit PanelRig(std::string folder)
      : workingFolder(std::move(folder)),
        panel(std::make_unique<PanelWindow>(
            PanelServices{sim.transport, MeterIds{SimRig::kVid, SimRig::kPid}, dialogs, launcher,
                          sim.clock, workingFolder})) {}

  static std::string FreshFolder() {
    static int n = 0;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("orvane-test-" + std::to_string(getpid()) + "-" + std::to_string(++n));
    std::filesystem::remove_all(dir);
    return dir.string();
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    return panel->findChild<T*>(name);
  }
  QString Caption(const char* name) const { return Find<QLabel>(name)->text(); }
  // One second of the running program: the clock moves on, a poll, then the record tick.
  void Second() {
    sim.clock.AdvanceMs(1000);
    panel->Timer1_Timer();
    panel->Timer2_Timer();
  }

  SimRig sim;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  std::string workingFolder;
  std::unique_ptr<PanelWindow> panel;
};

}  // namespace orvane::test
