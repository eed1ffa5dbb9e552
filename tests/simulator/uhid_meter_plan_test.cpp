// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/uhid_meter_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

// The device takes a request in both forms the kernel delivers; nothing else.
TEST(UhidMeter, RequestFromEitherFormOfTheOutputReport) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> data;
    bool request;
  };
  std::vector<std::uint8_t> withId(65, 0), withoutId(64, 0), numbered(65, 0);
  withId[1] = withoutId[0] = numbered[1] = 1;
  withId[2] = withoutId[1] = numbered[2] = 98;
  withId[64] = withoutId[63] = numbered[64] = 7;
  numbered[0] = 2;
  const std::vector<Case> cases = {
      {"65 bytes, report ID 0 kept (hidraw to uhid)", withId, true},
      {"64 bytes, report ID dropped (USB)", withoutId, true},
      {"65 bytes with report ID 2", numbered, false},
      {"63 bytes", std::vector<std::uint8_t>(withoutId.begin(), withoutId.end() - 1), false},
      {"nothing", {}, false},
  };
  for (const Case& c : cases) {
    const auto got = RequestFromOutput(c.data);
    ASSERT_EQ(got.has_value(), c.request) << c.name;
    if (!got) continue;
    EXPECT_EQ((*got)[0], 0) << c.name;
    EXPECT_EQ((*got)[1], 1) << c.name;
    EXPECT_EQ((*got)[2], 98) << c.name;
    EXPECT_EQ((*got)[64], 7) << c.name;
  }
}

TEST(UhidMeter, PlugScheduleUnplugsOnceAndReplugsOnce) {
  using Action = PlugSchedule::Action;
  PlugSchedule timed({3000, -1, 2000});
  timed.Plugged(10000);
  EXPECT_EQ(timed.Due(12999), Action::None);
  EXPECT_EQ(timed.WaitMs(12000), 1000);
  EXPECT_EQ(timed.Due(13000), Action::Unplug);
  timed.Unplugged(13000);
  EXPECT_EQ(timed.Due(14999), Action::None);
  EXPECT_EQ(timed.Due(15000), Action::Replug);
  timed.Plugged(15000);
  EXPECT_EQ(timed.Due(99000), Action::None);
  EXPECT_EQ(timed.WaitMs(99000), -1);

  PlugSchedule counted({-1, 2, -1});
  counted.Plugged(0);
  counted.ReplySent();
  EXPECT_FALSE(counted.RepliesSpent());
  counted.ReplySent();
  EXPECT_TRUE(counted.RepliesSpent());
  EXPECT_EQ(counted.Due(0), Action::None);  // it goes with the next request, not by time
  counted.Unplugged(0);
  EXPECT_FALSE(counted.RepliesSpent());
  EXPECT_EQ(counted.Due(100000), Action::None);  // no replug planned
}

}  // namespace
}  // namespace orvane
