// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's Intv and RecSetup buttons against the built-in meter.

#include <gtest/gtest.h>

#include <vector>

#include "gui_support/panel_rig.h"
#include "link/requests.h"

namespace orvane {
namespace {

using test::PanelRig;
using Kind = ScriptedDialogs::Asked::Kind;

struct Sent {
  int code;
  int high;
  int low;
  bool operator==(const Sent&) const = default;
};

class MeterSettingsCommands : public ::testing::Test {
 protected:
  MeterSettingsCommands() {
    rig.panel->Timer1_Timer();  // the meter is found
    rig.sim.meter.requestsReceived.clear();
    rig.dialogs.ClearLog();
  }

  // Requests other than the display poll, with their two parameter bytes.
  std::vector<Sent> Requests() const {
    std::vector<Sent> out;
    for (const Report& r : rig.sim.meter.requestsReceived) {
      if (r[2] != request::kDisplayFrame) out.push_back({r[2], r[3], r[4]});
    }
    return out;
  }

  int Count(Kind kind) const {
    int n = 0;
    for (const auto& a : rig.dialogs.Log()) n += a.kind == kind;
    return n;
  }

  PanelRig rig;
};

TEST_F(MeterSettingsCommands, SamplingTimeAnswers) {
  struct Case {
    std::vector<const char*> answers;  // typed in turn; then the box is cancelled
    int formatMessages;
    std::vector<Sent> writes;  // after the query 25
  };
  const Case cases[] = {
      {{"0:0:1"}, 0, {{24, 0, 1}}},
      {{"1:00:01"}, 0, {{24, 14, 16}}},
      {{"0:0:123"}, 0, {{24, 0, 12}}},
      {{"0:90:0"}, 0, {{24, 14, 16}}},
      {{"12:34"}, 1, {}},
      {{"00:00:00", "0:0:5"}, 0, {{24, 0, 5}}},
      {{"-1:0:0", "12:34", "0:2:0"}, 2, {{24, 0, 120}}},
      {{}, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers.empty() ? "cancel" : c.answers.front());
    rig.sim.meter.samplingTime = 90;
    rig.sim.meter.requestsReceived.clear();
    rig.dialogs.ClearLog();
    for (const char* a : c.answers) rig.dialogs.QueueInput(a);
    rig.panel->Toolbar1_ButtonClick("Intv");

    std::vector<Sent> expected = {{25, 0, 0}};
    expected.insert(expected.end(), c.writes.begin(), c.writes.end());
    // Bytes 3 and 4 of the query keep what the buffer held; only codes are compared there.
    std::vector<Sent> got = Requests();
    ASSERT_FALSE(got.empty());
    got[0].high = got[0].low = 0;
    EXPECT_EQ(got, expected);
    const auto& log = rig.dialogs.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].text, "Enter the SAMPLING TIME\r\n00:00:01 <= hh:nn:ss <= 01:00:00");
    EXPECT_EQ(log[0].title, "Input Sampling Time");
    EXPECT_EQ(log[0].defaultText, "00:01:30");
    EXPECT_EQ(Count(Kind::Message), c.formatMessages);
    for (const auto& a : log) {
      if (a.kind == Kind::Message) {
        EXPECT_EQ(a.text, "Invalid, comply with the data format properly\r\n");
        EXPECT_EQ(a.icon, MessageIcon::Critical);
      }
    }
    EXPECT_TRUE(rig.panel->Timer1().isActive());
    EXPECT_TRUE(rig.panel->Timer2().isActive());
    if (!c.writes.empty()) {
      EXPECT_EQ(rig.sim.meter.samplingTime, c.writes[0].high * 256 + c.writes[0].low);
    }
  }
}

TEST_F(MeterSettingsCommands, RecordingPeriodAnswers) {
  const std::pair<const char*, std::vector<Sent>> cases[] = {
      {"0", {{13, 0, 0}, {9, 0, 1}}},
      {"-5", {{13, 0, 0}, {9, 0, 1}}},
      {"12345", {{13, 0, 0}, {9, 39, 15}}},
      {"7.9", {{13, 0, 0}, {9, 0, 7}}},
      {"", {}},
  };
  for (const auto& [answer, writes] : cases) {
    SCOPED_TRACE(answer);
    rig.sim.meter.recordingPeriod = 60;
    rig.sim.meter.requestsReceived.clear();
    rig.dialogs.ClearLog();
    rig.dialogs.QueueInput(answer);
    rig.panel->Toolbar1_ButtonClick("RecSetup");

    // The query before the box, and again right before the period is written: the meter
    // takes a period only right after it was asked for it.
    std::vector<Sent> got = Requests();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got[0].code, 13);
    got.erase(got.begin());
    for (Sent& s : got) {
      if (s.code == 13) s.high = s.low = 0;  // a query carries whatever the last request left
    }
    EXPECT_EQ(got, writes);
    ASSERT_EQ(rig.dialogs.Log().size(), 1u);
    EXPECT_EQ(rig.dialogs.Log()[0].text,
              "Enter the Recording Period in seconds\r\n(1 <= t <= 9999 ) ");
    EXPECT_EQ(rig.dialogs.Log()[0].title, "Recording Period");
    EXPECT_EQ(rig.dialogs.Log()[0].defaultText, "60");
    EXPECT_TRUE(rig.panel->Timer1().isActive());
    EXPECT_TRUE(rig.panel->Timer2().isActive());
    if (!writes.empty()) {
      EXPECT_EQ(rig.sim.meter.recordingPeriod, writes.back().high * 256 + writes.back().low);
    }
  }
}

TEST_F(MeterSettingsCommands, EachQueryIsPrecededByOneDrainingRead) {
  for (const char* key : {"Intv", "RecSetup"}) {
    SCOPED_TRACE(key);
    const int readsBefore = rig.sim.transport.reads;
    const std::size_t writesBefore = rig.sim.transport.written.size();
    rig.panel->Toolbar1_ButtonClick(key);                            // the input box is cancelled
    EXPECT_EQ(rig.sim.transport.reads - readsBefore, 2);             // drain, then the reply
    EXPECT_EQ(rig.sim.transport.written.size() - writesBefore, 1u);  // the query only
  }
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// A meter that does not answer the query: the user is told, no box shows a value made
// from an older reply, and nothing is sent.
TEST(MeterSettingsSilentMeter, IsToldAndSentNothing) {
  for (const char* command : {"Intv", "RecSetup"}) {
    test::PanelRig rig;
    rig.panel->Timer1_Timer();
    rig.sim.transport.SetSilent(true);
    rig.sim.meter.requestsReceived.clear();
    rig.dialogs.QueueInput("120");
    rig.panel->Toolbar1_ButtonClick(command);
    ASSERT_EQ(rig.dialogs.Log().size(), 1u) << command;
    EXPECT_EQ(rig.dialogs.Log()[0].text, "The meter did not answer.") << command;
    EXPECT_EQ(rig.dialogs.Log()[0].icon, MessageIcon::Critical) << command;
    for (const Report& r : rig.sim.meter.requestsReceived) {
      EXPECT_NE(r[2], request::kSetSamplingTime) << command;
      EXPECT_NE(r[2], request::kSetRecordingPeriod) << command;
    }
    EXPECT_EQ(rig.dialogs.Unused(), 1u) << command;  // no box asked for the value
  }
}

}  // namespace
}  // namespace orvane
