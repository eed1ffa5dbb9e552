// The main reading a record carries stays in the unit of the file's column title.

#include "recording/recorded_reading.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(RecordedReadingTest, MainTextInTheUnitTheRecordingStartedWith) {
  struct Case {
    const char* text;
    const char* unitNow;
    bool recordingMetric;
    const char* recorded;
  };
  const Case cases[] = {
      {"523.1", "cd/m2", true, "523.1"},  // same unit: as shown
      {"1.25K", "fL", false, "1.25K"},
      {"10.0", "fL", true, "108"},         // switched to fL: back to lux, same digits
      {"107.6", "cd/m2", false, "10.00"},  // switched to cd/m2: back to fc
      {"OL", "fL", true, "OL"},            // over range is copied
      {"12.3", "", true, "12.3"},          // no known unit: as shown
  };
  for (const Case& c : cases) {
    const LiveReading r = MakeLiveReading(c.text, false, c.unitNow);
    EXPECT_EQ(MainTextFor(r, c.recordingMetric), c.recorded) << c.text << " " << c.unitNow;
  }
}

}  // namespace
}  // namespace orvane
