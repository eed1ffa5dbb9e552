// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/recording_commands_qt.h"

#include <QAction>
#include <QLabel>

#include "common/working_folder.h"
#include "recording/file_choice.h"
#include "recording/recording.h"
#include "recording/recording_file.h"
#include "recording/unfinished_recording.h"

namespace orvane {

namespace {

constexpr const char* kStopToolTip = "Stop Recording";
constexpr const char* kSaveToolTip = "Save As";
constexpr const char* kSaveCaption = "&Record…";
constexpr const char* kSaveLabel = "Record";
constexpr const char* kStopCaption = "&Stop recording";
constexpr const char* kStopLabel = "Stop";

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

void ShowRecordingControls(PanelControls& controls, bool recording) {
  if (controls.SaveButton != nullptr) {
    QAction& save = *controls.SaveButton;
    save.setIcon(CommandIcon(recording ? DrawStopIcon : DrawRecordIcon));
    save.setToolTip(recording ? kStopToolTip : kSaveToolTip);
    save.setText(recording ? kStopCaption : kSaveCaption);
    save.setIconText(recording ? kStopLabel : kSaveLabel);
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

  const LiveReading reading = ctx.Reading();
  std::string error;
  const std::string scratch = InWorkingFolder(ctx.workingFolder, kRecordingTempName);
  if (!EnsureWorkingFolder(ctx.workingFolder) ||
      !ctx.recording.Start(scratch, reading.system, error)) {
    if (error.empty()) error = "The folder " + ctx.workingFolder + " cannot be created.";
    ctx.dialogs.Message("The recording cannot start.\r\n" + error, MessageIcon::Critical,
                        MessageButtons::Ok, "");
    ctx.state.SaveAccepted = false;
    return;
  }
  // Something planted in the scratch file's place was moved aside: the user is told.
  if (!ctx.recording.Notice().empty()) {
    ctx.dialogs.Message(ctx.recording.Notice(), MessageIcon::Exclamation, MessageButtons::Ok, "");
  }
  controls.WriteFailureShown = false;
  // The mark lets the next start find this recording if the program does not finish it;
  // without it the recording runs all the same.
  std::string markError;
  MarkRecordingRunning(ctx.workingFolder, ctx.state.SaveFileName, markError);
  controls.LblFileName->setText(Q(FileTitle(ctx.state.SaveFileName)));
  ShowRecordingControls(controls, true);
}

// Writes the data file; while it cannot be written, says why and asks for another file.
// False when the user gives up: the records stay in the scratch file.
bool SaveRecording(PanelContext& ctx) {
  for (;;) {
    std::string error;
    if (ctx.recording.Stop(ctx.state.SaveFileName, error)) {
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

// The record tick runs on while the dialogs of a failed save are open: those records are
// kept, and the next Save writes them too.
void StopRecording(PanelContext& ctx, PanelControls& controls) {
  if (SaveRecording(ctx)) {
    ShowRecordingControls(controls, false);
    ctx.state.SaveAccepted = false;
  } else {
    // Not saved: the recording goes on, so that it can be stopped and saved again.
    ctx.state.SaveAccepted = true;
  }
}

}  // namespace

CommandRows RecordingCommands() {
  static const CommandRow rows[] = {
      {.key = "Save",
       .caption = kSaveCaption,
       .toolTip = kSaveToolTip,
       .shortcut = "Ctrl+S",
       .icon = DrawRecordIcon,
       .rule = CommandRule::NeedsReading,
       .run = CommandSave,
       .menu = CommandMenu::File,
       .toolbarPlace = 1,
       .label = kSaveLabel},
  };
  return rows;
}

void CommandSave(PanelContext& ctx, PanelControls& controls) {
  // A running recording can always be stopped, also after the meter went away.
  if (ctx.recording.RecordingOn()) {
    StopRecording(ctx, controls);
  } else if (controls.RecordingEnabled) {
    StartRecording(ctx, controls);
  }
}

void RecordTick(PanelContext& ctx, PanelControls& controls, const std::string& time,
                const std::optional<LiveReading>& fresh) {
  std::string error;
  const Recording::TickResult result = ctx.recording.Tick(time, fresh, error);
  if (result == Recording::TickResult::Failed && !controls.WriteFailureShown) {
    // The record is not counted, so the count stays the number of lines written. Told
    // once: the next ticks try again.
    controls.WriteFailureShown = true;
    ctx.dialogs.Message("A record cannot be written.\r\n" + error, MessageIcon::Critical,
                        MessageButtons::Ok, "");
  }
  if (!ctx.recording.RecordingOn()) {
    controls.LblFileName->clear();
    controls.LblCount->clear();
    return;
  }
  if (result == Recording::TickResult::Written) {
    controls.LblCount->setText(QString::number(ctx.recording.RecordCount()));
  }
}

void FinishBeforeExit(PanelContext& ctx, PanelControls& controls) {
  if (!ctx.recording.RecordingOn()) return;
  if (SaveRecording(ctx)) {
    ShowRecordingControls(controls, false);
    return;
  }
  // Named only once it is sure to hold them (its folder may be gone: a new one is made).
  std::string error;
  if (!ctx.recording.KeepScratch(error)) {
    ctx.dialogs.Message("The recording was not saved, and its records cannot be kept.\r\n" + error,
                        MessageIcon::Critical, MessageButtons::Ok, "");
    return;
  }
  ctx.dialogs.Message("The recording was not saved. Its records remain in " +
                          ctx.recording.ScratchPath() + " until the next recording starts.",
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
