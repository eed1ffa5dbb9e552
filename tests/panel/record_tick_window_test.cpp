// SPDX-License-Identifier: GPL-3.0-or-later
// The record tick keeps wall-clock time whatever the user does meanwhile: keys pressed
// every 600 ms, an input box left open for 7 s, data logger downloads with keys pressed in
// the middle of them, and a message box after a download. The recording holds one record
// per second, numbered without a gap, each stamped with its own second, every column in
// the system the recording started with; the meter hears no key during a download.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <functional>
#include <sstream>

#include "datalogger/logger_codec.h"
#include "datalogger/logger_texts.h"
#include "datalogger/memory_window.h"
#include "gui_support/panel_rig.h"
#include "link/requests.h"
#include "recording/temp_folder.h"
#include "support/launcher_spy.h"

namespace orvane {
namespace {

// Dialogs answered from a script; while one is open, the program's timers run on for as
// long as the user keeps it open.
class OpenForAWhile final : public Dialogs {
 public:
  ScriptedDialogs script;
  std::function<void(int)> passTime;
  int openMs = 0;

  DialogAnswer Message(const std::string& text, MessageIcon icon, MessageButtons buttons,
                       const std::string& title) override {
    passTime(openMs);
    return script.Message(text, icon, buttons, title);
  }
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& defaultText) override {
    passTime(openMs);
    return script.Input(prompt, title, defaultText);
  }
  std::optional<std::string> OpenFile(const FileDialogRequest& r) override {
    return script.OpenFile(r);
  }
  std::optional<std::string> SaveFile(const FileDialogRequest& r) override {
    return script.SaveFile(r);
  }
};

class RecordTickProgram {
 public:
  RecordTickProgram()
      : panel_(PanelServices{sim.transport, MeterIds{test::SimRig::kVid, test::SimRig::kPid},
                             dialogs, launcher, sim.clock, folder.Path()}) {
    dialogs.passTime = [this](int ms) {
      sim.transport.AnswerOnly(-1);  // the meter answers again
      Run(ms);
    };
    sim.meter.FillLogger(3, 40);
  }

  // The program's event loop for `ms`: a poll every 250 ms, the record tick 5 ms after
  // each second, and while `keys` is set a key every 600 ms (RANGE and the unit key A in
  // turn, so the meter also switches between cd/m2 and fL).
  void Run(int ms) {
    for (int t = 0; t < ms; t += 5) {
      sim.clock.AdvanceMs(5);
      elapsedMs_ += 5;
      if (elapsedMs_ % 250 == 0) panel_.Timer1_Timer();
      if (elapsedMs_ % 1000 == 5) {
        fL_ += panel_.Display().UnitText() == "fL" && panel_.CurrentRecording().RecordingOn();
        panel_.Timer2_Timer();
        if (panel_.CurrentRecording().RecordingOn()) ++recordSeconds_;
      }
      if (keys && elapsedMs_ % 600 == 0) Key(++keyPresses_ % 2 ? "CmdBtn2" : "CmdBtn11")->click();
    }
  }
  QPushButton* Key(const char* name) { return panel_.findChild<QPushButton*>(name); }
  PanelWindow& Panel() { return panel_; }

  test::SimRig sim;
  OpenForAWhile dialogs;
  LauncherSpy launcher;
  testing_support::TempFolder folder;
  bool keys = false;
  long recordSeconds_ = 0;  // record ticks while recording
  int fL_ = 0;              // record ticks while the meter showed fL

 private:
  PanelWindow panel_;
  long elapsedMs_ = 0;
  int keyPresses_ = 0;
};

// The request codes the meter received from `from` on.
std::vector<int> CodesFrom(const VirtualMeter& meter, std::size_t from) {
  std::vector<int> codes;
  for (std::size_t i = from; i < meter.requestsReceived.size(); ++i) {
    codes.push_back(meter.requestsReceived[i][2]);
  }
  return codes;
}

bool HasKeyCode(const std::vector<int>& codes) {
  for (int c : codes) {
    if (c == request::kDisplayFrame || c == request::kBlinkFrame) continue;
    if (c == key::kRange || c == key::kA) return true;
  }
  return false;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The record lines of a data file, split at TABs.
std::vector<std::vector<std::string>> Records(const std::string& bytes) {
  std::vector<std::vector<std::string>> records;
  std::istringstream in(bytes);
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    if (n <= 8) continue;
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) {
      cell.erase(0, cell.find_first_not_of(' '));
      fields.push_back(cell);
    }
    records.push_back(fields);
  }
  return records;
}

