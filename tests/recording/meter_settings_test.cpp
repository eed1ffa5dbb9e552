// SPDX-License-Identifier: GPL-3.0-or-later
// Sampling time and recording period answers as the user types them.

#include "recording/meter_settings.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(MeterSettingsRecordTest, SamplingDefaultFromTheMetersSeconds) {
  const std::pair<int, const char*> cases[] = {
      {90, "00:01:30"}, {3600, "01:00:00"}, {1, "00:00:01"},
      {0, "00:00:00"},  {3599, "00:59:59"}, {65535, "18:12:15"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(SamplingDefaultText(seconds), text);
}

TEST(MeterSettingsRecordTest, SamplingAnswers) {
  using Kind = SamplingAnswer::Kind;
  struct Case {
    const char* answer;
    Kind kind;
    int seconds;
  };
  const Case cases[] = {
      {"", Kind::Cancelled, 0},
      {"00:01:30", Kind::Accepted, 90},
      {"0:1:-5", Kind::Accepted, 55},  // a negative part, a positive total
      {"1234", Kind::BadFormat, 0},
      {"-1:0:0", Kind::BadFormat, 0},  // a negative total cannot be sent
      {" 0 : 2 : 5", Kind::Accepted, 125},
      {"a:b:c", Kind::Zero, 0},
      {"0:0.5:0", Kind::Accepted, 30},
      {"99999999999999999999:0:0", Kind::Accepted, 3600},
  };
  for (const Case& c : cases) {
    const SamplingAnswer a = ParseSamplingAnswer(c.answer);
    EXPECT_EQ(a.kind, c.kind) << c.answer;
    EXPECT_EQ(a.seconds, c.seconds) << c.answer;
  }
}

TEST(MeterSettingsRecordTest, PeriodAnswersAreForcedIntoRange) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"abc", 1}, {" 60", 60}, {"9999", 9999}, {"1e9", 9999}, {"30s", 30}, {"0.99", 1},
  };
  for (const auto& [answer, expected] : cases)
    EXPECT_EQ(ParsePeriodAnswer(answer), expected) << answer;
}

}  // namespace
}  // namespace orvane
