// SPDX-License-Identifier: GPL-3.0-or-later
// Files the user chooses and the scratch files, seen from the panel: a data file that
// cannot be written is reported with its reason and nothing is lost, names that are not
// ASCII work, a running recording is marked for the next start, and a downloaded set
// never replaces a file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/working_folder.h"
#include "datalogger/logger_texts.h"
#include "datalogger/memory_window.h"
#include "gui_support/panel_rig.h"
#include "recording/recording_file.h"
#include "recording/unfinished_recording.h"
#include "recording/user_files.h"
#include "temp_folder.h"

namespace orvane {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

class SafeFiles : public ::testing::Test {
 protected:
  SafeFiles() { rig.panel->Timer1_Timer(); }

  std::string Path(const std::string& name) const { return rig.workingFolder + "/" + name; }
  void Start(const std::string& dataPath) {
    rig.dialogs.QueueFile(dataPath);
    rig.panel->Controls().RecordingEnabled = true;
    rig.panel->Toolbar1_ButtonClick("Save");
  }
  void Tick() { rig.Second(); }

  // True when `path` is a data file of `records` records: its header says so and it
  // has the eight header lines and one line per record.
  static bool DataFileOf(const std::string& path, long records) {
    const std::string bytes = ReadBytes(path);
    long lines = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at + 2)) {
      ++lines;
    }
    return bytes.rfind(FileHeaderLines(records), 0) == 0 && lines == 8 + records;
  }

  test::PanelRig rig;
};

// A read-only place (sysfs refuses even root) and a full device: the stop says why,
// the recording goes on, and the next choice gets every record.
TEST_F(SafeFiles, UnwritableDataFileSaysWhyAndKeepsTheRecords) {
  struct Case {
    std::string path;
    const char* reason;
  } cases[] = {
      {"/sys/orvane-test.lms", "Permission denied"},
      {"/dev/full", "No space left on device"},
  };
  for (const Case& c : cases) {
    Start(c.path);
    ASSERT_TRUE(rig.panel->CurrentRecording().RecordingOn()) << c.path;
    Tick();
    Tick();
    rig.dialogs.ClearLog();
    rig.panel->Toolbar1_ButtonClick("Save");  // the user gives up on another file
    ASSERT_FALSE(rig.dialogs.Log().empty());
    const std::string told = rig.dialogs.Log()[0].text;
    EXPECT_NE(told.find(c.reason), std::string::npos) << told;
    EXPECT_NE(told.find("The records are kept"), std::string::npos) << told;
    EXPECT_TRUE(rig.panel->CurrentRecording().RecordingOn()) << c.path;

    Tick();
    const std::string elsewhere = Path("elsewhere.lms");
    rig.dialogs.QueueFile(elsewhere);
    rig.panel->Toolbar1_ButtonClick("Save");
    EXPECT_FALSE(rig.panel->CurrentRecording().RecordingOn());
    EXPECT_TRUE(DataFileOf(elsewhere, 3)) << c.path;
  }
}

TEST_F(SafeFiles, NamesThatAreNotAsciiWork) {
  const std::string folder = Path("Messungen Zürich 東京");
  std::filesystem::create_directories(folder);
  const std::string data = folder + "/Straße (1) ü.lms";
  Start(data);
  EXPECT_EQ(rig.Caption("LblFileName"), QString::fromUtf8("Straße (1) ü.lms"));
  Tick();
  rig.panel->Toolbar1_ButtonClick("Save");
  EXPECT_TRUE(DataFileOf(data, 1));
}

TEST_F(SafeFiles, RunningRecordingIsMarkedForTheNextStartUntilItIsSaved) {
  const std::string data = Path("marked.lms");
  Start(data);
  Tick();
  const auto running = FindUnfinishedRecording(rig.workingFolder);
  ASSERT_TRUE(running.has_value());
  EXPECT_EQ(running->dataPath, data);
  EXPECT_EQ(running->records, 1);
  rig.panel->Toolbar1_ButtonClick("Save");
  EXPECT_FALSE(FindUnfinishedRecording(rig.workingFolder).has_value());
}

// A download whose name is taken, even by a link planted there, goes to a new name: the
// file (or the link's target) is left as it was.
TEST_F(SafeFiles, DownloadedSetNeverReplacesAFile) {
  rig.sim.meter.FillLogger(2, 3);
  rig.panel->Toolbar1_ButtonClick("Memory");
  MemoryWindow* w = FindMemoryWindow(rig.panel->Context());
  ASSERT_NE(w, nullptr);
  const std::string name = DownloadFileName(rig.panel->State().SetStamps.at(1));
  const std::string taken = rig.documentsFolder + "/" + name;
  const std::string victim = Path("victim");
  WriteBytes(victim, "the user's file");
  ASSERT_EQ(::symlink(victim.c_str(), taken.c_str()), 0);

  rig.dialogs.ClearLog();
  w->GridSet_Click(1);
  EXPECT_EQ(ReadBytes(victim), "the user's file");
  const std::string second =
      rig.documentsFolder + "/" + name.substr(0, name.size() - 4) + " (2).txt";
  EXPECT_EQ(rig.launcher.opened, std::vector<std::string>{second});
  EXPECT_NE(ReadBytes(second).find("\r\n"), std::string::npos);
  EXPECT_TRUE(rig.dialogs.Log().empty());
  w->close();
}

}  // namespace
}  // namespace orvane