TEST(RecordTick, OneRecordEverySecondWhateverTheUserDoesMeanwhile) {
  RecordTickProgram p;
  PanelWindow& panel = p.Panel();
  p.Run(1000);
  const std::string data = p.folder.File("day.lms");
  p.dialogs.script.QueueFile(data);
  panel.Toolbar1_ButtonClick("Save");
  ASSERT_TRUE(panel.CurrentRecording().RecordingOn());

  // Keys every 600 ms for 5 s; then the period's box open for 7 s, keys going on.
  p.keys = true;
  p.Run(5000);
  p.dialogs.openMs = 7000;
  p.dialogs.script.QueueInput("120");
  panel.Toolbar1_ButtonClick("RecSetup");
  EXPECT_EQ(p.sim.meter.recordingPeriod, 120);
  p.keys = false;
  p.Run(1000);

  // The data logger: keys pressed during the index download and during a set's download
  // reach the meter only once the download has ended.
  p.dialogs.openMs = 0;
  std::size_t before = p.sim.meter.requestsReceived.size();
  QTimer::singleShot(0, [&p] { p.Key("CmdBtn2")->click(); });
  panel.Toolbar1_ButtonClick("Memory");
  MemoryWindow* memory = FindMemoryWindow(panel.Context());
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(panel.Owner().Refusals(), 1);  // the key came in the middle of the download
  EXPECT_FALSE(HasKeyCode(CodesFrom(p.sim.meter, before)));
  for (std::size_t k = 0; k < p.sim.meter.sets.size(); ++k) {
    EXPECT_EQ(panel.State().SetStamps.at(k + 1), StampText(p.sim.meter.sets[k].stamp)) << k;
  }
  before = p.sim.meter.requestsReceived.size();
  QTimer::singleShot(0, [&p] { p.Key("CmdBtn2")->click(); });
  memory->GridSet_Click(1);
  EXPECT_EQ(panel.Owner().Refusals(), 2);
  EXPECT_FALSE(HasKeyCode(CodesFrom(p.sim.meter, before)));
  ASSERT_FALSE(p.launcher.opened.empty());
  const std::string& sent = p.sim.meter.sets[0].content;
  EXPECT_EQ(ReadAll(p.launcher.opened.back()).substr(0, sent.size()), sent);
  QApplication::processEvents();  // the key that waited is refused, not sent late
  EXPECT_FALSE(HasKeyCode(CodesFrom(p.sim.meter, before)));

  // A download the meter breaks off: its message box stays open for 5 s.
  p.dialogs.openMs = 5000;
  p.sim.transport.AnswerOnly(2);
  memory->GridSet_Click(2);
  ASSERT_FALSE(p.dialogs.script.Log().empty());
  EXPECT_EQ(p.dialogs.script.Log().back().text, kSetIncompleteText);
  memory->close();
  p.Run(2000);
  panel.Toolbar1_ButtonClick("Save");
  ASSERT_FALSE(panel.CurrentRecording().RecordingOn());

  const auto records = Records(ReadAll(data));
  ASSERT_EQ(static_cast<long>(records.size()), p.recordSeconds_);
  ASSERT_GE(records.size(), 20u);
  EXPECT_GT(p.fL_, 0);  // the meter showed fL for some of the records
  for (std::size_t k = 0; k < records.size(); ++k) {
    const auto& r = records[k];
    ASSERT_EQ(r.size(), 6u) << k;  // "-", number, time, main, cd, the CR after the last TAB
    EXPECT_EQ(r[1], std::to_string(k + 1));  // numbered without a gap
    // One second after the other, none twice, none left out.
    const DateTime stamp = FromSerialSeconds(ToSerialSeconds({2024, 5, 17, 10, 30, 1, 0}) +
                                             static_cast<std::int64_t>(k));
    EXPECT_EQ(r[2], FormatDateTime(stamp)) << k;
    // The main and the cd column show the same reading in the header's system, also
    // while the meter showed the other one.
    EXPECT_EQ(r[3], r[4]) << k;
  }
}

// Without a display frame decoded since the last tick, a tick writes nothing: the
// stamps show the gap, the numbering goes on, and the status line says so.
TEST(RecordTick, SecondsWithoutAFreshReadingAreLeftOut) {
  RecordTickProgram p;
  PanelWindow& panel = p.Panel();
  p.Run(1000);
  p.dialogs.script.QueueFile(p.folder.File("gap.lms"));
  panel.Toolbar1_ButtonClick("Save");
  p.Run(3000);
  p.sim.transport.Unplug();
  p.Run(3000);
  EXPECT_EQ(panel.findChild<QLabel*>("LblRecording")->text(), "No reading");
  p.sim.transport.Plug();
  p.Run(2000);
  EXPECT_EQ(panel.findChild<QLabel*>("LblRecording")->text(), "Rec");
  panel.Toolbar1_ButtonClick("Save");

  const auto records = Records(ReadAll(p.folder.File("gap.lms")));
  std::vector<std::string> stamps;
  for (std::size_t k = 0; k < records.size(); ++k) {
    EXPECT_EQ(records[k][1], std::to_string(k + 1));
    stamps.push_back(records[k][2].substr(11));
  }
  // The meter is found again by the poll after the plug; the seconds unplugged are gaps.
  EXPECT_EQ(stamps,
            (std::vector<std::string>{"10:30:01", "10:30:02", "10:30:03", "10:30:04", "10:30:08"}));
}

}  // namespace
}  // namespace orvane
