// SPDX-License-Identifier: GPL-3.0-or-later
// Where the user's files go, seen from the panel: the save and open dialogs start in the
// folder used last (kept in the settings between runs), else the documents folder, else
// home, never in the working folder, with a dated name; a scratch file of the program,
// under any name, is refused as the target of a save.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QSettings>
#include <filesystem>

#include "common/working_folder.h"
#include "lists/list_window.h"
#include "panel/panel_window.h"
#include "recording/file_choice.h"
#include "recording/unfinished_recording.h"
#include "support/launcher_spy.h"
#include "support/sim_rig.h"
#include "temp_folder.h"
#include "ui/settings_folder_memory.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Kind = ScriptedDialogs::Asked::Kind;
using testing_support::TempFolder;

// A panel whose settings, documents and home are folders of the test.
struct Desk {
  explicit Desk(const TempFolder& root, const std::string& documents = "documents")
      : settings(QString::fromStdString(root.File("settings.ini")), QSettings::IniFormat),
        memory(settings),
        workingFolder(root.File("state")) {
    sim.clock.Set({2026, 12, 8, 14, 5, 33, 0});
    panel = std::make_unique<PanelWindow>(
        PanelServices{sim.transport, MeterIds{test::SimRig::kVid, test::SimRig::kPid}, dialogs,
                      launcher, sim.clock, workingFolder, &memory,
                      documents.empty() ? "" : root.File(documents), root.File("home")});
    panel->Timer1_Timer();  // the meter is found
    panel->Controls().RecordingEnabled = true;
  }
  // What the three file dialogs propose: recording Save, the list's Save, Open.
  std::vector<std::string> Proposals() {
    dialogs.ClearLog();
    panel->Toolbar1_ButtonClick("Save");
    panel->Toolbar1_ButtonClick("List");
    auto* list = panel->findChild<List*>("List");
    list->findChild<QAction*>("Save")->trigger();
    list->close();
    panel->Toolbar1_ButtonClick("Open");
    std::vector<std::string> asked;
    for (const auto& a : dialogs.Log()) asked.push_back(a.defaultText);
    return asked;
  }

  QSettings settings;
  SettingsFolderMemory memory;
  test::SimRig sim;
  ScriptedDialogs dialogs;
  LauncherSpy launcher;
  std::string workingFolder;
  std::unique_ptr<PanelWindow> panel;
};

TEST(UserFiles, DialogsStartInTheLastFolderElseDocumentsElseHomeNeverTheWorkingFolder) {
  const struct Case {
    const char* name;
    const char* remembered;  // folder under the root kept in the settings ("" none)
    const char* documents;   // documents folder under the root ("" none known)
    const char* expected;    // folder under the root the dialogs start in
  } cases[] = {
      {"first run", "", "documents", "documents"},
      {"no documents folder", "", "", "home"},
      {"documents folder missing", "", "gone", "home"},
      {"last folder", "measurements", "documents", "measurements"},
      {"last folder removed since", "removed", "documents", "documents"},
      {"last folder is the working folder", "state", "documents", "documents"},
      {"documents inside the working folder", "state/inner", "state/inner", "home"},
  };
  for (const Case& c : cases) {
    TempFolder root;
    for (const char* made : {"documents", "home", "measurements", "state/inner"}) {
      fs::create_directories(root.File(made));
    }
    Desk desk(root, c.documents);
    if (*c.remembered != '\0') desk.memory.RememberFolder(root.File(c.remembered));
    const std::string dated = root.File(c.expected) + "/Orvane 2026-12-08 14-05.lms";
    const std::string list = root.File(c.expected) + "/Orvane list 2026-12-08 14-05.txt";
    EXPECT_EQ(desk.Proposals(), (std::vector<std::string>{dated, list, root.File(c.expected)}))
        << c.name;
  }
}

TEST(UserFiles, TheChosenFolderIsKeptForTheNextRun) {
  TempFolder root;
  fs::create_directories(root.File("documents"));
  fs::create_directories(root.File("kept"));
  const std::string chosen = root.File("kept") + "/run.lms";
  {
    Desk desk(root);
    desk.dialogs.QueueFile(chosen);
    desk.panel->Toolbar1_ButtonClick("Save");
    ASSERT_TRUE(desk.panel->CurrentRecording().RecordingOn());
    desk.panel->Toolbar1_ButtonClick("Save");
  }
  Desk next(root);
  next.sim.clock.Set({2027, 1, 2, 3, 4, 5, 0});
  EXPECT_EQ(next.Proposals()[0], root.File("kept") + "/Orvane 2027-01-02 03-04.lms");
}

TEST(UserFiles, AScratchFileUnderAnyNameIsRefusedAsTarget) {
  TempFolder root;
  fs::create_directories(root.File("documents"));
  Desk desk(root);
  const std::string state = desk.workingFolder;
  const std::string docs = root.File("documents");
  // The folder, another name for it, a hard link and a link to a scratch file.
  fs::create_directory_symlink(state, docs + "/state link");
  ASSERT_EQ(::link((state + "/" + kDialogTempName).c_str(), (docs + "/hard.lms").c_str()), 0);
  fs::create_symlink(state + "/" + kRecordingTempName, docs + "/soft.lms");
  const struct Case {
    std::string target;
    bool refused;
  } cases[] = {
      {state + "/" + kRecordingTempName, true},
      {state + "/" + kDialogTempName, true},
      {state + "/" + kRecordingMarkName, true},
      {state + "/" + kFolderLockName, true},
      {state + "/LightMeterS-cli-4242.tmp", true},
      {state + "/../state/" + kRecordingTempName, true},
      {docs + "/state link/" + kRecordingTempName, true},
      {docs + "/hard.lms", true},
      {docs + "/soft.lms", true},
      {state + "/kept here.lms", false},
      {docs + "/" + kRecordingTempName, false},
  };
  for (const Case& c : cases) {
    desk.dialogs.ClearLog();
    desk.dialogs.QueueFile(c.target);
    desk.panel->Toolbar1_ButtonClick("Save");  // refused: asked again, then cancelled
    const auto& log = desk.dialogs.Log();
    EXPECT_EQ(desk.panel->CurrentRecording().RecordingOn(), !c.refused) << c.target;
    if (c.refused) {
      ASSERT_EQ(log.size(), 3u) << c.target;
      EXPECT_EQ(log[1].kind, Kind::Message);
      EXPECT_EQ(log[1].text, kScratchTargetText);
      EXPECT_EQ(log[2].defaultText, docs + "/Orvane 2026-12-08 14-05.lms");
    } else {
      desk.panel->Toolbar1_ButtonClick("Save");
      EXPECT_TRUE(fs::exists(c.target)) << c.target;
    }
  }
}

}  // namespace
}  // namespace orvane
