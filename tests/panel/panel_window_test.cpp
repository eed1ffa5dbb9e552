// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/panel_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <filesystem>
#include <fstream>

#include "gui_support/panel_rig.h"

namespace orvane {
namespace {

using test::PanelRig;

TEST(PanelStartUp, CaptionTimersAndAnEmptiedScratchFile) {
  const std::string folder = PanelRig::FreshFolder();
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/Orvane.tmp") << "left over from an earlier run";
  PanelRig rig(folder);
  EXPECT_EQ(rig.panel->windowTitle(), "Panel   V8.01");
  EXPECT_TRUE(rig.panel->Timer1().isActive());
  EXPECT_EQ(rig.panel->Timer1().interval(), 250);
  EXPECT_TRUE(rig.panel->Timer2().isActive());
  // re-armed for just after the next wall-clock second
  EXPECT_EQ(rig.panel->Timer2().interval(), 1000 - rig.sim.clock.Now().millisecond + 5);
  EXPECT_EQ(std::filesystem::file_size(folder + "/Orvane.tmp"), 0u);
  EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
  EXPECT_EQ(rig.sim.transport.enumerations, 0);  // the first poll looks for the meter
}

TEST(PanelStartUp, UnwritableWorkingFolderStillStartsThePoll) {
  PanelRig rig("/proc/orvane-cannot-exist");
  EXPECT_TRUE(rig.panel->Timer1().isActive());
  rig.panel->Timer1_Timer();
  EXPECT_EQ(rig.Caption("LblName"), "Orvane");
}

TEST(PanelStartUp, NameLabelClickTogglesTheCaption) {
  PanelRig rig;
  rig.panel->LblName_Click();
  EXPECT_EQ(rig.panel->windowTitle(), "Panel   V8.01   140414");
  rig.panel->LblName_Click();
  EXPECT_EQ(rig.panel->windowTitle(), "Panel   V8.01");
}

TEST(PanelPoll, NameLabelFollowsTheLink) {
  PanelRig rig;
  rig.sim.transport.Unplug();
  rig.panel->Timer1_Timer();
  EXPECT_EQ(rig.Caption("LblName"), " No Connection");
  rig.sim.transport.Plug();
  rig.panel->Timer1_Timer();
  EXPECT_EQ(rig.Caption("LblName"), "Orvane");
}

// A meter that is attached but cannot be opened: the status says why and points to the
// udev rule, and says nothing more once the meter opens.
TEST(PanelPoll, StatusPointsToTheUdevRuleWhenTheMeterCannotBeOpened) {
  PanelRig rig;
  rig.panel->show();
  rig.sim.transport.DenyOpen(SimulatedTransport::kMeterPath);
  rig.panel->Timer1_Timer();
  auto* hint = rig.Find<QLabel>("LblLinkHint");
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(rig.Caption("LblName"), " No Connection");
  EXPECT_TRUE(hint->isVisible());
  EXPECT_TRUE(hint->text().contains("udev rule"));
  EXPECT_TRUE(hint->toolTip().contains("no permission"));

  rig.sim.transport.AllowOpen();
  rig.panel->Timer1_Timer();
  EXPECT_FALSE(hint->isVisible());
}

TEST(PanelPoll, FailedReadAddsTheErrorLineToTheHiddenResultsList) {
  PanelRig rig;
  rig.panel->Timer1_Timer();
  rig.sim.transport.FailReads(1);
  rig.panel->Timer1_Timer();
  auto* results = rig.Find<QListWidget>("lstResults");
  ASSERT_EQ(results->count(), 1);
  EXPECT_EQ(results->item(0)->text(), "Readfile undefined error");
  // The list lies outside the designed client area.
  EXPECT_FALSE(rig.panel->rect().intersects(results->geometry()));
}

TEST(PanelToolbar, NineButtonsInOrderWithTheirToolTips) {
  PanelRig rig;
  const std::vector<std::pair<QString, QString>> expected = {{"Save", "Save As"},
                                                             {"Open", "Open File to Read"},
                                                             {"Intv", "Sampling Rate"},
                                                             {"List", "List Display"},
                                                             {"Graph", "Graphic Display"},
                                                             {"RTC", "Real Time Clock"},
                                                             {"RecSetup", "Recording Setup"},
                                                             {"Memory", "Data Logger"},
                                                             {"Erase", "Erase Data Logger"}};
  const auto actions = rig.Find<QWidget>("Toolbar1")->actions();
  ASSERT_EQ(actions.size(), static_cast<int>(expected.size()));
  for (int i = 0; i < actions.size(); ++i) {
    EXPECT_EQ(actions[i]->objectName(), expected[i].first);
    // the command's own tip; a reason why it cannot run now may follow on a line below
    EXPECT_EQ(actions[i]->toolTip().section('\n', 0, 0), expected[i].second);
  }
}

TEST(PanelRecordTick, StatusCaptionsAreClearedWhileNotRecording) {
  PanelRig rig;
  rig.panel->Timer2_Timer();  // no display frame yet
  EXPECT_EQ(rig.Caption("LblRecording"), "No reading");
  rig.panel->Timer1_Timer();
  rig.sim.clock.AdvanceMs(1000);
  rig.panel->Timer2_Timer();
  EXPECT_EQ(rig.Caption("LblRecording"), "");
  EXPECT_EQ(rig.Caption("LblCount"), "");
  EXPECT_EQ(rig.Caption("LblFileName"), "");
}

}  // namespace
}  // namespace orvane
