#include <gtest/gtest.h>

#include "app/cli_run.h"

namespace orvane {
namespace {

using test::RunCli;

TEST(Cli, UsageAndUnknownCommands) {
  struct Case {
    const char* args;
    int status;
    const char* inOut;
    const char* inErr;
  };
  for (const Case& c :
       {Case{"", 2, "usage: orvane-cli COMMAND", ""}, Case{"--help", 0, "devices", ""},
        Case{"nonsense", 2, "", "unknown command 'nonsense'"},
        Case{"devices --help", 0, "usage: orvane-cli devices", ""},
        Case{"devices --simulate --meter zz", 2, "", "--meter wants VID:PID"},
        Case{"devices --meter", 2, "", "--meter needs a value"}}) {
    SCOPED_TRACE(c.args);
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.out.find(c.inOut), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(c.inErr), std::string::npos) << r.err;
  }
}

TEST(Cli, DevicesMarksTheMeter) {
  const auto r = RunCli("devices --simulate --meter 1234:abcd");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "* 1234:abcd  sim://light-meter        Simulated Light Meter\n");
}

}  // namespace
}  // namespace orvane
