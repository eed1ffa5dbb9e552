// SPDX-License-Identifier: GPL-3.0-or-later
// A reading stays in the unit system a recording, list or graph started with: both
// columns are converted when the meter shows the other system.

#include <gtest/gtest.h>

#include "common/live_reading.h"

namespace orvane {
namespace {

TEST(ReadingInTest, BothColumnsInTheSystemTheRecordingStartedWith) {
  struct Case {
    const char* text;
    const char* unitNow;
    UnitSystem system;
    const char* main;
    const char* cd;
  };
  const Case cases[] = {
      {"523.1", "cd/m2", UnitSystem::Metric, "523.1", "523.1"},  // same unit: as shown
      {"1.25K", "fL", UnitSystem::Imperial, "1.25K", "1.25K"},
      {"10.0", "fL", UnitSystem::Metric, "108", "108"},  // switched to fL: back to metric
      {"100", "fL", UnitSystem::Metric, "1076", "1076"},
      {"107.6", "cd/m2", UnitSystem::Imperial, "10.00", "10.00"},  // switched to cd/m2
      {"OL", "fL", UnitSystem::Metric, "OL", "OL"},                // over range is copied
      {"12.3", "", UnitSystem::Imperial, "12.3", "12.3"},          // no known unit: as shown
  };
  for (const Case& c : cases) {
    const ReadingTexts r = ReadingIn(MakeLiveReading(c.text, false, c.unitNow), c.system);
    EXPECT_EQ(r.text, c.main) << c.text << " " << c.unitNow;
    EXPECT_EQ(r.cdText, c.cd) << c.text << " " << c.unitNow;
  }
}

}  // namespace
}  // namespace orvane
