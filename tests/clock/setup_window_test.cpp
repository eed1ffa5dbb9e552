// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/setup_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "gui_support/panel_rig.h"
#include "link/requests.h"

namespace orvane {
namespace {

using test::PanelRig;
using ClockWindow = ::orvane::Setup;  // gtest reserves the bare name in fixtures

class SetupWindowTest : public ::testing::Test {
 protected:
  // Requests of `code` the meter received.
  int Requests(std::uint8_t code) const {
    int n = 0;
    for (const auto& r : rig_.sim.meter.requestsReceived) n += r[2] == code ? 1 : 0;
    return n;
  }
  std::string Field(const char* name) {
    return setup_.findChild<QLabel*>(name)->text().toStdString();
  }

  PanelRig rig_;
  ClockWindow setup_{rig_.panel->Context()};
};

TEST_F(SetupWindowTest, ClicksToggleEachFieldAndTheMeterIsAskedOnlyWhileItsTimeShows) {
  rig_.sim.meter.clockOffsetSeconds = 3600;  // the meter runs an hour ahead of the PC
  const struct {
    const char* click;  // field clicked before the refresh, or none
    const char* meterField;
    const char* pcField;
    int clockRequests;  // requests 22 so far
  } steps[] = {
      {nullptr, "Meter Time", "PC System Time", 0},
      {"LblMeterTime", "2024/05/17 11:30:02", "PC System Time", 1},
      {nullptr, "2024/05/17 11:30:03", "PC System Time", 2},
      {"LblPCTime", "2024/05/17 11:30:04", "2024/05/17 10:30:04", 3},
      {"LblMeterTime", "Meter Time", "2024/05/17 10:30:05", 3},
      {nullptr, "Meter Time", "2024/05/17 10:30:06", 3},
      {"LblPCTime", "Meter Time", "PC System Time", 3},
  };
  EXPECT_TRUE(setup_.Timer1().isActive());
  for (const auto& s : steps) {
    const std::string click = s.click != nullptr ? s.click : "";
    if (click == "LblMeterTime") setup_.LblMeterTime_Click();
    if (click == "LblPCTime") setup_.LblPCTime_Click();
    rig_.sim.clock.AdvanceMs(1000);
    setup_.Timer1_Timer();
    EXPECT_EQ(Field("LblMeterTime"), s.meterField);
    EXPECT_EQ(Field("LblPCTime"), s.pcField);
    EXPECT_EQ(Requests(request::kClockRead), s.clockRequests);
    EXPECT_TRUE(setup_.Timer1().isActive());
  }
}

TEST_F(SetupWindowTest, WithoutAFreshReplyTheMeterFieldSaysNoConnection) {
  setup_.LblMeterTime_Click();
  const struct {
    void (*fault)(SimulatedTransport&);
    const char* shown;
  } cases[] = {
      {[](SimulatedTransport& t) { t.Unplug(); }, " No Connection"},
      {[](SimulatedTransport& t) { t.Plug(); }, "2024/05/17 10:30:00"},
      {[](SimulatedTransport& t) { t.SetSilent(true); }, " No Connection"},
      {[](SimulatedTransport& t) { t.SetSilent(false); }, "2024/05/17 10:30:00"},
      {[](SimulatedTransport& t) { t.FailReads(1); }, " No Connection"},
  };
  for (const auto& c : cases) {
    c.fault(rig_.sim.transport);
    setup_.Timer1_Timer();
    EXPECT_EQ(Field("LblMeterTime"), c.shown);
  }
}

TEST_F(SetupWindowTest, SetTimeSendsThePcTimeAndTheMeterKeepsIt) {
  const DateTime pcTimes[] = {{2025, 12, 31, 23, 59, 58}, {2026, 1, 9, 7, 5, 3}};
  setup_.LblMeterTime_Click();  // finds the meter
  for (const DateTime& pc : pcTimes) {
    rig_.sim.meter.clockOffsetSeconds = -86400 * 40;  // the meter's clock is far off
    rig_.sim.clock.Set(pc);
    setup_.CmdSetTime_Click();
    EXPECT_EQ(FormatDateTime(rig_.sim.meter.MeterTime()), FormatDateTime(pc));
    ASSERT_FALSE(rig_.sim.meter.requestsReceived.empty());
    const Report& sent = rig_.sim.meter.requestsReceived.back();
    EXPECT_EQ(sent[2], request::kClockSet);
    EXPECT_EQ(sent[5], pc.month);  // the month as its plain number
    EXPECT_TRUE(setup_.Timer1().isActive());
  }
}

TEST_F(SetupWindowTest, SetTimeWhileTheMeterIsAwaySendsNothing) {
  rig_.sim.transport.Unplug();
  rig_.sim.meter.clockOffsetSeconds = 120;
  setup_.CmdSetTime_Click();
  EXPECT_EQ(Requests(request::kClockSet), 0);
  EXPECT_EQ(rig_.sim.meter.clockOffsetSeconds, 120);
}

TEST_F(SetupWindowTest, ClosingTheWindowAnyWayStopsItsTimerAndLeavesTheLinkFree) {
  void (*closers[])(ClockWindow&) = {
      [](ClockWindow& s) { s.findChild<QPushButton*>("CmdExit")->click(); },
      [](ClockWindow& s) { s.reject(); },  // window closed or Escape
  };
  for (auto close : closers) {
    ClockWindow setup(rig_.panel->Context());
    setup.show();
    close(setup);
    EXPECT_TRUE(rig_.panel->Timer1().isActive());
    EXPECT_TRUE(rig_.panel->Timer2().isActive());
    EXPECT_FALSE(rig_.panel->Owner().Held());
    EXPECT_FALSE(setup.Timer1().isActive());
    EXPECT_FALSE(setup.isVisible());
  }
}

// The clock window takes the link only for its own exchanges: the poll and the record
// tick run on while it is open.
TEST(ClockCommand, RtcOpensTheClockWindowModallyWithThePanelRunningUnlessTheMeterRecords) {
  const struct {
    bool recLit;
    bool opens;
  } cases[] = {{false, true}, {true, false}};
  for (const auto& c : cases) {
    PanelRig rig;
    Payload frame{};
    frame[23 - 1] = c.recLit ? 1 : 0;  // the meter's "REC" annunciator
    rig.sim.meter.ForceDisplayFrame(frame);
    rig.panel->Timer1_Timer();
    bool opened = false;
    bool runningWhileOpen = false;
    QString shownTitle;
    QTimer::singleShot(0, [&] {
      auto* setup = qobject_cast<ClockWindow*>(QApplication::activeModalWidget());
      if (setup == nullptr) return;
      opened = true;
      shownTitle = setup->windowTitle();
      runningWhileOpen = rig.panel->Timer1().isActive() && rig.panel->Timer2().isActive() &&
                         !rig.panel->Owner().Held();
      setup->CmdExit_Click();
    });
    rig.panel->Toolbar1_ButtonClick("RTC");
    QApplication::processEvents();  // the check above runs also when nothing opened
    EXPECT_EQ(opened, c.opens) << c.recLit;
    if (c.opens) {
      EXPECT_EQ(shownTitle, "Setup");
      EXPECT_TRUE(runningWhileOpen);
    }
    EXPECT_TRUE(rig.panel->Timer1().isActive());
    EXPECT_TRUE(rig.panel->Timer2().isActive());
  }
}

}  // namespace
}  // namespace orvane
