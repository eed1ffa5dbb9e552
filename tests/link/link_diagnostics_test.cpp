// SPDX-License-Identifier: GPL-3.0-or-later
// The diagnostics log of the link: each exchange with the meter that failed or timed out,
// with the request as hex and the platform's error text; nothing while the log is off.

#include <gtest/gtest.h>

#include <sstream>

#include "common/diagnostics.h"
#include "link/requests.h"
#include "support/sim_rig.h"

namespace orvane {
namespace {

using test::SimRig;

// The log is process-wide: each test leaves it off and writing to standard error.
struct LogCapture {
  std::ostringstream lines;
  explicit LogCapture(const char* areas) {
    DisableDiagnostics();
    EnableDiagnostics(areas);
    SetDiagnosticsSink(&lines);
  }
  ~LogCapture() {
    DisableDiagnostics();
    SetDiagnosticsSink(nullptr);
  }
};

TEST(LinkDiagnostics, FailedExchangesAreLoggedWithTheRequestAsHex) {
  // The display-frame request as the link sends it: report ID, 1, code 98, then zeros.
  const std::string request = "00 01 62" + [] {
    std::string zeros;
    for (std::size_t i = 3; i < kReportLength; ++i) zeros += " 00";
    return zeros;
  }();
  struct Case {
    const char* name;
    const char* areas;
    void (*fault)(SimRig&);
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"read fails", "link", [](SimRig& r) { r.transport.FailReads(1); },
       "orvane link: read failed: No such device; request " + request + "; reply none\n"},
      {"no reply", "all", [](SimRig& r) { r.transport.SetSilent(true); },
       "orvane link: no reply within 1000 ms; request " + request + "; reply none\n"},
      {"unplugged before the write", "other, link", [](SimRig& r) { r.transport.Unplug(); },
       "orvane link: write failed: No such device; request " + request +
           "; reply none\norvane link: read failed: No such device; request " + request +
           "; reply none\n"},
      {"meter answers", "link", [](SimRig&) {}, ""},
      {"log off", "", [](SimRig& r) { r.transport.FailReads(1); }, ""},
      {"another area only", "nothing", [](SimRig& r) { r.transport.SetSilent(true); }, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimRig rig;
    ASSERT_EQ(rig.link.FindMeter(), -1);
    LogCapture log(c.areas);
    c.fault(rig);
    StoreRequest(rig.link.OutputReport(), request::kDisplayFrame);
    rig.link.ExchangeReports();
    EXPECT_EQ(log.lines.str(), c.expected);
  }
}

// A meter that cannot be opened is tried on every poll; the log names it once.
TEST(LinkDiagnostics, MeterThatCannotBeOpenedIsLoggedOnceWithTheReason) {
  SimRig rig;
  LogCapture log("link");
  rig.transport.DenyOpen(SimulatedTransport::kMeterPath);
  for (int poll = 0; poll < 3; ++poll) rig.link.ExchangeReports();
  EXPECT_EQ(log.lines.str(), std::string("orvane link: cannot open ") +
                                 SimulatedTransport::kMeterPath + ": Permission denied\n");
  EXPECT_FALSE(EnableDiagnostics("link,bogus"));
  EXPECT_TRUE(EnableDiagnostics(" link ,"));
}

}  // namespace
}  // namespace orvane
