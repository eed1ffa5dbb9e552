// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli key and the command line's refusals by the meter's mode, against the
// built-in meter, put into a mode first with ORVANE_SIMULATE_KEYS.

#include <gtest/gtest.h>

#include <string>

#include "app/cli_run.h"

namespace orvane {
namespace {

using test::RunCli;

struct Case {
  const char* keysBefore;  // pressed on the built-in meter before the command
  const char* command;
  int status;
  const char* out;  // a part of standard output ("" for none expected)
  const char* err;  // a part of standard error ("" when it must be empty)
};

void Check(const Case& c) {
  const std::string prefix = std::string("ORVANE_SIMULATE_KEYS='") + c.keysBefore + "' ";
  const auto r = RunCli(std::string(c.command) + " --simulate", prefix);
  SCOPED_TRACE(std::string(c.keysBefore) + " then " + c.command);
  EXPECT_EQ(r.status, c.status) << r.out << r.err;
  EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
  if (*c.err == '\0') {
    EXPECT_EQ(r.err, "");
  } else {
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_EQ(r.status == 0 ? "" : r.out, "");  // a refusal prints nothing else
  }
}

// The display printed after the press is the meter's answer: MEM lights REC, "Delta/%"
// lights R-H (and with R-H lit sends 26, which puts it out), A switches the unit.
TEST(CliKey, PressesAKeyByItsCaptionWithThePanelsRules) {
  const Case cases[] = {
      {"", "key MEM", 0, "\tREC USB\n", ""},
      {"", "key mem", 0, "\tREC USB\n", ""},
      {"", "key 'MX / MN'", 0, "\tMX USB\n", ""},
      {"", "key A", 0, " fL\t", ""},
      {"", "key Delta/%", 0, "\tR-H USB\n", ""},
      {"Delta/%", "key Delta/%", 0, "\tUSB\n", ""},
      {"Delta/%", "key REF", 0, "\tR-H USB\n", ""},
      {"", "key REF", 1, "", "REF works only while R-H is lit on the meter"},
      {"", "key H --long", 1, "", "only SET has a long press"},
      {"", "key SET --long", 0, " cd/m2\t", ""},
      {"", "key PLAY", 2, "", "no key 'PLAY' on the panel"},
      {"", "key --list", 0, "MX / MN   3  ", ""},
  };
  for (const Case& c : cases) Check(c);
}

// clock --set and the logger's download and erases ask for the display first: REC
// refuses them all, a measuring mode (MX) the logger's; the period too while REC is lit.
// A sampling time the recording meter ignores is read back and reported, status 1.
TEST(CliMeterMode, RefusesAsThePanelAndReportsASettingTheMeterIgnored) {
  const Case cases[] = {
      {"MEM", "clock --set", 1, "", "Not while the meter records (REC is lit); nothing was sent"},
      {"MEM", "logger download 1", 1, "", "(REC is lit)"},
      {"MEM", "logger erase 1", 1, "", "(REC is lit)"},
      {"MEM", "logger erase-all --yes", 1, "", "(REC is lit)"},
      {"MEM", "period 30", 1, "", "(REC is lit)"},
      {"MEM", "sampling 30", 1, "",
       "the meter did not take sampling time 00:00:30 (30 s): it holds sampling time 00:00:02"},
      {"MEM", "logger list", 0, ", 6 record sets", ""},
      {"MX / MN", "logger download 1", 1, "", "Not while MX is lit on the meter"},
      {"MX / MN", "logger erase-all --yes", 1, "", "Not while MX is lit on the meter"},
      {"MX / MN", "clock --set", 0, "Meter Time\t", ""},
      {"MX / MN", "period 30", 0, "recording period 30 s", ""},
      {"", "logger erase 1", 0, "5 record sets remain", ""},
      {"", "logger erase-all --yes", 0, "0 record sets remain", ""},
      {"", "sampling 30", 0, "sampling time 00:00:30", ""},
  };
  for (const Case& c : cases) Check(c);
}

}  // namespace
}  // namespace orvane
