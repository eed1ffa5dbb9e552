// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's status bar and greyed commands, on the built-in meter: the commands the
// meter's mode refuses are greyed with the reason, a refused command says why, and a
// recording shows its file, elapsed time, count and its gaps.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include "common/command_gate.h"
#include "gui_support/panel_rig.h"
#include "ui/program_settings.h"

namespace orvane {
namespace {

using test::PanelRig;

QAction* Button(const PanelRig& rig, const char* key) {
  return rig.Find<QWidget>("Toolbar1")->findChild<QAction*>(key);
}

TEST(PanelCommandStates, TheMetersRecordingGreysItsCommandsWithTheReasonAndRefusesTheClick) {
  PanelRig rig;
  rig.panel->Timer1_Timer();
  rig.Find<QPushButton>("CmdBtn9")->click();  // MEM: the meter starts its own recording
  rig.panel->Timer1_Timer();
  ASSERT_TRUE(rig.panel->Display().Flag("AnnREC"));

  const struct {
    const char* key;
    const char* tip;
    bool refused;
  } buttons[] = {
      {"Intv", "Sampling Rate", false}, {"List", "List Display", false},
      {"RTC", "Real Time Clock", true}, {"RecSetup", "Recording Setup", true},
      {"Memory", "Data Logger", true},  {"Erase", "Erase Data Logger", true},
  };
  for (const auto& b : buttons) {
    const QString expected =
        b.refused ? QString(b.tip) + "\nNot while the meter records (REC is lit)" : b.tip;
    EXPECT_EQ(Button(rig, b.key)->toolTip(), expected) << b.key;
    EXPECT_EQ(Button(rig, b.key)->isEnabled(), !b.refused) << b.key;
  }

  // A click that comes anyway (a script, a shortcut) sends nothing and says why.
  const std::size_t sent = rig.sim.transport.written.size();
  rig.panel->Toolbar1_ButtonClick("Memory");
  EXPECT_EQ(rig.sim.transport.written.size(), sent);
  EXPECT_EQ(rig.Caption("LblNotice"), "Data Logger: Not while the meter records (REC is lit)");

  // While another command holds the link, every command that talks to the meter waits.
  {
    std::optional<LinkHold> hold = rig.panel->Owner().TryTake("test");
    rig.panel->Timer1_Timer();
    EXPECT_FALSE(Button(rig, "Intv")->isEnabled());
    EXPECT_TRUE(Button(rig, "Intv")->toolTip().endsWith(kMeterBusyReason));
    EXPECT_TRUE(Button(rig, "List")->isEnabled());
    rig.panel->Context().TakeLink("Intv");  // a command's own refusal, told the same way
    EXPECT_EQ(rig.Caption("LblNotice"), "Meter busy");
  }

  rig.Find<QPushButton>("CmdBtn9")->click();  // MEM again: the meter stops recording
  rig.panel->Timer1_Timer();
  for (const auto& b : buttons) {
    EXPECT_EQ(Button(rig, b.key)->toolTip(), b.tip) << b.key;
    EXPECT_TRUE(Button(rig, b.key)->isEnabled()) << b.key;
  }
}

TEST(PanelStatusBar, ShowsTheRecordingItsGapsAndTheConnection) {
  PanelRig rig;
  rig.panel->Timer1_Timer();
  EXPECT_EQ(rig.Caption("LblLink"), QString::fromUtf8("\u25cf Meter connected"));
  rig.dialogs.QueueFile(rig.documentsFolder + "/garden.lms");
  rig.panel->Toolbar1_ButtonClick("Save");
  ASSERT_TRUE(rig.panel->CurrentRecording().RecordingOn());
  EXPECT_EQ(Button(rig, "Save")->iconText(), "Stop");

  const auto shown = [&rig](const char* name) { return !rig.Find<QLabel>(name)->isHidden(); };
  const struct {
    bool plugged;
    const char* mark;  // LblRecording
    const char* elapsed;
    const char* count;  // shown only while readings arrive
    const char* link;
  } seconds[] = {
      {true, "Rec", "0:00:01", "1", "\u25cf Meter connected"},
      {true, "Rec", "0:00:02", "2", "\u25cf Meter connected"},
      {false, "No reading", "0:00:03", nullptr, "\u25cb No meter connected"},
      {false, "No reading", "0:00:04", nullptr, "\u25cb No meter connected"},
      {true, "Rec", "0:00:05", "3", "\u25cf Meter connected"},
  };
  for (const auto& s : seconds) {
    s.plugged ? rig.sim.transport.Plug() : rig.sim.transport.Unplug();
    rig.Second();
    EXPECT_EQ(rig.Caption("LblRecording"), s.mark) << s.elapsed;
    EXPECT_TRUE(shown("LblRecording"));
    EXPECT_EQ(rig.Caption("LblFileName"), "garden.lms");
    EXPECT_EQ(rig.Caption("LblElapsed"), s.elapsed);
    EXPECT_EQ(shown("LblCount"), s.count != nullptr) << s.elapsed;
    if (s.count != nullptr) {
      EXPECT_EQ(rig.Caption("LblCount"), s.count);
    }
    EXPECT_EQ(shown("LblCountUnit"), s.count != nullptr) << s.elapsed;
    EXPECT_EQ(rig.Caption("LblLink"), QString::fromUtf8(s.link));
  }

  rig.panel->Toolbar1_ButtonClick("Save");  // stop
  rig.Second();
  EXPECT_FALSE(rig.panel->CurrentRecording().RecordingOn());
  EXPECT_EQ(Button(rig, "Save")->iconText(), "Record");
  for (const char* name : {"LblRecording", "LblElapsed", "LblCountUnit"}) {
    EXPECT_FALSE(shown(name)) << name;
  }
  EXPECT_EQ(rig.Caption("LblFileName"), "");
}

// Text labels under the tool-bar icons: chosen in the tool bar's menu, the panel grows to
// keep the LCD and the keys whole, and the next start shows them again.
TEST(PanelToolbarLabels, ChosenOnceAndRemembered) {
  const std::string ini = PanelRig::FreshFolder() + ".ini";
  UseSettingsFile(QString::fromStdString(ini));
  int iconsOnlyHeight = 0;
  {
    PanelRig rig;
    auto* bar = rig.Find<QToolBar>("Toolbar1");
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    iconsOnlyHeight = rig.panel->height();
    const int lcdTop = rig.Find<QWidget>("LblSeg1")->mapTo(rig.panel.get(), QPoint()).y();
    bar->findChild<QAction*>("ToolbarTextLabels")->trigger();
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    const int grown = rig.panel->height() - iconsOnlyHeight;
    EXPECT_GT(grown, 0);
    EXPECT_EQ(rig.Find<QWidget>("LblSeg1")->mapTo(rig.panel.get(), QPoint()).y(), lcdTop + grown);
  }
  PanelRig again;
  EXPECT_EQ(again.Find<QToolBar>("Toolbar1")->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  EXPECT_GT(again.panel->height(), iconsOnlyHeight);
  std::remove(ini.c_str());
}

}  // namespace
}  // namespace orvane
