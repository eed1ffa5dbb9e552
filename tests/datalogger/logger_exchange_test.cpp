// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/logger_exchange.h"

#include <gtest/gtest.h>

#include "link/requests.h"
#include "scripted_meter.h"

namespace orvane {
namespace {

using testing::Payload;
using testing::Reply;
using testing::ScriptedLink;

// An index report holding stamps first, first+1, ... in bytes 2..64; byte 1 and the
// stamps' own bytes carry values that show where they came from.
Payload IndexReport(int first) {
  Payload p;
  p.fill(0);
  p[0] = 0x77;  // byte 1 is not used
  for (int s = 0; s < 9; ++s) {
    const int n = first + s;
    const std::uint8_t bytes[7] = {0x20,
                                   static_cast<std::uint8_t>(n / 100 % 10 * 16 + n / 10 % 10),
                                   static_cast<std::uint8_t>(n % 10),
                                   0x14,
                                   0x12,
                                   0x34,
                                   0x56};
    for (int i = 0; i < 7; ++i) p[1 + 7 * s + i] = bytes[i];
  }
  return p;
}

// The stamp text of set n as IndexReport lays it out: 20 n/100.. n%10 14 12 34 56.
std::string StampOf(int n) {
  StampBytes b{};
  const Payload p = IndexReport(n);
  std::copy(p.begin() + 1, p.begin() + 8, b.begin());
  return StampText(b);
}

TEST(LoggerIndex, ReadsOneReportPerNineSetsAndIgnoresTheTail) {
  struct Case {
    int sets;
    int reports;
  } cases[] = {{1, 1}, {9, 1}, {10, 2}, {18, 2}, {19, 3}};
  for (const Case& c : cases) {
    ScriptedLink m;
    for (int r = 0; r < c.reports; ++r) m.transport.replies.push_back(IndexReport(1 + 9 * r));
    m.transport.replies.push_back(Reply({}, 0xEE));  // a report more that must stay unread
    std::vector<std::pair<std::uint64_t, std::uint64_t>> steps;
    const IndexDownload d = DownloadIndex(m.link, c.sets, [&](auto done, auto total) {
      steps.push_back({done, total});
    });
    EXPECT_TRUE(d.complete);
    EXPECT_EQ(m.transport.reads, c.reports) << c.sets;
    ASSERT_EQ(m.transport.written.size(), 1u);
    EXPECT_EQ(m.transport.written[0][2], request::kLoggerIndex);
    ASSERT_EQ(d.stamps.size(), static_cast<std::size_t>(c.sets));
    for (int k = 1; k <= c.sets; ++k) EXPECT_EQ(d.stamps[k - 1], StampOf(k)) << k;
    ASSERT_EQ(steps.size(), static_cast<std::size_t>(c.reports));
    const std::uint64_t due = c.reports;
    EXPECT_EQ(steps.back().first, due);
    EXPECT_EQ(steps.back().second, due);
  }
}

TEST(LoggerIndex, MeterThatStopsAnsweringGivesOnlyTheStampsThatArrived) {
  ScriptedLink m;
  m.transport.replies.push_back(IndexReport(1));  // 1 of 3 reports for 20 sets
  const IndexDownload d = DownloadIndex(m.link, 20);
  EXPECT_FALSE(d.complete);
  EXPECT_EQ(d.stamps.size(), 9u);
  EXPECT_EQ(m.transport.reads, 2);  // stops at the first read that timed out
  EXPECT_EQ(m.link.MeterConnected(), 0);
}

TEST(LoggerStatusQuery, DrainsThenAsks) {
  ScriptedLink m;
  m.QueueDrain();
  m.transport.replies.push_back(Reply({{4, 2}, {9, 4}, {12, 10}}));
  const auto status = QueryLoggerStatus(m.link);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(status->figure1, 512u);
  EXPECT_EQ(status->figure2, 1024u);
  EXPECT_EQ(status->setCount, 10);
  ASSERT_EQ(m.transport.written.size(), 1u);
  EXPECT_EQ(m.transport.written[0][2], request::kLoggerStatus);
  EXPECT_EQ(m.transport.reads, 2);

  ScriptedLink silent;
  silent.QueueDrain();  // the drain arrives, the answer does not
  EXPECT_FALSE(QueryLoggerStatus(silent.link).has_value());
}

// Content blocks whose byte i of block b is 'a' + b - 1.
void QueueContent(ScriptedLink& m, std::uint64_t length, int blocks) {
  m.QueueDrain();
  m.transport.replies.push_back(Reply({{1, static_cast<std::uint8_t>(length >> 32)},
                                       {2, static_cast<std::uint8_t>(length >> 24)},
                                       {3, static_cast<std::uint8_t>(length >> 16)},
                                       {4, static_cast<std::uint8_t>(length >> 8)},
                                       {5, static_cast<std::uint8_t>(length)}}));
  for (int b = 0; b < blocks; ++b) m.transport.replies.push_back(Reply({}, 'a' + b));
}

TEST(LoggerSetContent, BlocksOfSixtyFourAndTheReadAfterTheLast) {
  struct Case {
    std::uint64_t length;
    int blocks;
  } cases[] = {{0, 0}, {1, 1}, {64, 1}, {65, 2}, {128, 2}, {129, 3}};
  for (const Case& c : cases) {
    ScriptedLink m;
    QueueContent(m, c.length, c.blocks);
    m.transport.replies.push_back(Reply({}, '#'));  // the report after the last block
    const SetDownload d = DownloadSetContent(m.link, "20170414123456");
    EXPECT_TRUE(d.complete);
    EXPECT_EQ(d.length, c.length);
    std::string expected;
    for (int b = 0; b < c.blocks; ++b) expected += std::string(64, 'a' + b);
    EXPECT_EQ(d.text, expected) << c.length;
    // drain, answer to 21, answer to 17 (block 1), then one read after each block.
    EXPECT_EQ(m.transport.reads, 3 + c.blocks) << c.length;
  }
}

TEST(LoggerSetContent, ChoosesTheSetByAsciiDigitsAndAsksForItsContent) {
  ScriptedLink m;
  QueueContent(m, 65, 2);
  m.transport.replies.push_back(Reply({}, '#'));
  DownloadSetContent(m.link, "20170414123456");
  ASSERT_EQ(m.transport.written.size(), 2u);
  const Report& choose = m.transport.written[0];
  const Report& content = m.transport.written[1];
  EXPECT_EQ(choose[0], 0);
  EXPECT_EQ(choose[1], 1);
  EXPECT_EQ(choose[2], request::kSelectSet);
  const std::string sent(choose.begin() + 3, choose.begin() + 17);
  EXPECT_EQ(sent, "20170414123456");
  EXPECT_EQ(choose[6], 55);  // the digit 7
  EXPECT_EQ(content[2], request::kSetContent);
  // The content request keeps the bytes the choice left behind.
  EXPECT_TRUE(std::equal(choose.begin() + 3, choose.end(), content.begin() + 3));
}

TEST(LoggerSetContent, MeterThatStopsAnsweringLeavesAnIncompleteDownload) {
  struct Case {
    int answered;  // reports the meter sends after the drain before falling silent
  } cases[] = {{0}, {1}, {2}, {4}};
  for (const Case& c : cases) {
    ScriptedLink m;
    QueueContent(m, 64 * 5, 5);
    while (m.transport.replies.size() > static_cast<std::size_t>(1 + c.answered)) {
      m.transport.replies.pop_back();
    }
    const SetDownload d = DownloadSetContent(m.link, "20140414123456");
    EXPECT_FALSE(d.complete) << c.answered;
    // No read after the one that timed out: the wait is bounded by one read.
    EXPECT_EQ(m.transport.reads, 2 + c.answered) << c.answered;
    EXPECT_EQ(m.link.MeterConnected(), 0);
  }
}

// A length that the meter's memory cannot hold (a display frame read as the answer to the
// choice gives some 20 GB) asks for no content; one that fits is downloaded whole.
TEST(LoggerSetContent, LengthBeyondTheMemoryIsNotDownloaded) {
  struct Case {
    std::uint64_t figure1, figure2;  // status figures, kilobytes
    std::uint64_t length;
    bool downloaded;
  } cases[] = {
      {0, 1, 1024, true},                // the whole memory
      {1, 0, 1025, false},               // one byte more
      {2, 1, 2048, true},                // the larger figure counts
      {3, 512, 0x0502030403ULL, false},  // display frame bytes 1..5 read as a length
      {0, 0, 130, true},                 // no figures: no limit
  };
  for (const Case& c : cases) {
    ScriptedLink m;
    const auto blocks = static_cast<int>(c.downloaded ? ContentBlockCount(c.length) : 0);
    QueueContent(m, c.length, blocks);
    m.transport.replies.push_back(Reply({}, '#'));
    const LoggerStatus status{c.figure1, c.figure2, 1};
    const SetDownload d = DownloadSetContent(m.link, "20140414123456", {}, LongestSetText(status));
    EXPECT_EQ(d.beyondMemory, !c.downloaded) << c.length;
    EXPECT_EQ(d.complete, c.downloaded) << c.length;
    EXPECT_EQ(d.text.size(), static_cast<std::size_t>(blocks) * 64) << c.length;
    // Beyond the memory only the choice (21) was sent, never the content query (17).
    ASSERT_EQ(m.transport.written.size(), c.downloaded ? 2u : 1u) << c.length;
    EXPECT_EQ(m.transport.written.back()[2],
              c.downloaded ? request::kSetContent : request::kSelectSet);
  }
}

TEST(LoggerStampRequests, UnitOptionAndErasesSendTheRightBytes) {
  ScriptedLink m;
  m.QueueDrain();
  m.transport.replies.push_back(Reply({}));
  SendStampBcd(m.link, "20170417123456");
  const Report& unit = m.transport.written.at(0);
  EXPECT_EQ(unit[2], request::kSetContent);
  const StampBytes bcd = {0x20, 0x17, 0x04, 0x17, 0x12, 0x34, 0x56};
  EXPECT_TRUE(std::equal(bcd.begin(), bcd.end(), unit.begin() + 3));
  EXPECT_EQ(m.transport.reads, 2);

  m.transport.replies.push_back(Reply({}));
  EraseOneSet(m.link, "20140414123456");
  const Report& one = m.transport.written.at(1);
  EXPECT_EQ(one[2], request::kEraseSet);
  EXPECT_EQ(std::string(one.begin() + 3, one.begin() + 17), "20140414123456");
  EXPECT_EQ(m.transport.reads, 3);  // no drain before 18

  m.QueueDrain();
  m.transport.replies.push_back(Reply({}));
  EraseAllSets(m.link, true);
  EXPECT_EQ(m.transport.written.at(2)[2], request::kEraseAll);
  EXPECT_EQ(m.transport.reads, 5);
  m.transport.replies.push_back(Reply({}));
  EraseAllSets(m.link, false);
  EXPECT_EQ(m.transport.written.at(3)[2], request::kEraseAll);
  EXPECT_EQ(m.transport.reads, 6);
}

}  // namespace
}  // namespace orvane
