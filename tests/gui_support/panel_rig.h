// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A panel window on the built-in meter, with scripted dialogs, a recording launcher, a
// manual clock, its own working folder and documents folder: the rig of the window tests.

#include <unistd.h>

#include <QLabel>
#include <filesystem>
#include <memory>
#include <string>

#include "common/dialogs.h"
#include "panel/panel_window.h"
#include "support/launcher_spy.h"
#include "support/sim_rig.h"

namespace orvane::test {

struct PanelRig {
  PanelRig() : PanelRig(FreshFolder()) {}
  explicit PanelRig(std::string folder)
      : workingFolder(std::move(folder)),
        documentsFolder(MadeFolder(workingFolder + "-documents")),
        panel(std::make_unique<PanelWindow>(
            PanelServices{sim.transport, MeterIds{SimRig::kVid, SimRig::kPid}, dialogs, launcher,
                          sim.clock, workingFolder, &folderMemory, documentsFolder, ""})) {}

  ~PanelRig() {
    panel.reset();
    std::error_code ec;
    std::filesystem::remove_all(documentsFolder, ec);
  }

  static std::string FreshFolder() {
    static int n = 0;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("orvane-test-" + std::to_string(getpid()) + "-" + std::to_string(++n));
    std::filesystem::remove_all(dir);
    return dir.string();
  }
  // A fresh folder; a place where none can be made is left as it is.
  static std::string MadeFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
    std::filesystem::create_directories(path, ec);
    return path;
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
  LauncherSpy launcher;
  RunFolderMemory folderMemory;
  std::string workingFolder;
  std::string documentsFolder;  // the user's documents: where the file dialogs start
  std::unique_ptr<PanelWindow> panel;
};

}  // namespace orvane::test
