// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's Save and Open buttons and the record tick, on the built-in meter with
// scripted dialogs.

#include "panel/recording_commands_qt.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <filesystem>

#include "gui_support/panel_rig.h"
#include "recording/recording_file.h"
#include "recording/temp_folder.h"

namespace orvane {
namespace {

using test::PanelRig;
using testing_support::ReadBytes;
using testing_support::WriteBytes;
using Kind = ScriptedDialogs::Asked::Kind;

class RecordingCommands : public ::testing::Test {
 protected:
  RecordingCommands() {
    rig.panel->Timer1_Timer();  // the meter is found
    rig.dialogs.ClearLog();
  }

  std::string Path(const char* name) const { return rig.workingFolder + "/" + name; }
  QAction* SaveButton() const { return rig.panel->Controls().SaveButton; }
  ProgramState& State() { return rig.panel->State(); }
  const Recording& Rec() { return rig.panel->CurrentRecording(); }
  bool PlotOpen() { return rig.panel->Context().windows.PlotOpen(); }

  // Save pressed while the panel offers recording.
  void PressSave() {
    rig.panel->Controls().RecordingEnabled = true;
    rig.panel->Toolbar1_ButtonClick("Save");
  }

  // One second later, after a poll: one tick; returns the record line it should have written.
  std::string Tick() {
    rig.sim.clock.AdvanceMs(1000);
    rig.panel->Timer1_Timer();
    const LiveReading r = rig.panel->Context().Reading();
    const std::string line =
        RecordLine(Rec().RecordCount() + 1, FormatDateTime(rig.sim.clock.Now()), r.text, r.cdText);
    rig.panel->Timer2_Timer();
    return line;
  }

  std::string BodyHeader() const {
    return BodyHeaderLines(rig.panel->Display().UnitText() == "cd/m2", "");
  }

