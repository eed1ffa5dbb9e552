// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/daily_recording.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "recording/recording_reader.h"
#include "temp_folder.h"

namespace orvane {
namespace {

using testing_support::TempFolder;

TEST(DailyRecording, NamesTheFileOfADayAfterTheTarget) {
  TempFolder folder;
  const DateTime day{2026, 1, 5, 23, 59, 59, 0};
  const std::set<std::string> taken = {"/logs/run-2026-01-05.lms", "/logs/run-2026-01-05-2.lms"};
  const auto isTaken = [&](const std::string& path) { return taken.count(path) != 0; };
  struct Case {
    std::string target;
    std::string file;
  };
  const Case cases[] = {
      {"/logs/hall.lms", "/logs/hall-2026-01-05.lms"},
      {"/logs/hall", "/logs/hall-2026-01-05.lms"},
      {"/logs/hall.LMS", "/logs/hall.LMS-2026-01-05.lms"},  // only ".lms" is the extension
      {"/logs/", "/logs/orvane-2026-01-05.lms"},
      {folder.Path(), folder.Path() + "/orvane-2026-01-05.lms"},  // an existing folder
      {"/logs/run.lms", "/logs/run-2026-01-05-3.lms"},            // an earlier part is kept
  };
  for (const Case& c : cases) EXPECT_EQ(DayFilePath(c.target, day, isTaken), c.file) << c.target;
}

// Three days: the first and the third with readings, the second with none (meter away):
// two files, each a data file of its own day's records, and no file for the empty day.
TEST(DailyRecording, ADayWithoutRecordsWritesNoFile) {
  TempFolder folder;
  DailyRecording recording;
  std::string error;
  ASSERT_TRUE(
      recording.Start(folder.File("scratch.tmp"), UnitSystem::Metric, folder.Path(), true, error))
      << error;
  const LiveReading reading = MakeLiveReading("523.1", false, "cd/m2");
  const struct {
    DateTime second;
    bool fresh;
  } ticks[] = {
      {{2026, 1, 5, 23, 59, 58, 0}, true}, {{2026, 1, 5, 23, 59, 59, 0}, true},
      {{2026, 1, 6, 0, 0, 0, 0}, false},   {{2026, 1, 6, 23, 59, 59, 0}, false},
      {{2026, 1, 7, 0, 0, 0, 0}, true},
  };
  for (const auto& t : ticks) {
    recording.Tick(t.second, t.fresh ? std::optional(reading) : std::nullopt, error);
  }
  ASSERT_TRUE(recording.Stop(error)) << error;
  const auto written = recording.TakeWritten();
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0].path, folder.File("orvane-2026-01-05.lms"));
  EXPECT_EQ(written[1].path, folder.File("orvane-2026-01-07.lms"));
  EXPECT_FALSE(std::filesystem::exists(folder.File("orvane-2026-01-06.lms")));
  EXPECT_EQ(recording.Count(), 3);
  EXPECT_EQ(recording.SecondsWithoutReading(), 2);
  const long records[] = {2, 1};
  for (int i = 0; i < 2; ++i) {
    PlotData plot;
    RecordingFileError fileError;
    ASSERT_TRUE(ReadRecordingFile(written[i].path, plot, fileError)) << fileError.Message();
    EXPECT_EQ(plot.PlotRecords, records[i]);
    EXPECT_EQ(written[i].records, records[i]);
  }
}

}  // namespace
}  // namespace orvane
