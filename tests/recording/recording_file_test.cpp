// SPDX-License-Identifier: GPL-3.0-or-later
// Data files written through the scratch file and read back: exact bytes, texts, limits.

#include "recording/recording_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <vector>

#include "recording/recording_reader.h"
#include "temp_folder.h"

namespace orvane {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

struct Sample {
  const char* time;
  const char* main;
  const char* cd;
};

// Records `samples` and returns the data file's bytes.
std::string Record(const TempFolder& dir, bool metric, const std::vector<Sample>& samples) {
  RecordingFile file;
  std::string error;
  EXPECT_TRUE(BeginRecordingFile(file, dir.File("LightMeterS.tmp"), metric, "", error)) << error;
  long n = 0;
  for (const Sample& s : samples) {
    EXPECT_TRUE(AppendRecord(file, ++n, s.time, s.main, s.cd, error)) << error;
  }
  EXPECT_TRUE(FinishRecordingFile(file, dir.File("out.lms"), n, error)) << error;
  return ReadBytes(dir.File("out.lms"));
}

const char kMetricFile[] =
    "-\r\n-\r\n-\r\n-\tTotal Records : 3\r\n"
    "-\tDistance :      m\r\n"
    "-\t\r\n"
    "-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n"
    "-\t-----------------------------------------------------\r\n"
    "-\t         1\t2024/05/17 10:30:01\t  88.8\t  8.88\t\r\n"
    "-\t         2\t2024/05/17 10:30:02\t 1.25K\t 125.0\t\r\n"
    "-\t         3\t2024/05/17 10:30:03\t    OL\t    OL\t\r\n";

const char kImperialFile[] =
    "-\r\n-\r\n-\r\n-\tTotal Records : 3\r\n"
    "-\tDistance :     ft\r\n"
    "-\t\r\n"
    "-\t      No.s\t      Date Time    \t   Fc\t   cd\r\n"
    "-\t-----------------------------------------------------\r\n"
    "-\t         1\t2024/05/17 10:30:01\t  12.5\t  40.1\t\r\n"
    "-\t         2\t2024/05/17 10:30:02\t 1.02K\t  3.5K\t\r\n"
    "-\t         3\t2024/05/17 10:30:03\t     7\t    22\t\r\n";

TEST(RecordingFileTest, RecordingRoundTripKeepsBytesTextsAndLimits) {
  struct Case {
    bool metric;
    std::vector<Sample> samples;
    const char* bytes;
    const char* unit;
    RangeRecord limits;
  };
  const Case cases[] = {
      {true,
       {{"2024/05/17 10:30:01", "88.8", "8.88"},
        {"2024/05/17 10:30:02", "1.25K", "125.0"},
        {"2024/05/17 10:30:03", "OL", "OL"}},
       kMetricFile,
       "Lux",
       // Over range puts full scale on top; 88.8 and 8.88 are the minima.
       {9999000, 83.8, 929275.09, 7.78, 9999000, 3.88}},
      {false,
       {{"2024/05/17 10:30:01", "12.5", "40.1"},
        {"2024/05/17 10:30:02", "1.02K", "3.5K"},
        {"2024/05/17 10:30:03", "7", "22"}},
       kImperialFile,
       "Fc",
       {11029.0, 21.52, 1025, 2, 3505, 17}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    TempFolder dir;
    EXPECT_EQ(Record(dir, c.metric, c.samples), c.bytes);

    PlotData plot;
    RecordingFileError error;
    ASSERT_TRUE(ReadRecordingFile(dir.File("out.lms"), plot, error)) << error.Message();
    EXPECT_EQ(plot.PlotUnit, c.unit);
    ASSERT_EQ(plot.PlotRecords, 3);
    EXPECT_EQ(plot.PlotFrom, 1);
    EXPECT_EQ(plot.PlotTo, 3);
    EXPECT_EQ(plot.PlotCount, 3);
    for (std::size_t k = 0; k < 3; ++k) {
      EXPECT_EQ(plot.PlotTimes[k], c.samples[k].time);
      EXPECT_EQ(plot.PlotMain[k], StoredReadingOf(c.samples[k].main));
      EXPECT_EQ(plot.PlotCd[k], StoredReadingOf(c.samples[k].cd));
    }
    EXPECT_DOUBLE_EQ(plot.PlotRange.LuxMax, c.limits.LuxMax);
    EXPECT_DOUBLE_EQ(plot.PlotRange.LuxMin, c.limits.LuxMin);
    EXPECT_DOUBLE_EQ(plot.PlotRange.FcMax, c.limits.FcMax);
    EXPECT_DOUBLE_EQ(plot.PlotRange.FcMin, c.limits.FcMin);
    EXPECT_DOUBLE_EQ(plot.PlotRange.CdMax, c.limits.CdMax);
    EXPECT_DOUBLE_EQ(plot.PlotRange.CdMin, c.limits.CdMin);
  }
}

TEST(RecordingFileTest, RecordingWithoutRecordsIsTheHeaderAlone) {
  TempFolder dir;
  EXPECT_EQ(Record(dir, true, {}),
            "-\r\n-\r\n-\r\n-\tTotal Records : 0\r\n-\tDistance :      m\r\n-\t\r\n"
            "-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n"
            "-\t-----------------------------------------------------\r\n");
  PlotData plot;
  RecordingFileError error;
  ASSERT_TRUE(ReadRecordingFile(dir.File("out.lms"), plot, error)) << error.Message();
  EXPECT_EQ(plot.PlotRecords, 0);
  EXPECT_EQ(plot.PlotTo, 0);
  // The running extremes never moved: 0 + 5 on top, 9999000 - 5 below.
  EXPECT_DOUBLE_EQ(plot.PlotRange.LuxMax, 5);
  EXPECT_DOUBLE_EQ(plot.PlotRange.LuxMin, 9998995);
  EXPECT_DOUBLE_EQ(plot.PlotRange.FcMax, 0.46);
  EXPECT_DOUBLE_EQ(plot.PlotRange.FcMin, 929274.62);
}

TEST(RecordingFileTest, FieldsAreRightAlignedAndLongerTextsWrittenWhole) {
  struct Case {
    long number;
    const char* main;
    const char* cd;
    const char* line;
  };
  const Case cases[] = {
      {1, "0.05", "0.05", "-\t         1\tT\t  0.05\t  0.05\t\r\n"},
      {1234567890, "9999", "", "-\t1234567890\tT\t  9999\t      \t\r\n"},
      {12345678901, "1234567", "12.345K", "-\t12345678901\tT\t1234567\t12.345K\t\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(RecordLine(c.number, "T", c.main, c.cd), c.line);
}

TEST(RecordingFileTest, DistanceIsRightAlignedInFiveOrFourBlanksWithoutOne) {
  struct Case {
    bool metric;
    const char* distance;
    const char* line5;
  };
  const Case cases[] = {
      {true, "", "-\tDistance :      m\r\n"},         {false, "", "-\tDistance :     ft\r\n"},
      {true, "2.5", "-\tDistance :   2.5 m\r\n"},     {false, "12345", "-\tDistance : 12345ft\r\n"},
      {true, "123456", "-\tDistance : 123456 m\r\n"},
  };
  for (const Case& c : cases) {
    const std::string header = BodyHeaderLines(c.metric, c.distance);
    EXPECT_EQ(header.substr(0, header.find('\n') + 1), c.line5);
  }
}

TEST(RecordingFileTest, ScratchFileHoldsEveryRecordAsSoonAsItIsAppended) {
  TempFolder dir;
  const std::string scratch = dir.File("LightMeterS.tmp");
  WriteBytes(scratch, "an older recording that must go\r\n");
  RecordingFile file;
  std::string error;
  ASSERT_TRUE(BeginRecordingFile(file, scratch, true, "", error));
  ASSERT_TRUE(AppendRecord(file, 1, "2024/05/17 10:30:01", "1.0", "1.0", error));
  // Read while the recording still runs: the header and the record, nothing older.
  EXPECT_EQ(ReadBytes(scratch),
            BodyHeaderLines(true, "") + RecordLine(1, "2024/05/17 10:30:01", "1.0", "1.0"));
  struct stat st {};
  ASSERT_EQ(stat(scratch.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(RecordingFileTest, LinkPlantedAsScratchFileIsRefused) {
  TempFolder dir;
  const std::string target = dir.File("victim");
  WriteBytes(target, "keep me");
  ASSERT_EQ(symlink(target.c_str(), dir.File("LightMeterS.tmp").c_str()), 0);
  RecordingFile file;
  std::string error;
  // Moved aside, never followed: the recording gets a file of its own.
  EXPECT_TRUE(BeginRecordingFile(file, dir.File("LightMeterS.tmp"), true, "", error)) << error;
  EXPECT_NE(file.Notice().find("LightMeterS.tmp was a symbolic link"), std::string::npos)
      << file.Notice();
  EXPECT_EQ(ReadBytes(target), "keep me");
}

TEST(RecordingFileTest, FailedFinishKeepsRecordingForAnotherPath) {
  TempFolder dir;
  RecordingFile file;
  std::string error;
  ASSERT_TRUE(BeginRecordingFile(file, dir.File("LightMeterS.tmp"), false, "", error));
  ASSERT_TRUE(AppendRecord(file, 1, "2024/05/17 10:30:01", "12.5", "40.1", error));

  // Neither a folder that does not exist nor the scratch file itself can take it.
  for (const std::string& bad : {dir.File("no-such-folder/out.lms"), dir.File("LightMeterS.tmp"),
                                 dir.Path() + "/./LightMeterS.tmp"}) {
    EXPECT_FALSE(FinishRecordingFile(file, bad, 1, error));
    EXPECT_NE(error.find(bad), std::string::npos) << error;
  }

  // The recording goes on in the same scratch file and is saved elsewhere in full.
  ASSERT_TRUE(AppendRecord(file, 2, "2024/05/17 10:30:02", "1.02K", "3.5K", error)) << error;
  ASSERT_TRUE(AppendRecord(file, 3, "2024/05/17 10:30:03", "7", "22", error)) << error;
  ASSERT_TRUE(FinishRecordingFile(file, dir.File("out.lms"), 3, error)) << error;
  EXPECT_EQ(ReadBytes(dir.File("out.lms")), kImperialFile);
}

TEST(RecordingFileTest, ScratchFolderMissingIsReportedNotIgnored) {
  RecordingFile file;
  std::string error;
  EXPECT_FALSE(BeginRecordingFile(file, "/nonexistent-orvane/LightMeterS.tmp", true, "", error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(AppendRecord(file, 1, "T", "1", "1", error));
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// A disk that fills up in the middle of a record line (a file size limit stands in for
// it): the part of the line that was written is cut back at once, the record is not
// counted, and once there is room again the recording goes on byte-exact.
TEST(RecordingFullDisk, APartialLineIsCutBackAndTheRecordingResumesExactly) {
  TempFolder dir;
  const std::string scratch = dir.File("LightMeterS.tmp");
  RecordingFile file;
  std::string error;
  ASSERT_TRUE(BeginRecordingFile(file, scratch, true, "", error)) << error;
  ASSERT_TRUE(AppendRecord(file, 1, "2024/05/17 10:30:01", "1.25K", "1.25K", error));
  const std::string whole = ReadBytes(scratch);

  struct rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit full = old;
  full.rlim_cur = whole.size() + 20;  // room for 20 bytes of the next line
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
  const bool written = AppendRecord(file, 2, "2024/05/17 10:30:02", "1.26K", "1.26K", error);
  const std::string afterFailure = ReadBytes(scratch);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(written);
  EXPECT_NE(error.find("Cannot write"), std::string::npos) << error;
  EXPECT_EQ(afterFailure, whole);  // no broken line left behind
  ASSERT_TRUE(AppendRecord(file, 2, "2024/05/17 10:30:03", "1.27K", "1.27K", error)) << error;
  ASSERT_TRUE(FinishRecordingFile(file, dir.File("out.lms"), 2, error)) << error;
  EXPECT_EQ(ReadBytes(dir.File("out.lms")),
            FileHeaderLines(2) + whole + RecordLine(2, "2024/05/17 10:30:03", "1.27K", "1.27K"));
}

// A disk that fills up while the data file is made (a file size limit stands in for it):
// the finish fails and leaves an earlier file of that name as it was, or none, and no
// temporary file; the scratch file keeps every record, and a finish with room writes them.
TEST(RecordingFullDisk, AFailedFinishLeavesTheEarlierFileOrNone) {
  for (const bool earlier : {true, false}) {
    SCOPED_TRACE(earlier ? "over an earlier file" : "a new file");
    TempFolder dir;
    const std::string out = dir.File("out.lms");
    if (earlier) WriteBytes(out, "the earlier file\r\n");
    RecordingFile file;
    std::string error;
    ASSERT_TRUE(BeginRecordingFile(file, dir.File("LightMeterS.tmp"), true, "", error)) << error;
    for (long k = 1; k <= 40; ++k) {
      ASSERT_TRUE(AppendRecord(file, k, "2024/05/17 10:30:01", "1.25K", "1.25K", error));
    }
    const std::string scratch = ReadBytes(dir.File("LightMeterS.tmp"));

    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit full = old;
    full.rlim_cur = scratch.size();  // the header of the data file does not fit beside it
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const bool finished = FinishRecordingFile(file, out, 40, error);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(finished);
    EXPECT_NE(error.find("File too large"), std::string::npos) << error;
    EXPECT_EQ(std::filesystem::exists(out), earlier);
    if (earlier) {
      EXPECT_EQ(ReadBytes(out), "the earlier file\r\n");
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == "out.lms" || name == "LightMeterS.tmp") << name << " is left";
    }
    EXPECT_EQ(ReadBytes(dir.File("LightMeterS.tmp")), scratch);
    ASSERT_TRUE(FinishRecordingFile(file, out, 40, error)) << error;
    EXPECT_EQ(ReadBytes(out), FileHeaderLines(40) + scratch);
  }
}

}  // namespace
}  // namespace orvane
