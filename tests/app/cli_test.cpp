// SPDX-License-Identifier: GPL-3.0-or-later
// The command lines of orvane-cli and orvane, run as built: what a script relies on.

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "app/cli_run.h"

namespace orvane {
namespace {

using test::RunCli;
using test::RunProgram;

// A failure is one line on stderr and nothing on stdout; usage goes to stdout only when
// asked for with --help.
TEST(Cli, CommandLineRules) {
  struct Case {
    const char* args;
    int status;
    const char* out;  // a regular expression for the whole of stdout
    const char* err;  // the whole of stderr
  };
  const char* periodRange = "orvane-cli: the recording period must be 1 to 9999 seconds\n";
  const char* samplingRange =
      "orvane-cli: the sampling time must be 00:00:01 to 01:00:00 (hh:nn:ss) or 1 to 3600 "
      "seconds\n";
  const Case cases[] = {
      {"", 2, "", "orvane-cli: no command given (try --help)\n"},
      {"--help", 0, "Usage: orvane-cli COMMAND [^]*\n  watch [^]*", ""},
      {"--version", 0, R"(orvane-cli \d+\.\d+\n)", ""},
      {"--bogus", 2, "", "orvane-cli: unknown option '--bogus' (try --help)\n"},
      {"nonsense", 2, "", "orvane-cli: unknown command 'nonsense' (try --help)\n"},
      {"devices --help", 0, "usage: orvane-cli devices [^]*", ""},
      // Unknown options, values where none belong, missing values, word counts.
      {"info f.lms --json --bogus", 2, "", "orvane-cli info: Unknown option 'bogus'.\n"},
      {"info f.lms -x", 2, "", "orvane-cli info: Unknown option 'x'.\n"},
      {"info --json=yes f.lms", 2, "", "orvane-cli info: Unexpected value after '--json'.\n"},
      {"devices --meter", 2, "", "orvane-cli devices: Missing value after '--meter'.\n"},
      {"info", 2, "",
       "orvane-cli info: missing argument (usage: orvane-cli info FILE.lms [--json] [--from "
       "N|TIME] [--to N|TIME])\n"},
      {"info a.lms b.lms", 2, "",
       "orvane-cli info: unexpected argument 'b.lms' (usage: orvane-cli info FILE.lms [--json] "
       "[--from N|TIME] [--to N|TIME])\n"},
      {"clock --simulate now", 2, "",
       "orvane-cli clock: unexpected argument 'now' (usage: orvane-cli clock [--simulate] "
       "[--meter VID:PID] [--set])\n"},
      // Both forms of a value; "--" ends the options, so "-x.lms" is a file name.
      {"devices --simulate --meter=1234:abcd", 0,
       "\\* 1234:abcd  sim://light-meter serial SIM0001  interface 0  can be opened  Simulated "
       "Light Meter\n",
       ""},
      {"devices --simulate --meter 1234:abcd", 0, "\\* 1234:abcd  [^]*", ""},
      {"devices --simulate --meter zz", 2, "",
       "orvane-cli: --meter wants VID:PID in hex, for example 04d8:f1e7\n"},
      {"info -- -x.lms", 1, "",
       "orvane-cli: The file -x.lms cannot be read as a data file. Cannot open -x.lms: No such "
       "file or directory\n"},
      // "Nothing found" is an error of its own.
      {"devices --meter ffff:fffe", 1, "[^]*", "orvane-cli: no meter (ffff:fffe) found\n"},
      // Values out of range are refused, naming the range, and nothing is sent.
      {"period --simulate 0", 2, "", periodRange},
      {"period --simulate -- -1", 2, "", periodRange},
      {"period --simulate 10000", 2, "", periodRange},
      {"period --simulate 7.9", 2, "", periodRange},
      {"period --simulate abc", 2, "", periodRange},
      {"sampling --simulate 3601", 2, "", samplingRange},
      {"sampling --simulate 99:99:99", 2, "", samplingRange},
      {"sampling --simulate 1:00:01", 2, "", samplingRange},
      {"sampling --simulate 0:90:0", 2, "", samplingRange},
      {"sampling --simulate 0:0:123", 2, "", samplingRange},
      {"sampling --simulate 12:34", 2, "", samplingRange},
      {"sampling --simulate 00:00:00", 2, "", samplingRange},
      {"watch --simulate --count 0", 2, "",
       "orvane-cli: --count wants a number of lines, 1 to 1000000000\n"},
      {"watch --simulate --interval-ms 999999999999", 2, "",
       "orvane-cli: --interval-ms wants 1 to 1000 ms\n"},
      {"watch --count 2 --interval-ms 5", 2, "",
       "orvane-cli: --interval-ms is for the simulated meter only\n"},
      {"watch --simulate --format xml", 2, "",
       "orvane-cli: --format takes text, csv, jsonl or influx\n"},
      {"watch --simulate --every 0s", 2, "",
       "orvane-cli: --every wants 1s to 1d (a number with s, m, h or d)\n"},
      {"watch --simulate --duration 5x", 2, "",
       "orvane-cli: --duration wants 1s to 366d (a number with s, m, h or d)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_TRUE(std::regex_match(r.out, std::regex(c.out))) << r.out;
    EXPECT_EQ(r.err, c.err);
  }
}

#ifdef ORVANE_GUI
TEST(Cli, TheDesktopProgramFollowsTheSameRules) {
  struct Case {
    const char* args;
    int status;
    const char* out;
    const char* err;
  };
  const Case cases[] = {
      {"--help", 0, "Usage: orvane \\[options\\] \\[FILE\\]\n[^]*--simulate[^]*", ""},
      {"--version", 0, R"(orvane \d+\.\d+\n)", ""},
      {"--bogus", 2, "", "orvane: Unknown option 'bogus'. (try --help)\n"},
      {"--meter", 2, "", "orvane: Missing value after '--meter'. (try --help)\n"},
      {"--meter=zz", 2, "",
       "orvane: --meter wants VID:PID in hex, for example 04d8:f1e7 (try --help)\n"},
      {"a.lms b.lms", 2, "", "orvane: unexpected argument 'b.lms' (try --help)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    // No display is needed to read the command line.
    const auto r =
        RunProgram(std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + ORVANE_GUI, c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_TRUE(std::regex_match(r.out, std::regex(c.out))) << r.out;
    EXPECT_EQ(r.err, c.err);
  }
}
#endif

}  // namespace
}  // namespace orvane
