// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/virtual_meter.h"

#include <gtest/gtest.h>

#include "link/requests.h"

namespace orvane {
namespace {

Report Request(std::uint8_t code, std::vector<std::uint8_t> params = {}) {
  Report r{};
  StoreRequest(r, code);
  for (std::size_t i = 0; i < params.size(); ++i) r[3 + i] = params[i];
  return r;
}

struct Meter {
  ManualClock clock{{2022, 10, 3, 9, 5, 7, 0}};
  VirtualMeter meter{clock, 3};
  Payload Ask(std::uint8_t code, std::vector<std::uint8_t> params = {}) {
    meter.HandleRequest(Request(code, std::move(params)));
    return meter.NextReply();
  }
};

TEST(VirtualMeterReplies, SettingsAreTwoByteBigEndian) {
  struct Case {
    std::uint8_t query, set;
    int value;
    std::uint8_t hi, lo;
  };
  for (const Case& c :
       {Case{request::kSamplingTimeQuery, request::kSetSamplingTime, 3600, 14, 16},
        Case{request::kRecordingPeriodQuery, request::kSetRecordingPeriod, 9999, 39, 15}}) {
    Meter m;
    m.Ask(c.query);  // the period is set right after its query, as the tool bar does
    m.meter.HandleRequest(Request(c.set, {c.hi, c.lo}));
    const Payload p = m.Ask(c.query);
    EXPECT_EQ(p[0], c.hi);
    EXPECT_EQ(p[1], c.lo);
  }
}

TEST(VirtualMeterReplies, MemKeyIsNotTakenForARecordingPeriod) {
  Meter m;
  m.meter.HandleRequest(Request(request::kSetRecordingPeriod, {0, 5}));
  EXPECT_EQ(m.meter.recordingPeriod, 60);
  EXPECT_TRUE(m.meter.Recording());
}

// The program's built-in meter keeps no log of its requests, and still knows what the
// request before was.
TEST(VirtualMeterReplies, WithoutALogAPeriodStillFollowsItsQuery) {
  Meter m;
  m.meter.keepLog = false;
  m.Ask(request::kRecordingPeriodQuery);
  m.meter.HandleRequest(Request(request::kSetRecordingPeriod, {0, 5}));
  EXPECT_EQ(m.meter.recordingPeriod, 5);
  EXPECT_FALSE(m.meter.Recording());
  EXPECT_TRUE(m.meter.requestsReceived.empty());
}

TEST(VirtualMeterReplies, ClockReadAndSet) {
  Meter m;
  Payload p = m.Ask(request::kClockRead);
  EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3], p[4], p[5], p[6]}),
            (std::vector<int>{7, 230, 10, 3, 9, 5, 7}));
  m.meter.HandleRequest(Request(request::kClockSet, {7, 232, 2, 29, 23, 59, 58}));
  m.clock.AdvanceMs(3000);
  p = m.Ask(request::kClockRead);
  EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3], p[4], p[5], p[6]}),
            (std::vector<int>{7, 232, 3, 1, 0, 0, 1}));
}

TEST(VirtualMeterReplies, LoggerStatusHasFortyBitFigures) {
  Meter m;
  m.meter.FillLogger(3);
  m.meter.memoryUsedK = (std::uint64_t{1} << 32) + 0x01020304;
  m.meter.memoryTotalK = 0xFF00000001ULL;
  const Payload p = m.Ask(request::kLoggerStatus);
  EXPECT_EQ((std::vector<int>(p.begin(), p.begin() + 12)),
            (std::vector<int>{1, 1, 2, 3, 4, 0xFF, 0, 0, 0, 1, 0, 3}));
}

TEST(VirtualMeterReplies, IndexCarriesNineBcdStampsPerReport) {
  Meter m;
  m.meter.FillLogger(10);
  m.meter.HandleRequest(Request(request::kLoggerIndex));
  ASSERT_EQ(m.meter.QueuedReplies(), 2u);
  const Payload first = m.meter.NextReply();
  const Payload second = m.meter.NextReply();
  EXPECT_EQ(first[0], 0);  // byte 1 is not used
  EXPECT_EQ((std::vector<int>(first.begin() + 1, first.begin() + 8)),
            (std::vector<int>{0x20, 0x24, 0x04, 0x14, 0x08, 0x00, 0x00}));
  EXPECT_EQ(std::vector<int>(second.begin() + 1, second.begin() + 8),
            std::vector<int>(m.meter.sets[9].stamp.begin(), m.meter.sets[9].stamp.end()));
  EXPECT_EQ(second[8], 0);  // nothing after the tenth stamp
}

