// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the panel hands to its commands and the windows they open: the meter link and its owner, the
// decoded display, the shared program state, the recording, the windows open, the dialogs, the
// editor launcher, the clock, the working folder and the places of the user's files.
//
// Every user of the link other than the poll takes it through TakeLink for as long as it
// talks to the meter; the poll does not run meanwhile. The record tick never stops.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/live_reading.h"
#include "common/program_state.h"
#include "display/frame_decoder.h"
#include "link/link_owner.h"
#include "link/meter_link.h"
#include "recording/recording.h"
#include "recording/user_files.h"
#include "ui/open_windows.h"
#include "ui/window_places.h"

namespace orvane {

struct PanelContext {
  MeterLink& link;
  FrameDecoder& display;
  ProgramState& state;
  Dialogs& dialogs;
  Launcher& launcher;
  const Clock& clock;
  LinkOwner& linkOwner;
  Recording& recording;
  OpenWindows& windows;  // the secondary windows open, and their flags in `state`
  QWidget* panel;        // secondary windows open right of it
  std::string workingFolder;
  // A short notice in the panel's status line (a refused command says why).
  std::function<void(const std::string&)> notice = {};
  UserFiles* userFiles = nullptr;  // where the user's files go; set by the panel
  bool editorMissingTold = false;  // "no text editor" is said once a run

  UserFiles& Files() const { return *userFiles; }
  LiveReading Reading() const {
    return MakeLiveReading(display.ReadingText(), display.KLit(), display.UnitText());
  }
  // The link for the command `what`; nothing, and a notice, while another command holds it.
  std::optional<LinkHold> TakeLink(const std::string& what) const {
    std::optional<LinkHold> hold = linkOwner.TryTake(what);
    if (!hold && notice) notice(LinkOwner::kBusyText);
    return hold;
  }
  // Left = panel left + panel width, top = panel top, kept on the screen; the window's
  // remembered size.
  void PlaceRightOfPanel(QWidget& window) const { PlaceBesidePanel(window, panel); }
};

// Panel controls the commands write.
struct PanelControls {
  QLabel* LblFileName = nullptr;
  QLabel* LblCount = nullptr;
  QLabel* LblRecording = nullptr;
  QAction* SaveButton = nullptr;  // tool bar button 1: image, text and tool tip change
  QComboBox* ComboErase = nullptr;
  QMenu* RecentFiles = nullptr;      // the data files opened last
  QWidget* RecentFilesAt = nullptr;  // the menu drops down under it when asked by key
  bool RecordingEnabled = false;     // Save acts only while set
  bool WriteFailureShown = false;    // a failed record write is told once per recording
};

}  // namespace orvane
