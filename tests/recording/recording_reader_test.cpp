// SPDX-License-Identifier: GPL-3.0-or-later
// Reading data files that were not written by this program: odd but readable files,
// refused files with the line at fault, and the plot limits.

#include "recording/recording_reader.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace orvane {
namespace {

constexpr const char* kHead =
    "-\r\n-\r\n-\r\n-\tTotal Records : %N%\r\n-\tDistance :     ft\r\n-\t\r\n"
    "-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n"
    "-\t-----------------------------------------------------\r\n";

std::string Head(const std::string& count) {
  std::string head = kHead;
  return head.replace(head.find("%N%"), 3, count);
}

std::string Rec(int k, const std::string& main, const std::string& cd = "1") {
  return "-\t" + std::to_string(k) + "\t2024/05/17 10:30:0" + std::to_string(k % 10) + "\t" + main +
         "\t" + cd + "\t\r\n";
}

TEST(RecordingReaderTest, ReadableFiles) {
  struct Case {
    const char* name;
    std::string content;
    long records;
    const char* unit;
    double luxMax;
    double luxMin;
  };
  const Case cases[] = {
      // Line 5 says ft, but only line 7 names the unit.
      {"ft header with Lux title", Head("1") + Rec(1, "100"), 1, "Lux", 105, 95},
      {"title in other case is Fc",
       "-\n-\n-\n-\tTotal Records : 1\n-\n-\n-\t  lux\n-\n" + Rec(1, "100"), 1, "Fc", 1129.8,
       1022.2},
      // Fewer records than announced: read what is there; a huge count allocates nothing.
      {"count larger than records", Head("1000000000000") + Rec(1, "10") + Rec(2, "20"), 2, "Lux",
       25, 5},
      {"LF line ends and leading blanks",
       "-\n-\n-\n   -\tTotal Records : 1\n-\n-\n-\tLux\n-\n  " + Rec(1, "7"), 1, "Lux", 12, 2},
      {"blank lines after the last record", Head("1") + Rec(1, "50") + "\r\n\r\n", 1, "Lux", 55,
       45},
      {"no line end on the last line", Head("1") + "-\t1\tT\t30\t1\t", 1, "Lux", 35, 25},
      // Only a capital K multiplies, only a capital L means over range.
      {"lower-case k and l", Head("2") + Rec(1, "1.5k") + Rec(2, "2l"), 2, "Lux", 7, 0},
      {"capital K and L", Head("2") + Rec(1, "  1.5K") + Rec(2, "O.L"), 2, "Lux", 9999000, 1495},
      {"header only, no dashes line", "-\n-\n-\n-\tTotal Records : 0\n", 0, "Fc", 53.8,
       107589186.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlotData plot;
    RecordingFileError error;
    ASSERT_TRUE(ReadRecordingText(c.content, plot, error)) << error.Message();
    EXPECT_EQ(plot.PlotRecords, c.records);
    EXPECT_EQ(plot.PlotTimes.size(), static_cast<std::size_t>(c.records));
    EXPECT_EQ(plot.PlotUnit, c.unit);
    EXPECT_DOUBLE_EQ(plot.PlotRange.LuxMax, c.luxMax);
    EXPECT_DOUBLE_EQ(plot.PlotRange.LuxMin, c.luxMin);
  }
}

TEST(RecordingReaderTest, RefusedFilesNameTheLineAndTheProblem) {
  struct Case {
    const char* name;
    std::string content;
    long line;
    const char* problem;
  };
  const Case cases[] = {
      {"four TABs", Head("2") + Rec(1, "1") + "-\t2\tT\t5\t5\r\n", 10, "five TABs; this one has 4"},
      {"no TAB at all", Head("1") + "garbage\r\n", 9, "this one has 0"},
      {"more records than announced", Head("1") + Rec(1, "1") + Rec(2, "2"), 10,
       "more than the 1 records"},
      {"zero announced", Head("0") + Rec(1, "1"), 9, "more than the 0 records"},
      {"comma", Head("1") + "-\t1\tT\t1,5\t1\t\r\n", 9, "comma"},
      {"double quote", Head("1") + "-\t1\t\"T\"\t1\t1\t\r\n", 9, "double quote"},
      {"blank line between records", Head("2") + Rec(1, "1") + "\r\n" + Rec(2, "2"), 10,
       "is empty"},
      {"no record count", "-\r\n-\r\n-\r\n-\tTotal Records\r\n", 4, "record count"},
      {"ends before line 4", "-\r\n-\r\n", 3, "ends before line 4"},
      {"empty file", "", 1, "ends before line 4"},
      // Lines no data file has stop the reading at once, whatever follows.
      {"a line longer than any record",
       Head("1") + "-\t1\t" + std::string(kMaxLineBytes, 'x') + "\t1\t1\t\r\n", 9, "is too long"},
      {"bytes without a line end", std::string(3 << 20, '\0'), 1, "is too long"},
      {"CR-only line ends", "-\r-\r-\r-\tTotal Records : 0\r", 1, "CR alone"},
      {"CR-only, longer than a line may be", std::string(2000, '\r'), 1, "CR alone"},
      {"CR inside a record", Head("1") + "-\t1\tT\r\t1\t1\t\r\n", 9, "CR alone"},
      {"CR CR inside a record", Head("1") + "-\t1\tT\r\r\t1\t1\t\r\r\n", 9, "CR alone"},
      {"CR CR without LF", Head("1") + "-\t1\tT\t1\t1\t\r\r-\t2\tT\t1\t1\t\r\r\n", 9, "CR alone"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlotData plot;
    RecordingFileError error;
    ASSERT_FALSE(ReadRecordingText(c.content, plot, error));
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.problem.find(c.problem), std::string::npos) << error.problem;
    const std::string prefix = "Line " + std::to_string(c.line);
    EXPECT_EQ(error.Message(),
              prefix + (error.problem.rfind("is ", 0) == 0 ? " " : ": ") + error.problem);
  }
}

TEST(RecordingReaderTest, FileReaderAgreesWithTextReaderAcrossBlockBoundaries) {
  // Over a megabyte, so lines straddle the reader's blocks.
  std::string content = Head("30000");
  for (int k = 1; k <= 30000; ++k) content += Rec(k, std::to_string(k), std::to_string(2 * k));
  testing_support::TempFolder dir;
  testing_support::WriteBytes(dir.File("big.lms"), content);

  PlotData fromText;
  PlotData fromFile;
  RecordingFileError error;
  ASSERT_TRUE(ReadRecordingText(content, fromText, error));
  long lastLine = 0;
  ASSERT_TRUE(
      ReadRecordingFile(dir.File("big.lms"), fromFile, error, [&](long line) { lastLine = line; }));
  EXPECT_EQ(lastLine, 30008);
  EXPECT_EQ(fromFile.PlotMain, fromText.PlotMain);
  EXPECT_EQ(fromFile.PlotTimes, fromText.PlotTimes);
  EXPECT_EQ(fromFile.PlotRecords, 30000);
  EXPECT_DOUBLE_EQ(fromFile.PlotRange.LuxMax, 30005);
  EXPECT_DOUBLE_EQ(fromFile.PlotRange.CdMax, 60005);
  EXPECT_DOUBLE_EQ(fromFile.PlotRange.CdMin, 0);
}

// A file converted to CR LF twice (CR CR LF) reads as the file it was made from, through
// the file reader's blocks as through the text reader, also with its longest lines.
TEST(RecordingReaderTest, CrCrLfReadsAsCrLf) {
  std::string content = Head("30001");
  for (int k = 1; k <= 30000; ++k) content += Rec(k, std::to_string(k), std::to_string(2 * k));
  content += "-\t30001\t" + std::string(kMaxLineBytes - 13, 'T') + "\t1\t1\t\r\n";  // the longest
  std::string twice;
  for (const char c : content) twice += c == '\n' ? std::string("\r\n") : std::string(1, c);
  testing_support::TempFolder dir;
  testing_support::WriteBytes(dir.File("twice.lms"), twice);

  PlotData original;
  PlotData fromText;
  PlotData fromFile;
  RecordingFileError error;
  ASSERT_TRUE(ReadRecordingText(content, original, error)) << error.Message();
  ASSERT_TRUE(ReadRecordingText(twice, fromText, error)) << error.Message();
  ASSERT_TRUE(ReadRecordingFile(dir.File("twice.lms"), fromFile, error)) << error.Message();
  for (const PlotData* read : {&fromText, &fromFile}) {
    EXPECT_EQ(read->PlotRecords, 30001);
    EXPECT_EQ(read->PlotTimes, original.PlotTimes);
    EXPECT_EQ(read->PlotMain, original.PlotMain);
    EXPECT_EQ(read->PlotCd, original.PlotCd);
    EXPECT_EQ(read->PlotUnit, "Lux");
    EXPECT_DOUBLE_EQ(read->PlotRange.CdMax, original.PlotRange.CdMax);
  }
}

TEST(RecordingReaderTest, MissingFileIsReportedWithItsPath) {
  PlotData plot;
  RecordingFileError error;
  EXPECT_FALSE(ReadRecordingFile("/nonexistent-orvane/x.lms", plot, error));
  EXPECT_EQ(error.line, 0);
  EXPECT_NE(error.Message().find("/nonexistent-orvane/x.lms"), std::string::npos);
}

TEST(RecordingReaderTest, LimitsAreClampedAndConvertedTwoDecimalsDown) {
  struct Case {
    const char* unit;
    double mainMax, mainMin, cdMax, cdMin;
    RangeRecord expected;
  };
  const Case cases[] = {
      {"Lux", 1000, 100, 50, 3, {1005, 95, 93.4, 8.82, 55, 0}},
      {"Lux", 9998999, 2, 9999000, 5, {9999000, 0, 929275.09, 0, 9999000, 0}},
      {"Fc", 95, 10, 0, 9999000, {1076, 53.8, 100, 5, 5, 9998995}},
      {"Fc", 9999000, 0, 1, 1, {107589240, 0, 9999000, 0, 6, 0}},
  };
  for (const Case& c : cases) {
    const RangeRecord r = PlotLimits(c.unit, c.mainMax, c.mainMin, c.cdMax, c.cdMin);
    EXPECT_DOUBLE_EQ(r.LuxMax, c.expected.LuxMax) << c.unit << c.mainMax;
    EXPECT_DOUBLE_EQ(r.LuxMin, c.expected.LuxMin) << c.unit << c.mainMax;
    EXPECT_DOUBLE_EQ(r.FcMax, c.expected.FcMax) << c.unit << c.mainMax;
    EXPECT_DOUBLE_EQ(r.FcMin, c.expected.FcMin) << c.unit << c.mainMax;
    EXPECT_DOUBLE_EQ(r.CdMax, c.expected.CdMax) << c.unit << c.mainMax;
    EXPECT_DOUBLE_EQ(r.CdMin, c.expected.CdMin) << c.unit << c.mainMax;
  }
}

TEST(RecordingReaderTest, WhatIsNoRegularFileIsRefusedBeforeItIsRead) {
#ifndef ORVANE_SANITIZE
  // Within 2 GB of address space, as on a small machine: nothing may be sized from a file.
  rlimit limit{2000000ULL * 1024, 2000000ULL * 1024};
  ASSERT_EQ(setrlimit(RLIMIT_AS, &limit), 0);
#endif
  testing_support::TempFolder dir;
  std::filesystem::create_directories(dir.File("folder.lms"));
  ASSERT_EQ(mkfifo(dir.File("fifo.lms").c_str(), 0600), 0);
  { std::ofstream(dir.File("sparse.lms")); }
  std::filesystem::resize_file(dir.File("sparse.lms"), 20ULL << 30);
  struct Case {
    std::string path;
    long line;
    const char* problem;
  };
  const Case cases[] = {
      {dir.File("folder.lms"), 0, "it is a folder, not a file."},
      {dir.File("fifo.lms"), 0, "it is a named pipe (FIFO), not a file."},
      {"/dev/zero", 0, "it is a device, not a file."},
      {dir.File("sparse.lms"), 1, "is too long"},
  };
  for (const Case& c : cases) {
    PlotData plot;
    RecordingFileError error;
    long lines = 0;
    EXPECT_FALSE(ReadRecordingFile(c.path, plot, error, [&](long n) { lines = n; })) << c.path;
    EXPECT_EQ(error.line, c.line) << c.path;
    EXPECT_NE(error.problem.find(c.problem), std::string::npos) << error.problem;
    EXPECT_EQ(lines, 0);
  }
}

}  // namespace
}  // namespace orvane
