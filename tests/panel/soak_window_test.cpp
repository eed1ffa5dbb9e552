// SPDX-License-Identifier: GPL-3.0-or-later
// A long run of the panel against a misbehaving meter: it is unplugged and plugged
// again, stops answering, fails reads and answers with replies that belong to another
// request, while the poll, the keys, recordings, the list, the settings commands and
// data logger downloads run. Nothing may hang or crash, every recording's data file must
// hold exactly one line per record tick, and every timer a command stopped runs again.
//
// 100000 poll ticks (about 2 s, 5 s under the sanitizers); ORVANE_SOAK_TICKS overrides
// the number. Reads never wait for real time.

#include <gtest/gtest.h>

#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

#include "common/text_fields.h"
#include "datalogger/logger_texts.h"
#include "datalogger/memory_window.h"
#include "gui_support/panel_rig.h"
#include "recording/meter_settings.h"
#include "recording/temp_folder.h"

namespace orvane {
namespace {

using testing_support::ReadBytes;

long SoakTicks() {
  if (const char* env = std::getenv("ORVANE_SOAK_TICKS"); env != nullptr && *env != '\0') {
    return std::atol(env);
  }
  return 100000;
}

// The record lines of a data file whose header announces `announced` records.
std::vector<std::string> RecordLines(const std::string& bytes, long& announced) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  announced = -1;
  if (lines.size() >= 4) std::sscanf(lines[3].c_str(), "-\tTotal Records : %ld", &announced);
  if (lines.size() <= 8) return {};
  return {lines.begin() + 8, lines.end()};
}

struct Faults {
  int unplugs = 0;
  int silences = 0;
  int failedReads = 0;
  int mixUps = 0;
};

struct Work {
  int keys = 0;
  int intv = 0;
  int recSetup = 0;
  int memory = 0;
  int downloads = 0;     // record sets saved and opened in the editor
  int strayLengths = 0;  // set lengths beyond the memory, refused
  int recordings = 0;
  long recordTicks = 0;  // record ticks while recording
  long recordsWritten = 0;
  int timersLeftStopped = 0;  // commands after which a timer stayed stopped
  int silentMeter = 0;        // settings the meter did not answer: told, no box
};

class Soak {
 public:
  Soak() {
    rig.sim.meter.FillLogger(3, 40);
    // The tests call the handlers; the real timers must never fire on their own while a
    // download lets events run.
    rig.panel->Timer1().setInterval(24 * 3600 * 1000);
    rig.panel->Timer2().setInterval(24 * 3600 * 1000);
    rig.panel->Timer1().start();
    rig.panel->Timer2().start();
    // The keys a user sees: those inside the panel's designed client area (the older
    // key set outside it holds, among others, the code that erases the data logger).
    const QRect client = rig.panel->rect();
    for (QPushButton* b : rig.panel->findChildren<QPushButton*>()) {
      const bool key = b->objectName().startsWith("CmdBtn") || b->objectName() == "Cmdref";
      const QRect at(b->mapTo(rig.panel.get(), QPoint(0, 0)), b->size());
      if (key && b->isVisibleTo(rig.panel.get()) && client.contains(at)) keys_.push_back(b);
    }
  }

  void Run(long ticks) {
    rig.panel->Timer1_Timer();
    rig.panel->Toolbar1_ButtonClick("List");
    for (long t = 1; t <= ticks; ++t) {
      InjectFaults();
      rig.sim.clock.AdvanceMs(250);
      if (rig.panel->Timer1().isActive()) rig.panel->Timer1_Timer();
      if (t % 4 == 0) RecordTick();
      Act();
    }
    if (rig.panel->CurrentRecording().RecordingOn()) StopRecording();
  }

  // Clears every fault and lets the poll find the meter again.
  void Heal() {
    rig.sim.transport.Plug();
    rig.sim.transport.SetSilent(false);
    rig.sim.transport.FailReads(0);
    rig.sim.transport.MixUpReplies(0);
    for (int i = 0; i < 3; ++i) rig.panel->Timer1_Timer();
  }

  test::PanelRig rig;
  Faults faults;
  Work work;
  long listTicks = 0;

