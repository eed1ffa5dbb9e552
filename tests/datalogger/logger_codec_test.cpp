// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/logger_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

Report StatusReply(std::vector<std::uint8_t> bytes1to12) {
  Report r{};
  for (std::size_t i = 0; i < bytes1to12.size(); ++i) r[i + 1] = bytes1to12[i];
  return r;
}

TEST(LoggerStatus, DecodesBothFortyBitFiguresAndTheSetCount) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    std::uint64_t figure1, figure2;
    int sets;
  } cases[] = {
      {{0, 0, 0, 2, 0, 0, 0, 0, 4, 0, 0, 3}, 512, 1024, 3},
      {{1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0}, std::uint64_t{1} << 32, 1, 256},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xFF, 0xFF},
       (std::uint64_t{1} << 40) - 1,
       0x123456789AULL,
       65535},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const LoggerStatus s = DecodeStatus(StatusReply(c.bytes));
    EXPECT_EQ(s.figure1, c.figure1);
    EXPECT_EQ(s.figure2, c.figure2);
    EXPECT_EQ(s.setCount, c.sets);
  }
  EXPECT_EQ(DecodeSetLength(StatusReply({0x01, 0, 0, 0, 0x41})), (std::uint64_t{1} << 32) + 65);
}

TEST(LoggerStatus, ReportCountsRoundUp) {
  struct Case {
    std::uint64_t count, indexReports, contentBlocks;
  } cases[] = {
      {0, 0, 0},
      {1, 1, 1},
      {9, 1, 1},
      {10, 2, 1},
      {18, 2, 1},
      {19, 3, 1},
      {64, 8, 1},
      {65, 8, 2},
      {128, 15, 2},
      {65535, 7282, 1024},
      {std::uint64_t{1} << 40, 122167958642ULL, std::uint64_t{1} << 34},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IndexReportCount(c.count), c.indexReports) << c.count;
    EXPECT_EQ(ContentBlockCount(c.count), c.contentBlocks) << c.count;
  }
}

TEST(LoggerStatus, GaugeAndCaption) {
  struct Case {
    std::uint64_t figure1, figure2;
    int percent;
    const char* caption;
  } cases[] = {
      {512, 1024, 50, "512k Bytes"},
      {512, 0, 0, "512k Bytes"},  // no reference: an empty gauge, not a division by zero
      {0, 512, 0, "0k Bytes"},
      {2048, 512, 100, "2048k Bytes"},  // the gauge cannot run over
      {(std::uint64_t{1} << 40) - 1, (std::uint64_t{1} << 40) - 1, 100, "1099511627775k Bytes"},
      {std::uint64_t{3} << 32, std::uint64_t{4} << 32, 75, "12884901888k Bytes"},
  };
  for (const Case& c : cases) {
    const LoggerStatus s{c.figure1, c.figure2, 1};
    EXPECT_EQ(MemoryGaugePercent(s), c.percent) << c.figure1 << "/" << c.figure2;
    EXPECT_EQ(MemorySizeCaption(s), c.caption);
  }
}

TEST(LoggerStamp, TextAndDisplayFromTheBcdBytes) {
  struct Case {
    StampBytes bytes;
    const char* text;
    const char* shown;
  } cases[] = {
      {{0x20, 0x14, 0x04, 0x14, 0x12, 0x34, 0x56}, "20140414123456", "2014/04/14 12:34:56"},
      {{0x19, 0x99, 0x12, 0x31, 0x23, 0x59, 0x59}, "19991231235959", "1999/12/31 23:59:59"},
      // Bytes that are not BCD are shown as the meter sent them, in upper-case hex.
      {{0xAB, 0x0F, 0x00, 0xFF, 0x0A, 0x00, 0x01}, "AB0F00FF0A0001", "AB0F/00/FF 0A:00:01"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StampText(c.bytes), c.text);
    EXPECT_EQ(StampDisplay(c.text), c.shown);
  }
  EXPECT_EQ(StampDisplay(""), "");
  EXPECT_EQ(StampDisplay("2014041"), "2014/04/1");
}

TEST(LoggerStamp, AsciiDigitsForChoosingAndErasingASet) {
  auto digits = [](const char* s) {
    StampAscii a{};
    for (std::size_t i = 0; i < a.size(); ++i) a[i] = static_cast<std::uint8_t>(s[i]);
    return a;
  };
  struct Case {
    const char* stamp;
    StampAscii bytes;
  } cases[] = {
      {"20140414123456", {50, 48, 49, 52, 48, 52, 49, 52, 49, 50, 51, 52, 53, 54}},
      {"77777777777777", digits("77777777777777")},
      {"", digits("00000000000000")},                 // entry 0: fourteen bytes 48
      {"2014", digits("20140000000000")},             // missing characters give 48
      {"2014AB0414123F", digits("20140004141230")},   // non-digits give 48
      {"201404141234567", digits("20140414123456")},  // only fourteen characters go out
  };
  for (const Case& c : cases) EXPECT_EQ(StampAsciiBytes(c.stamp), c.bytes) << c.stamp;
  EXPECT_EQ(StampAsciiBytes("7")[0], 55);
}

TEST(LoggerStamp, BcdPairsForTheUnitOption) {
  struct Case {
    const char* stamp;
    StampBytes bytes;
  } cases[] = {
      {"20140414123456", {0x20, 0x14, 0x04, 0x14, 0x12, 0x34, 0x56}},
      {"20170717070707", {0x20, 0x17, 0x07, 0x17, 0x07, 0x07, 0x07}},
      {"AB0F00FF0a0001", {0xAB, 0x0F, 0x00, 0xFF, 0x0A, 0x00, 0x01}},
      {"", {0, 0, 0, 0, 0, 0, 0}},
      {"201", {0x20, 0x10, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(StampBcdBytes(c.stamp), c.bytes) << c.stamp;
}

}  // namespace
}  // namespace orvane
