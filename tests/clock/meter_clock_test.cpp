// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/meter_clock.h"

#include <gtest/gtest.h>

#include "link/requests.h"

namespace orvane {
namespace {

Report Reply(std::initializer_list<int> bytes) {
  Report r{};
  std::size_t i = 1;
  for (int b : bytes) r[i++] = static_cast<std::uint8_t>(b);
  return r;
}

TEST(MeterClock, ReplyShowsYearWholeAndOtherFieldsInTwoDigits) {
  const struct {
    Report reply;
    const char* shown;
  } cases[] = {
      {Reply({7, 230, 10, 3, 9, 5, 7}), "2022/10/03 09:05:07"},
      {Reply({3, 231, 1, 1, 0, 0, 0}), "999/01/01 00:00:00"},
      {Reply({0, 0, 0, 0, 0, 0, 0}), "0/00/00 00:00:00"},
      {Reply({7, 233, 12, 31, 23, 59, 59}), "2025/12/31 23:59:59"},
      {Reply({255, 255, 100, 255, 199, 60, 123}), "65535/00/55 99:60:23"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMeterClock(c.reply), c.shown);
}

TEST(MeterClock, SetRequestCarriesEveryFieldAsItsPlainNumber) {
  const struct {
    DateTime time;
    std::array<int, 10> bytes;
  } cases[] = {
      {{2022, 10, 3, 9, 5, 7}, {0, 1, 23, 7, 230, 10, 3, 9, 5, 7}},
      {{2024, 12, 31, 23, 59, 59}, {0, 1, 23, 7, 232, 12, 31, 23, 59, 59}},
      {{2025, 1, 1, 0, 0, 0}, {0, 1, 23, 7, 233, 1, 1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Report request;
    request.fill(0xEE);
    StoreClockSet(request, c.time);
    for (std::size_t i = 0; i < c.bytes.size(); ++i) {
      EXPECT_EQ(request[i], c.bytes[i]) << FormatDateTime(c.time) << " byte " << i;
    }
    EXPECT_EQ(request[10], 0xEE);  // bytes after the request are left alone
  }
}

TEST(MeterClock, ReadRequestIsCode22) {
  Report request;
  request.fill(0xEE);
  StoreClockRead(request);
  EXPECT_EQ(request[0], 0);
  EXPECT_EQ(request[1], 1);
  EXPECT_EQ(request[2], request::kClockRead);
  EXPECT_EQ(request[3], 0xEE);
}

}  // namespace
}  // namespace orvane