 private:
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
  std::uint64_t framesSeen_ = 0;
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

  void InjectFaults() {
    SimulatedTransport& t = rig.sim.transport;
    if (unpluggedFor_ > 0 && --unpluggedFor_ == 0) t.Plug();
    if (silentFor_ > 0 && --silentFor_ == 0) t.SetSilent(false);
    const double r = std::uniform_real_distribution<double>(0, 1)(random_);
    if (r < 0.002 && unpluggedFor_ == 0) {
      t.Unplug();
      unpluggedFor_ = Between(1, 40);
      ++faults.unplugs;
    } else if (r < 0.004 && silentFor_ == 0) {
      t.SetSilent(true);
      silentFor_ = Between(1, 20);
      ++faults.silences;
    } else if (r < 0.007) {
      const int n = Between(1, 3);
      t.FailReads(n);
      faults.failedReads += n;
    } else if (r < 0.015) {
      t.MixUpReplies(Between(1, 3));
    }
  }

  // A record is due only for a second with a display frame decoded since the last one.
  void RecordTick() {
    if (!rig.panel->Timer2().isActive()) return;
    const bool recording = rig.panel->CurrentRecording().RecordingOn();
    const bool fresh = rig.panel->Display().FramesDecoded() != framesSeen_;
    framesSeen_ = rig.panel->Display().FramesDecoded();
    rig.panel->Timer2_Timer();
    rig.panel->Timer2().start(24 * 3600 * 1000);  // the tick re-arms itself for real time
    if (!fresh) return;
    ++listTicks;
    if (recording) {
      ++work.recordTicks;
      times_.push_back(FormatDateTime(rig.sim.clock.Now()));
    }
  }

  void Act() {
    const double r = std::uniform_real_distribution<double>(0, 1)(random_);
    if (r < 0.004) {
      keys_[static_cast<std::size_t>(Between(0, static_cast<int>(keys_.size()) - 1))]->click();
      CheckTimers();
      ++work.keys;
    } else if (r < 0.0045) {
      rig.dialogs.QueueInput("00:00:0" + std::to_string(Between(1, 9)));
      Command("Intv");
      CheckSilentMeterAskedNothing();
      ++work.intv;
    } else if (r < 0.005 && !rig.panel->Display().Flag("AnnREC")) {
      rig.dialogs.QueueInput(std::to_string(Between(1, 9999)));
      Command("RecSetup");
      CheckSilentMeterAskedNothing();
      ++work.recSetup;
    } else if (r < 0.0053) {
      Download();
    } else if (r < 0.0073 && !rig.panel->CurrentRecording().RecordingOn() &&
               rig.panel->Controls().RecordingEnabled) {
      StartRecording();
    } else if (r < 0.0078 && rig.panel->CurrentRecording().RecordingOn()) {
      StopRecording();
    }
    if (rig.dialogs.Log().size() > 1000) rig.dialogs.ClearLog();
  }

  // A meter that did not answer the setting's query is said to, and no box is shown:
  // the answer scripted for the box stays unused and is dropped.
  void CheckSilentMeterAskedNothing() {
    if (rig.dialogs.Unused() == 0) return;
    ASSERT_FALSE(rig.dialogs.Log().empty());
    EXPECT_EQ(rig.dialogs.Log().back().text, kMeterSilentText);
    ++work.silentMeter;
    rig.dialogs = ScriptedDialogs{};
  }

  void Command(const char* key) {
    rig.panel->Toolbar1_ButtonClick(key);
    CheckTimers();
  }

  void CheckTimers() {
    if (!rig.panel->Timer1().isActive() || !rig.panel->Timer2().isActive()) {
      ++work.timersLeftStopped;
      rig.panel->Timer1().start();
      rig.panel->Timer2().start();
    }
  }

