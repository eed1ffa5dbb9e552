// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: a working copy of the meter's front panel with its LCD, keys, tool
// bar and status line. It owns the two timers: Timer1 (250 ms) runs the poll whenever no
// command holds the link; Timer2 is the record tick, re-armed after every tick to fire
// just after the next wall-clock second and never stopped while the panel lives. It
// also owns the link's owner and the recording. Closing it ends the program.

#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
#include <memory>
#include <vector>

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/program_state.h"
#include "common/second_ticker.h"
#include "display/frame_decoder.h"
#include "display/fresh_frames.h"
#include "display/lcd_layout.h"
#include "display/poll_cycle.h"
#include "link/link_owner.h"
#include "link/meter_link.h"
#include "recording/recording.h"
#include "recording/user_files.h"
#include "ui/command_row.h"
#include "ui/panel_context.h"

namespace orvane {

class LcdView;
class KeypadWidget;
class PanelStatusBar;

inline constexpr const char* kPanelCaption = "Panel   V8.01";
inline constexpr const char* kPanelCaptionLong = "Panel   V8.01   140414";

struct PanelServices {
  HidTransport& transport;
  MeterIds ids;
  Dialogs& dialogs;
  Launcher& launcher;
  const Clock& clock;
  std::string workingFolder;
  // Where the user's files go: the folder used last (kept for this run only when none is
  // given), else the documents folder, else home.
  FolderMemory* folderMemory = nullptr;
  std::string documentsFolder = {};
  std::string homeFolder = {};
};

class PanelWindow final : public QWidget, private LinkNotices {
  Q_OBJECT

 public:
  explicit PanelWindow(PanelServices services, QWidget* parent = nullptr);
  ~PanelWindow() override;

  // Event handlers, public so tests call them directly instead of waiting.
  void Timer1_Timer();
  void Timer2_Timer();
  void LblName_Click();
  // The one dispatcher of the command table: every tool-bar button, menu entry and
  // command key comes here with its key; a command its rule refuses now is not run, and
  // the status bar says why.
  void Toolbar1_ButtonClick(const QString& key);
  // Offers to save a recording an earlier run did not finish (called once the window shows).
  void CheckUnfinishedRecording();

  PanelContext& Context() { return *context_; }
  PanelControls& Controls() { return controls_; }
  MeterLink& Link() { return link_; }
  FrameDecoder& Display() { return decoder_; }
  ProgramState& State() { return state_; }
  QTimer& Timer1() { return timer1_; }
  QTimer& Timer2() { return timer2_; }
  LinkOwner& Owner() { return linkOwner_; }
  Recording& CurrentRecording() { return recording_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetNameCaption(std::string_view caption) override;
  void AppendResultLine(std::string_view line) override;
  void SetLinkHint(std::string_view hint) override;

  void Form_Load();
  void BuildCommands();
  // The menu bar goes on top: everything else moves down by its height.
  void PlaceMenuBar();
  void BuildStatusLine();
  void UpdateRecordingEnabled();
  // Greys the commands that cannot run now, in the tool bar and the menus, with the
  // reason in their tool tip.
  void ShowCommandStates();
  CommandConditions Conditions() const;
  void RefuseShortcutsOf(QAction& action, bool refused);
  void ArmRecordTick(const DateTime& now);
  void ShowRecordingStatus();
  // Text labels under the tool-bar icons, or icons only: the window grows or shrinks by
  // the tool bar's change in height.
  void ShowToolbarLabels(bool shown);

  PanelServices services_;
  ProgramState state_;
  OpenWindows windows_;
  FrameDecoder decoder_;
  MeterLink link_;
  PollCycle poll_;
  LinkOwner linkOwner_;
  Recording recording_;
  SecondTicker ticker_;
  ClockStepWatch clockSteps_;  // a step of the wall clock is noted
  FreshFrames recordFrames_;
  QTimer timer1_;
  QTimer timer2_;
  PanelControls controls_;
  RunFolderMemory runFolderMemory_;
  std::unique_ptr<UserFiles> userFiles_;
  std::unique_ptr<PanelContext> context_;
  QToolBar* toolbar_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::vector<std::pair<const CommandRow*, QAction*>> commands_;
  QLabel* lblName_ = nullptr;
  PanelStatusBar* status_ = nullptr;
  bool lastTickFresh_ = true;
  std::optional<std::int64_t> recordingStartMs_;  // monotonic, while a recording runs
  QListWidget* lstResults_ = nullptr;
  LcdView* lcd_ = nullptr;
  KeypadWidget* keypad_ = nullptr;
};

}  // namespace orvane
