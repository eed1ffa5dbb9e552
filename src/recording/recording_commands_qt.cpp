// Tool bar Save: recording the reading to a data file once a second, and finishing the
// data file when the recording stops or the panel closes.
#include <QAction>
#include <QLabel>
#include <map>
#include <memory>

#include "common/working_folder.h"
#include "panel/panel_commands.h"
#include "panel/panel_toolbar.h"
#include "recording/file_choice.h"
#include "recording/recorded_reading.h"
#include "recording/recording_file.h"
#include "recording/unfinished_recording.h"

namespace orvane {

namespace {

constexpr const char* kStopToolTip = "Stop Recording";
constexpr const char* kSaveToolTip = "Save As";

// The scratch file of the recording a panel runs, and whether a failed write was told.
struct RecordingSession {
  RecordingFile file;
  bool metric = true;
  bool writeFailureShown = false;
};

// One session per panel (per program state); the panel holds no slot for it.
RecordingSession& SessionOf(const ProgramState& state) {
  static std::map<const ProgramState*, std::unique_ptr<RecordingSession>> sessions;
  auto& session = sessions[&state];
  if (!session) session = std::make_unique<RecordingSession>();
  return *session;
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

void ShowRecordingControls(PanelControls& controls, bool recording) {
  if (controls.SaveButton != nullptr) {
    controls.SaveButton->setIcon(ToolbarIcon(recording ? "Stop" : "Save"));
    controls.SaveButton->setToolTip(recording ? kStopToolTip : kSaveToolTip);
  }
  controls.LblRecording->setVisible(recording);
  if (!recording) {
    controls.LblCount->clear();
    controls.LblFileName->clear();
  }
}

void StartRecording(PanelContext& ctx, PanelControls& controls) {
  ShowSaveDialog(ctx.dialogs, ctx.state, ctx.Files(), ctx.clock.Now());
  if (!ctx.state.SaveAccepted) return;

  RecordingSession& session = SessionOf(ctx.state);
  const std::string unit = ctx.display.UnitText();
  session.metric = unit == "cd/m2";
  session.writeFailureShown = false;
  std::string error;
  const std::string scratch = InWorkingFolder(ctx.workingFolder, kRecordingTempName);
  if (!EnsureWorkingFolder(ctx.workingFolder) ||
      !BeginRecordingFile(session.file, scratch, session.metric, "", error)) {
    if (error.empty()) error = "The folder " + ctx.workingFolder + " cannot be created.";
    ctx.dialogs.Message("The recording cannot start.\r\n" + error, MessageIcon::Critical,
                        MessageButtons::Ok, "");
    ctx.state.SaveAccepted = false;
    return;
  }
  // The mark lets the next start find this recording if the program does not finish it;
  // without it the recording runs all the same.
  std::string markError;
  MarkRecordingRunning(ctx.workingFolder, ctx.state.SaveFileName, markError);
  ctx.state.RecordingUnit = unit;
  ctx.state.RecordCount = 0;
  controls.LblFileName->setText(Q(FileTitle(ctx.state.SaveFileName)));
  ShowRecordingControls(controls, true);
  ctx.state.RecordingOn = true;
}

// Writes the data file; while it cannot be written, says why and asks for another file.
// False when the user gives up: the records stay in the scratch file.
bool SaveRecording(PanelContext& ctx) {
  RecordingSession& session = SessionOf(ctx.state);
  for (;;) {
    std::string error;
    if (FinishRecordingFile(session.file, ctx.state.SaveFileName, ctx.state.RecordCount, error)) {
      ClearRecordingMark(ctx.workingFolder);
      return true;
    }
    ctx.dialogs.Message("The data file cannot be written.\r\n" + error +
                            "\r\nThe records are kept: please choose another file.",
                        MessageIcon::Critical, MessageButtons::Ok, "");
    ShowSaveDialog(ctx.dialogs, ctx.state, ctx.Files(), ctx.clock.Now(), ctx.state.SaveFileName);
    if (!ctx.state.SaveAccepted) return false;
  }
}

void StopRecording(PanelContext& ctx, PanelControls& controls) {
  // No tick may run while the dialogs of a failed save are open.
  const bool tickWasRunning = ctx.timer2.isActive();
  ctx.timer2.stop();
  ctx.state.RecordingOn = false;
  if (SaveRecording(ctx)) {
    ShowRecordingControls(controls, false);
    ctx.state.RecordCount = 0;
    ctx.state.SaveAccepted = false;
  } else {
    // Not saved: the recording goes on, so that it can be stopped and saved again.
    ctx.state.RecordingOn = true;
    ctx.state.SaveAccepted = true;
  }
  if (tickWasRunning) ctx.timer2.start();
}

}  // namespace

void CommandSave(PanelContext& ctx, PanelControls& controls) {
  // A running recording can always be stopped, also after the meter went away.
  if (ctx.state.RecordingOn) {
    StopRecording(ctx, controls);
  } else if (controls.RecordingEnabled) {
    StartRecording(ctx, controls);
  }
}

void RecordTick(PanelContext& ctx, PanelControls& controls, const std::string& time) {
  if (!ctx.state.RecordingOn) {
    controls.LblFileName->clear();
    controls.LblCount->clear();
    controls.LblRecording->clear();
    ctx.state.RecordCount = 0;
    return;
  }
  RecordingSession& session = SessionOf(ctx.state);
  const LiveReading reading = ctx.Reading();
  const long number = ctx.state.RecordCount + 1;
  std::string error;
  if (!AppendRecord(session.file, number, time, MainTextFor(reading, session.metric),
                    reading.cdText, error)) {
    // The record is not counted, so the count stays the number of lines written. Told
    // once: the next ticks try again.
    if (!session.writeFailureShown) {
      session.writeFailureShown = true;
      ctx.dialogs.Message("A record cannot be written.\r\n" + error, MessageIcon::Critical,
                          MessageButtons::Ok, "");
    }
    return;
  }
  ctx.state.RecordCount = number;
  controls.LblCount->setText(QString::number(number));
  controls.LblRecording->setText("Rec");
}

void FinishBeforeExit(PanelContext& ctx, PanelControls& controls) {
  if (!ctx.state.RecordingOn) return;
  ctx.state.RecordingOn = false;
  if (SaveRecording(ctx)) {
    ShowRecordingControls(controls, false);
    return;
  }
  ctx.dialogs.Message("The recording was not saved. Its records remain in " +
                          SessionOf(ctx.state).file.ScratchPath() +
                          " until the next recording starts.",
                      MessageIcon::Exclamation, MessageButtons::Ok, "");
}

// At start-up: a recording that was never finished (the program was killed while it
// ran) is offered for saving. Declined, it stays until the next recording starts.
void OfferUnfinishedRecording(PanelContext& ctx) {
  const std::optional<UnfinishedRecording> found = FindUnfinishedRecording(ctx.workingFolder);
  if (!found) return;
  const std::string question = "A recording of " + std::to_string(found->records) +
                               " records was not finished (it was to be saved as " +
                               found->dataPath + ").\r\nDo you want to save it now?";
  if (ctx.dialogs.Message(question, MessageIcon::Question, MessageButtons::YesNo, "") !=
      DialogAnswer::Yes) {
    return;
  }
  ShowSaveDialog(ctx.dialogs, ctx.state, ctx.Files(), ctx.clock.Now(), found->dataPath);
  if (ctx.state.SaveAccepted) {
    std::string error;
    if (!SaveUnfinishedRecording(ctx.workingFolder, ctx.state.SaveFileName, error)) {
      ctx.dialogs.Message("The data file cannot be written.\r\n" + error +
                              "\r\nThe records are kept until the next recording starts.",
                          MessageIcon::Critical, MessageButtons::Ok, "");
    }
  }
  ctx.state.SaveAccepted = false;
}

}  // namespace orvane
