// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's context wired to the built-in meter, for the data logger window tests.

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/command_gate.h"
#include "common/dialogs.h"
#include "common/program_state.h"
#include "common/working_folder.h"
#include "datalogger/datalogger_commands_qt.h"
#include "datalogger/erase_list_qt.h"
#include "datalogger/memory_window.h"
#include "display/frame_decoder.h"
#include "recording/user_files.h"
#include "support/launcher_spy.h"
#include "support/sim_rig.h"

namespace orvane::test {

inline FlagLit OnlyLit(std::string_view lit) {
  return [lit](std::string_view name) { return name == lit; };
}

struct LoggerRig {
  SimRig sim;
  FrameDecoder display;
  ProgramState state;
  ScriptedDialogs dialogs;
  LauncherSpy launcher;
  LinkOwner owner;
  Recording recording;
  OpenWindows windows;
  std::filesystem::path folder;
  std::filesystem::path documents;  // where downloaded sets go
  RunFolderMemory folderMemory;
  UserFiles files;
  PanelContext ctx;
  EraseList combo{nullptr};
  PanelControls controls;

  LoggerRig()
      : folder(MakeFolder()),
        documents(folder.string() + "-documents"),
        files(folderMemory, documents.string(), "", folder.string()),
        ctx{sim.link, display,   state,   dialogs, launcher,       sim.clock,
            owner,    recording, windows, nullptr, folder.string()} {
    std::filesystem::create_directories(documents);
    ctx.userFiles = &files;
    combo.hide();
    controls.ComboErase = &combo;
    sim.link.FindMeter();
  }
  ~LoggerRig() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (qobject_cast<MemoryWindow*>(w) != nullptr) delete w;
    }
    std::filesystem::remove_all(folder);
    std::filesystem::remove_all(documents);
  }

  static std::filesystem::path MakeFolder() {
    static int serial = 0;
    auto p = std::filesystem::temp_directory_path() /
             ("orvane-logger-test-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(p);
    return p;
  }

  // Request codes the meter received since the last call.
  std::vector<int> TakeCodes() {
    std::vector<int> codes;
    for (std::size_t i = seen_; i < sim.meter.requestsReceived.size(); ++i) {
      codes.push_back(sim.meter.requestsReceived[i][2]);
    }
    seen_ = sim.meter.requestsReceived.size();
    return codes;
  }
  const Report& LastRequest() const { return sim.meter.requestsReceived.back(); }

  // The files downloaded sets were saved in.
  std::vector<std::string> Downloads() const {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(documents)) {
      paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
  }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The data logger's command `key` as the panel runs it, with the annunciators `lit`:
  // refused by its row's rule, or run. True when it ran.
  bool Run(std::string_view key, const FlagLit& lit) {
    for (const CommandRow& row : DataloggerCommands()) {
      if (key != row.key) continue;
      CommandConditions now{lit};
      now.linkHeld = owner.Held();
      return RunCommand(row, ctx, controls, now);
    }
    ADD_FAILURE() << "no data logger command " << key;
    return false;
  }

  // The poll may run: no command holds the link any more.
  bool TimersRun() const { return !owner.Held(); }

 private:
  std::size_t seen_ = 0;
};

// A left click released over `w`.
inline void Click(QWidget* w) {
  const QPointF at(2, 2);
  QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &release);
}

}  // namespace orvane::test
