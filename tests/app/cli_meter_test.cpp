// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli watch, clock, sampling and period against the simulated meter, run as built.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <regex>
#include <sstream>
#include <vector>

#include "app/cli_run.h"

namespace orvane {
namespace {

using test::Lines;
using test::RunCli;

// "YYYY/MM/DD hh:mm:ss" in local time as seconds since the epoch; -1 when it is not one.
long long Seconds(const std::string& text) {
  std::tm t{};
  if (std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
                  &t.tm_min, &t.tm_sec) != 6) {
    return -1;
  }
  t.tm_year -= 1900;
  t.tm_mon -= 1;
  t.tm_isdst = -1;
  return static_cast<long long>(std::mktime(&t));
}

TEST(CliWatch, OneLinePerPollWithReadingDigitsAndSymbols) {
  const auto r = RunCli("watch --simulate --count 4 --interval-ms 5");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4u) << r.out;
  // The simulated meter shows cd/m2 and its clock in the secondary digits, "USB" lit.
  const std::regex line(
      R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d\t\d+\.\d{3}\t\d+(\.\d+)?K? cd/m2\t *)"
      R"((\d\d):(\d\d):(\d\d)\t([^\t ]+ )*USB( [^\t ]+)*)");
  const std::time_t now = std::time(nullptr);
  for (const std::string& l : lines) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(l, m, line)) << l;
    // The time shown is the meter's, which runs a day, an hour, a minute and a second late.
    std::tm meter = *std::localtime(&now);
    const int shown = std::stoi(m[2]) * 3600 + std::stoi(m[3]) * 60 + std::stoi(m[4]);
    const int expected = (meter.tm_hour - 1) * 3600 + (meter.tm_min - 1) * 60 + meter.tm_sec - 1;
    const int late = ((shown - expected) % 86400 + 86400) % 86400;  // 0 at the lag, modulo a day
    EXPECT_TRUE(late <= 2 || late >= 86398) << l;
  }
}

TEST(CliClock, ShowsBothClocksAndSetsTheMetersToThePcs) {
  const auto read = RunCli("clock --simulate");
  ASSERT_EQ(read.status, 0) << read.err;
  std::smatch m;
  const std::regex form("Meter Time\t(.{19})\nPC System Time\t(.{19})\n");
  ASSERT_TRUE(std::regex_match(read.out, m, form)) << read.out;
  EXPECT_NEAR(Seconds(m[2]) - Seconds(m[1]), 90061, 2) << read.out;

  const auto set = RunCli("clock --simulate --set");
  ASSERT_EQ(set.status, 0) << set.err;
  ASSERT_TRUE(std::regex_match(set.out, m, form)) << set.out;
  EXPECT_NEAR(Seconds(m[2]) - Seconds(m[1]), 0, 1) << set.out;
}

TEST(CliSettings, ReadOrSetAsTheInputBoxesCheck) {
  struct Case {
    const char* args;
    const char* out;
  };
  const Case cases[] = {
      {"sampling --simulate", "sampling time 00:00:02 (2 s)\n"},
      {"sampling --simulate 0:1:30", "sampling time 00:01:30 (90 s)\n"},
      {"sampling --simulate 0:0:1", "sampling time 00:00:01 (1 s)\n"},
      {"sampling --simulate 90", "sampling time 00:01:30 (90 s)\n"},
      {"sampling --simulate 1:00:00", "sampling time 01:00:00 (3600 s)\n"},
      {"sampling --simulate 3600", "sampling time 01:00:00 (3600 s)\n"},
      {"period --simulate", "recording period 60 s\n"},
      {"period --simulate 120", "recording period 120 s\n"},
      {"period --simulate 1", "recording period 1 s\n"},
      {"period --simulate 9999", "recording period 9999 s\n"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    EXPECT_EQ(r.out, c.out) << c.args;
  }
}

TEST(CliMeterCommands, RefuseWithOneLineOnStderr) {
  struct Case {
    const char* args;
    const char* err;
  };
  const Case cases[] = {
      // No device answers to these ids.
      {"watch --meter ffff:fffe --count 1", "orvane-cli: no meter answered\n"},
      {"clock --meter ffff:fffe", "orvane-cli: no meter answered\n"},
      {"sampling --meter ffff:fffe 0:0:5", "orvane-cli: no meter answered\n"},
      {"period --meter ffff:fffe", "orvane-cli: no meter answered\n"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_EQ(r.err, c.err) << c.args;
  }
}

TEST(CliMeterCommands, EachExplainsItselfWithHelp) {
  for (const char* name : {"watch", "clock", "sampling", "period", "export", "plot"}) {
    const auto r = RunCli(std::string(name) + " --help");
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_EQ(r.out.rfind("usage: orvane-cli " + std::string(name) + " ", 0), 0u) << r.out;
  }
}

}  // namespace
}  // namespace orvane
