// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/unfinished_recording.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "common/working_folder.h"
#include "recording/recording_file.h"
#include "temp_folder.h"

namespace orvane {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string Records(int n) {
  std::string s;
  for (int k = 1; k <= n; ++k)
    s += RecordLine(k, "2024/05/17 10:30:0" + std::to_string(k), "523", "523");
  return s;
}

TEST(UnfinishedRecording, FoundOnlyWithTheMarkAndARecordingInTheScratchFile) {
  const std::string body = BodyHeaderLines(true, "") + Records(3);
  struct Case {
    const char* what;
    bool mark;
    std::string scratch;
    long records;  // -1: nothing found
  } cases[] = {
      {"a killed recording", true, body, 3},
      {"killed before the first record", true, BodyHeaderLines(false, ""), 0},
      {"the last line cut short", true, body + "-\t         4\t2024/05", 3},
      {"finished: no mark", false, body, -1},
      {"a scratch file that holds no recording", true, "Distance\r\n\r\n\r\n\r\n", -1},
      {"the header cut short", true, body.substr(0, 20), -1},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    WriteBytes(folder.File(kRecordingTempName), c.scratch);
    std::string error;
    if (c.mark) {
      ASSERT_TRUE(MarkRecordingRunning(folder.Path(), "/data/run 1.lms", error));
    }
    const auto found = FindUnfinishedRecording(folder.Path());
    ASSERT_EQ(found.has_value(), c.records >= 0) << c.what;
    if (!found) continue;
    EXPECT_EQ(found->records, c.records) << c.what;
    EXPECT_EQ(found->dataPath, "/data/run 1.lms") << c.what;
  }
}

TEST(UnfinishedRecording, SavedAsADataFileOfTheWholeRecords) {
  TempFolder folder;
  const std::string body = BodyHeaderLines(true, "") + Records(3);
  WriteBytes(folder.File(kRecordingTempName), body + "-\t         4\t2024");  // cut by the crash
  std::string error;
  ASSERT_TRUE(MarkRecordingRunning(folder.Path(), "x.lms", error));
  const std::string data = folder.File("gerettet ä.lms");
  ASSERT_TRUE(SaveUnfinishedRecording(folder.Path(), data, error)) << error;
  EXPECT_EQ(ReadBytes(data), FileHeaderLines(3) + body);
  // Saved: not offered again; the scratch file stays until the next recording starts.
  EXPECT_FALSE(FindUnfinishedRecording(folder.Path()).has_value());
  EXPECT_EQ(ReadBytes(folder.File(kRecordingTempName)).substr(0, body.size()), body);
}

TEST(UnfinishedRecording, FailedSaveKeepsTheRecordingAndSaysWhy) {
  TempFolder folder;
  const std::string scratch = folder.File(kRecordingTempName);
  const std::string body = BodyHeaderLines(true, "") + Records(2);
  WriteBytes(scratch, body);
  std::string error;
  ASSERT_TRUE(MarkRecordingRunning(folder.Path(), "x.lms", error));
  struct Case {
    std::string path;
    const char* reason;
  } cases[] = {
      {folder.File("missing/x.lms"), "No such file or directory"},
      {scratch, "holds the recording itself"},
  };
  for (const Case& c : cases) {
    error.clear();
    EXPECT_FALSE(SaveUnfinishedRecording(folder.Path(), c.path, error)) << c.path;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(scratch), body);
    ASSERT_TRUE(FindUnfinishedRecording(folder.Path()).has_value());
  }
}

TEST(UnfinishedRecording, MarkIsNotWrittenThroughAPlantedLink) {
  TempFolder folder;
  const std::string target = folder.File("victim");
  WriteBytes(target, "keep me");
  ASSERT_EQ(::symlink(target.c_str(), folder.File(kRecordingMarkName).c_str()), 0);
  std::string error;
  // The link is moved aside, never followed: the mark is a file of its own.
  EXPECT_TRUE(MarkRecordingRunning(folder.Path(), "x.lms", error)) << error;
  EXPECT_EQ(ReadBytes(target), "keep me");
  EXPECT_EQ(ReadBytes(folder.File(kRecordingMarkName)), "x.lms");
  EXPECT_FALSE(FindUnfinishedRecording(folder.Path()).has_value());  // no scratch file
}

}  // namespace
}  // namespace orvane