  PanelRig rig;
};

TEST_F(RecordingCommands, SaveIsGreyedAndInertWithoutAFrame) {
  rig.sim.transport.Unplug();
  rig.panel->Timer1_Timer();
  EXPECT_FALSE(rig.panel->Controls().RecordingEnabled);
  EXPECT_FALSE(SaveButton()->isEnabled());
  rig.panel->Toolbar1_ButtonClick("Save");
  EXPECT_TRUE(rig.dialogs.Log().empty());
  EXPECT_FALSE(Rec().RecordingOn());
}

TEST_F(RecordingCommands, ThreeTicksMakeTheExactDataFile) {
  rig.dialogs.QueueFile(Path("three.lms"));
  PressSave();
  ASSERT_TRUE(Rec().RecordingOn());
  EXPECT_EQ(rig.Caption("LblFileName"), "three.lms");
  EXPECT_EQ(SaveButton()->toolTip(), "Stop Recording");
  EXPECT_FALSE(rig.Find<QLabel>("LblRecording")->isHidden());
  EXPECT_EQ(rig.dialogs.Log().at(0).kind, Kind::SaveFile);

  std::string body = BodyHeader();
  for (int k = 1; k <= 3; ++k) {
    body += Tick();
    // Each record is in the scratch file as soon as its tick is over.
    EXPECT_EQ(ReadBytes(Path("LightMeterS.tmp")), body);
    EXPECT_EQ(rig.Caption("LblCount"), QString::number(k));
    EXPECT_EQ(rig.Caption("LblRecording"), "Rec");
  }

  rig.panel->Toolbar1_ButtonClick("Save");
  EXPECT_EQ(ReadBytes(Path("three.lms")), FileHeaderLines(3) + body);
  EXPECT_NE(body.find("\t2024/05/17 10:30:03\t"), std::string::npos);
  EXPECT_FALSE(Rec().RecordingOn());
  EXPECT_FALSE(State().SaveAccepted);
  EXPECT_EQ(Rec().RecordCount(), 0);
  EXPECT_EQ(SaveButton()->toolTip(), "Save As");
  EXPECT_TRUE(rig.Find<QLabel>("LblRecording")->isHidden());
  EXPECT_EQ(rig.Caption("LblCount"), "");
  EXPECT_EQ(rig.Caption("LblFileName"), "");
  Tick();
  EXPECT_EQ(rig.Caption("LblRecording"), "");
}

TEST_F(RecordingCommands, StopBeforeTheFirstTickAnnouncesNoRecords) {
  WriteBytes(Path("empty.lms"), "an older file of that name");
  rig.dialogs.QueueFile(Path("empty.lms"));
  PressSave();
  PressSave();
  EXPECT_EQ(ReadBytes(Path("empty.lms")), "-\r\n-\r\n-\r\n-\tTotal Records : 0\r\n" + BodyHeader());
}

TEST_F(RecordingCommands, CancelledSaveDialogStartsNothing) {
  WriteBytes(Path("LightMeterS.tmp"), "an older recording");
  PressSave();  // nothing queued: the dialog is cancelled
  EXPECT_FALSE(Rec().RecordingOn());
  EXPECT_FALSE(State().SaveAccepted);
  EXPECT_EQ(SaveButton()->toolTip(), "Save As");
  EXPECT_EQ(ReadBytes(Path("LightMeterS.tmp")), "an older recording");
}

TEST_F(RecordingCommands, RunningRecordingStopsAlsoAfterTheMeterWentAway) {
  rig.dialogs.QueueFile(Path("gone.lms"));
  PressSave();
  Tick();
  rig.sim.transport.Unplug();
  rig.panel->Timer1_Timer();
  EXPECT_TRUE(SaveButton()->isEnabled());
  rig.panel->Controls().RecordingEnabled = false;
  rig.panel->Toolbar1_ButtonClick("Save");
  EXPECT_FALSE(Rec().RecordingOn());
  EXPECT_EQ(ReadBytes(Path("gone.lms")).find("-\r\n-\r\n-\r\n-\tTotal Records : 1\r\n"), 0u);
}

TEST_F(RecordingCommands, UnwritableDataFileIsReportedAndSavedElsewhere) {
  const std::string bad = Path("missing-folder/rec.lms");
  rig.dialogs.QueueFile(bad);
  PressSave();
  std::string body = BodyHeader();
  body += Tick();
  body += Tick();

  // First stop: the user gives up on choosing another file; nothing is lost.
  rig.dialogs.ClearLog();
  rig.panel->Toolbar1_ButtonClick("Save");
  ASSERT_EQ(rig.dialogs.Log().size(), 2u);
  EXPECT_EQ(rig.dialogs.Log()[0].kind, Kind::Message);
  EXPECT_EQ(rig.dialogs.Log()[0].icon, MessageIcon::Critical);
  EXPECT_NE(rig.dialogs.Log()[0].text.find(bad), std::string::npos);
  EXPECT_NE(rig.dialogs.Log()[0].text.find("No such file"), std::string::npos);
  EXPECT_EQ(rig.dialogs.Log()[1].kind, Kind::SaveFile);
  EXPECT_TRUE(Rec().RecordingOn());
  EXPECT_EQ(SaveButton()->toolTip(), "Stop Recording");
  EXPECT_TRUE(rig.panel->Timer2().isActive());

  // The recording went on; the second stop is saved in another file.
  body += Tick();
  EXPECT_EQ(rig.Caption("LblCount"), "3");
  rig.dialogs.QueueFile(Path("elsewhere.lms"));
  rig.panel->Toolbar1_ButtonClick("Save");
  EXPECT_FALSE(Rec().RecordingOn());
  EXPECT_EQ(ReadBytes(Path("elsewhere.lms")), FileHeaderLines(3) + body);
}

TEST_F(RecordingCommands, ClosingThePanelFinishesTheDataFileFirst) {
  rig.dialogs.QueueFile(Path("exit.lms"));
  PressSave();
  std::string body = BodyHeader();
  body += Tick();
  body += Tick();
  FinishBeforeExit(rig.panel->Context(), rig.panel->Controls());
  EXPECT_EQ(ReadBytes(Path("exit.lms")), FileHeaderLines(2) + body);
  EXPECT_FALSE(Rec().RecordingOn());
}

TEST_F(RecordingCommands, OpenWhileRecordingOnlyWarns) {
  rig.dialogs.QueueFile(Path("rec.lms"));
  PressSave();
  rig.dialogs.ClearLog();
  rig.panel->Toolbar1_ButtonClick("Open");
  ASSERT_EQ(rig.dialogs.Log().size(), 1u);
  EXPECT_EQ(rig.dialogs.Log()[0].text, "Recording Mode!\n\rPlease stop recording!");
  EXPECT_EQ(rig.dialogs.Log()[0].icon, MessageIcon::Critical);
  EXPECT_EQ(rig.dialogs.Log()[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(Rec().RecordingOn());
}

TEST_F(RecordingCommands, OpenFillsThePlotAndOpensTheEditor) {
  rig.dialogs.QueueFile(Path("rec.lms"));
  PressSave();
  Tick();
  Tick();
  PressSave();

  rig.dialogs.QueueFile(Path("rec.lms"));
  rig.panel->Toolbar1_ButtonClick("Open");
  EXPECT_TRUE(PlotOpen());
  EXPECT_EQ(State().Plot.PlotRecords, 2);
  ASSERT_EQ(State().Plot.PlotTimes.size(), 2u);
  EXPECT_EQ(State().Plot.PlotTimes[1], "2024/05/17 10:30:02");
  EXPECT_EQ(rig.launcher.opened, std::vector<std::string>{Path("rec.lms")});
  EXPECT_TRUE(rig.panel->Timer1().isActive());
  EXPECT_TRUE(rig.panel->Timer2().isActive());
  EXPECT_EQ(rig.panel->windowTitle(), "Panel   V8.01");
}

TEST_F(RecordingCommands, MalformedFileIsRefusedWithItsLineAndTheTimersRunAgain) {
  WriteBytes(Path("bad.lms"),
             "-\r\n-\r\n-\r\n-\tTotal Records : 2\r\n-\r\n-\r\n-\tLux\r\n-\r\n"
             "-\t1\tT\t5\t5\t\r\n-\t2\tT\t5\r\n");
  rig.dialogs.QueueFile(Path("bad.lms"));
  rig.panel->Toolbar1_ButtonClick("Open");
  ASSERT_EQ(rig.dialogs.Log().size(), 2u);
  EXPECT_EQ(rig.dialogs.Log()[1].icon, MessageIcon::Critical);
  EXPECT_NE(rig.dialogs.Log()[1].text.find("Line 10: "), std::string::npos)
      << rig.dialogs.Log()[1].text;
  EXPECT_FALSE(PlotOpen());
  EXPECT_TRUE(rig.launcher.opened.empty());
  EXPECT_TRUE(rig.panel->Timer1().isActive());
  EXPECT_TRUE(rig.panel->Timer2().isActive());
}

TEST_F(RecordingCommands, CancelledOpenDialogDoesNothing) {
  rig.panel->Toolbar1_ButtonClick("Open");
  ASSERT_EQ(rig.dialogs.Log().size(), 1u);
  EXPECT_EQ(rig.dialogs.Log()[0].kind, Kind::OpenFile);
  EXPECT_FALSE(PlotOpen());
  EXPECT_TRUE(rig.launcher.opened.empty());
}

}  // namespace
}  // namespace orvane