TEST(VirtualMeterReplies, SetLengthThenContentBlocksThenTheDisplayAgain) {
  Meter m;
  m.meter.FillLogger(2, 3);
  m.meter.sets[1].content = std::string(65, 'x');
  std::vector<std::uint8_t> digits;
  for (std::uint8_t b : m.meter.sets[1].stamp) {
    digits.push_back(48 + (b >> 4));
    digits.push_back(48 + (b & 15));
  }
  const Payload length = m.Ask(request::kSelectSet, digits);
  EXPECT_EQ((std::vector<int>(length.begin(), length.begin() + 5)),
            (std::vector<int>{0, 0, 0, 0, 65}));
  m.meter.HandleRequest(Request(request::kSetContent, digits));
  ASSERT_EQ(m.meter.QueuedReplies(), 2u);
  EXPECT_EQ(m.meter.NextReply()[63], 'x');
  const Payload last = m.meter.NextReply();
  EXPECT_EQ(last[0], 'x');
  EXPECT_EQ(last[1], ' ');
}

TEST(VirtualMeterReplies, EraseOneSetOrAll) {
  Meter m;
  m.meter.FillLogger(3);
  std::vector<std::uint8_t> digits;
  for (std::uint8_t b : m.meter.sets[0].stamp) {
    digits.push_back(48 + (b >> 4));
    digits.push_back(48 + (b & 15));
  }
  m.Ask(request::kEraseSet, digits);
  EXPECT_EQ(m.meter.sets.size(), 2u);
  m.Ask(request::kEraseAll);
  EXPECT_TRUE(m.meter.sets.empty());
}

TEST(VirtualMeterDisplay, FrameShowsReadingUnitClockAndUsb) {
  Meter m;
  const Payload f = m.Ask(request::kDisplayFrame);
  EXPECT_EQ(f[6], 1);       // cd/m2
  EXPECT_EQ(f[4], 3);       // point after the third digit: ddd.d
  EXPECT_EQ(f[49] & 1, 1);  // USB lit
  EXPECT_EQ(f[59], 21);     // full battery
  EXPECT_EQ((std::vector<int>{f[10], f[11], f[12], f[13], f[14], f[15], f[16], f[17]}),
            (std::vector<int>{0, 9, 1, 0, 5, 1, 0, 7}));
}

TEST(VirtualMeterDisplay, KeysChangeWhatTheMeterShows) {
  struct Case {
    std::uint8_t key;
    std::size_t byte;  // display frame byte that must change
    int expected;
  };
  for (const Case& c : {Case{key::kHold, 28, 1}, Case{key::kMaxMin, 24, 1}, Case{key::kSet, 45, 1},
                        Case{key::kMem, 23, 1}, Case{key::kA, 7, 2}}) {
    SCOPED_TRACE(static_cast<int>(c.key));
    Meter m;
    m.meter.HandleRequest(Request(c.key));
    EXPECT_EQ(m.Ask(request::kDisplayFrame)[c.byte - 1] & (c.byte == 7 ? 0xFF : 1), c.expected);
  }
}

TEST(VirtualMeterDisplay, RangeKeyReachesThousandsAndOverRange) {
  Meter m;
  m.meter.HandleRequest(Request(key::kRange));
  m.meter.HandleRequest(Request(key::kRange));
  Payload f{};
  for (int i = 0; i < 200; ++i) f = m.Ask(request::kDisplayFrame);
  EXPECT_EQ(f[5], 1);  // K multiplier of the cd/m2 row
  m.meter.HandleRequest(Request(key::kRange));
  for (int i = 0; i < 200; ++i) f = m.Ask(request::kDisplayFrame);
  EXPECT_EQ(f[3], 19);  // "L": over range
}

}  // namespace
}  // namespace orvane