  void Download() {
    const std::size_t opened = rig.launcher.opened.size();
    // The data logger is read only while the meter just measures: the user ends the
    // modes the keys left on, and the poll shows it.
    rig.sim.meter.ReturnToMeasuring();
    if (rig.panel->Timer1().isActive()) rig.panel->Timer1_Timer();
    Command("Memory");
    ++work.memory;
    if (MemoryWindow* w = FindMemoryWindow(rig.panel->Context())) {
      rig.dialogs.ClearLog();
      // Now and then the replies get mixed up right in the download.
      if (Chance(0.3)) rig.sim.transport.MixUpReplies(Between(1, 3));
      w->GridSet_Click(1);
      for (const auto& asked : rig.dialogs.Log())
        work.strayLengths += asked.text == kSetBeyondMemoryText;
      CheckTimers();
      w->close();
    }
    work.downloads += static_cast<int>(rig.launcher.opened.size() - opened);
  }

  void StartRecording() {
    path_ = rig.workingFolder + "/soak" + std::to_string(work.recordings + 1) + ".lms";
    rig.dialogs.QueueFile(path_);
    Command("Save");
    ASSERT_TRUE(rig.panel->CurrentRecording().RecordingOn());
    ++work.recordings;
    times_.clear();
  }

  void StopRecording() {
    Command("Save");
    ASSERT_FALSE(rig.panel->CurrentRecording().RecordingOn());
    long announced = 0;
    const std::vector<std::string> lines = RecordLines(ReadBytes(path_), announced);
    EXPECT_EQ(announced, static_cast<long>(times_.size())) << path_;
    ASSERT_EQ(lines.size(), times_.size()) << path_;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const std::string start = "-\t" + RightAligned(std::to_string(k + 1), 10) + "\t" + times_[k];
      ASSERT_EQ(lines[k].rfind(start, 0), 0u) << path_ << " record " << k + 1 << ": " << lines[k];
    }
    work.recordsWritten += static_cast<long>(lines.size());
  }

  std::mt19937 random_{20261207};
  std::vector<QPushButton*> keys_;
  int unpluggedFor_ = 0;
  int silentFor_ = 0;
  std::vector<std::string> times_;  // record ticks of the running recording
  std::string path_;
};

TEST(Soak, PanelKeepsEveryRecordThroughAMisbehavingMeter) {
  Soak soak;
  const long ticks = SoakTicks();
  soak.Run(ticks);
  soak.faults.mixUps = soak.rig.sim.transport.mixedUpReplies;
  const Faults& f = soak.faults;
  const Work& w = soak.work;
  std::printf(
      "soak: %ld poll ticks; faults: %d unplugs, %d silences, %d failed reads, %d mixed-up "
      "replies; %d keys, %d Intv, %d RecSetup, %d Memory, %d sets downloaded, %d stray set lengths "
      "refused; %d recordings, %ld records written of %ld record ticks\n",
      ticks, f.unplugs, f.silences, f.failedReads, f.mixUps, w.keys, w.intv, w.recSetup, w.memory,
      w.downloads, w.strayLengths, w.recordings, w.recordsWritten, w.recordTicks);

  EXPECT_EQ(w.recordsWritten, w.recordTicks);
  EXPECT_EQ(w.timersLeftStopped, 0);
  EXPECT_EQ(soak.rig.dialogs.Unused(), 0u);  // every command asked what it was scripted for
  // Every kind of fault and of work happened, or the run proved nothing.
  EXPECT_GT(f.unplugs, 0);
  EXPECT_GT(f.silences, 0);
  EXPECT_GT(f.failedReads, 0);
  EXPECT_GT(f.mixUps, 0);
  EXPECT_GT(w.recordings, 0);
  EXPECT_GT(w.downloads, 0);
  EXPECT_GT(w.strayLengths, 0);
  EXPECT_GT(w.intv + w.recSetup, 0);
  // The list took a row on every record tick since it opened.
  EXPECT_EQ(soak.rig.panel->State().ListRowCount, soak.listTicks);

  // The program still runs: with the faults gone the meter is found and read again.
  soak.Heal();
  EXPECT_EQ(soak.rig.panel->Link().MeterConnected(), -1);
  EXPECT_EQ(soak.rig.Caption("LblName"), "Orvane");  // a frame was answered and decoded
  EXPECT_TRUE(soak.rig.panel->Timer1().isActive());
  EXPECT_TRUE(soak.rig.panel->Timer2().isActive());
}

}  // namespace
}  // namespace orvane
