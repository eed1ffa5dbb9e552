// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/meter_link.h"

#include <gtest/gtest.h>

#include "link/requests.h"
#include "support/sim_rig.h"

namespace orvane {
namespace {

using test::SimRig;

HidDeviceInfo Device(std::string path, std::uint16_t vid, std::uint16_t pid) {
  return {std::move(path), vid, pid, ""};
}

TEST(MeterLinkDiscovery, NoInterfacesAtAllShowsNoConnection) {
  SimRig rig;
  rig.transport.Unplug();
  EXPECT_EQ(rig.link.FindMeter(), 0);
  EXPECT_EQ(rig.notices.LastCaption(), " No Connection");
  EXPECT_TRUE(rig.transport.opened.empty());
}

// Only an interface with both ids is taken; discovery stops at the first match and
// never opens an interface that does not carry the meter's ids.
TEST(MeterLinkDiscovery, MatchesVendorAndProductFromTheEnumeration) {
  struct Case {
    const char* name;
    std::vector<HidDeviceInfo> before;
    bool meterPlugged;
    std::int16_t found;
    std::vector<std::string> opened;
  };
  const std::uint16_t v = SimRig::kVid, p = SimRig::kPid;
  const std::vector<Case> cases = {
      {"meter after three others",
       {Device("a", 1, 2), Device("b", 3, 4), Device("c", 5, 6)},
       true,
       -1,
       {SimulatedTransport::kMeterPath}},
      {"vendor only", {Device("v", v, 0x9999)}, false, 0, {}},
      {"product only", {Device("p", 0x9999, p)}, false, 0, {}},
      {"first match wins", {Device("twin", v, p)}, true, -1, {"twin"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimRig rig;
    rig.transport.SetOtherDevices(c.before);
    if (!c.meterPlugged) rig.transport.Unplug();
    EXPECT_EQ(rig.link.FindMeter(), c.found);
    EXPECT_EQ(rig.transport.opened, c.opened);
    EXPECT_EQ(rig.notices.LastCaption(), c.found ? "LIGHT METER" : " No Connection");
  }
}

TEST(MeterLinkDiscovery, DeviceThatCannotBeOpenedIsSkippedAndTheSearchGoesOn) {
  SimRig rig;
  rig.transport.SetOtherDevices({Device("locked", SimRig::kVid, SimRig::kPid)});
  rig.transport.DenyOpen("locked");
  EXPECT_EQ(rig.link.FindMeter(), -1);
  EXPECT_EQ(rig.link.DevicePathName(), SimulatedTransport::kMeterPath);
}

TEST(MeterLinkDiscovery, ReportsLongerThanTheBuffersAreRefused) {
  SimRig rig;
  rig.transport.SetReportLengths(129, 129);
  EXPECT_EQ(rig.link.FindMeter(), 0);
  EXPECT_FALSE(rig.transport.IsOpen());
  EXPECT_EQ(rig.notices.LastCaption(), " No Connection");
}

TEST(MeterLinkExchange, SendWhileDisconnectedOnlyFindsTheMeter) {
  SimRig rig;
  StoreRequest(rig.link.OutputReport(), key::kHold);
  rig.link.SendReport();
  EXPECT_EQ(rig.link.MeterConnected(), -1);
  EXPECT_TRUE(rig.transport.written.empty());
  rig.link.SendReport();
  ASSERT_EQ(rig.transport.written.size(), 1u);
  EXPECT_EQ(rig.meter.keysReceived, std::vector<std::uint8_t>{key::kHold});
}

TEST(MeterLinkExchange, ReceiveWhileDisconnectedReadsNothing) {
  SimRig rig;
  rig.link.ReceiveReport();
  EXPECT_EQ(rig.link.MeterConnected(), -1);
  EXPECT_EQ(rig.transport.reads, 0);
}

TEST(MeterLinkExchange, ExchangeWhileDisconnectedFindsWritesAndReadsInOneCall) {
  SimRig rig;
  StoreRequest(rig.link.OutputReport(), request::kSamplingTimeQuery);
  rig.meter.samplingTime = 300;
  rig.link.ExchangeReports();
  EXPECT_EQ(rig.link.MeterConnected(), -1);
  EXPECT_EQ(rig.transport.written.size(), 1u);
  EXPECT_EQ(BigEndianWord(rig.link.InputReport(), 1), 300);
  EXPECT_EQ(rig.link.InputReport()[0], 0);
}

TEST(MeterLinkExchange, UnwrittenOutputBytesAreCarriedOver) {
  SimRig rig;
  Report& out = rig.link.OutputReport();
  StoreRequest(out, request::kSetSamplingTime);
  StoreWord(out, 3, 3600);
  rig.link.SendReport();  // discovery
  rig.link.SendReport();
  StoreRequest(out, request::kDisplayFrame);
  rig.link.ExchangeReports();
  ASSERT_EQ(rig.transport.written.size(), 2u);
  const Report& poll = rig.transport.written.back();
  EXPECT_EQ(poll[0], 0);
  EXPECT_EQ(poll[1], 1);
  EXPECT_EQ(poll[2], 98);
  EXPECT_EQ(poll[3], 14);
  EXPECT_EQ(poll[4], 16);
}

// A read that times out drops the link silently and keeps the last reply; a failed read
// also adds the error line. Either way the next exchange finds the meter again.
TEST(MeterLinkFailures, DroppedReadsKeepTheLastReplyAndReconnect) {
  struct Case {
    const char* name;
    bool fail;
    std::vector<std::string> lines;
  };
  for (const Case& c :
       {Case{"time-out", false, {}}, Case{"failure", true, {"Readfile undefined error"}}}) {
    SCOPED_TRACE(c.name);
    SimRig rig;
    StoreRequest(rig.link.OutputReport(), request::kSamplingTimeQuery);
    rig.link.ExchangeReports();
    const Report before = rig.link.InputReport();
    const int opensBefore = static_cast<int>(rig.transport.opened.size());

    if (c.fail)
      rig.transport.FailReads(1);
    else
      rig.transport.SetSilent(true);
    rig.meter.samplingTime = 999;
    rig.link.ExchangeReports();
    EXPECT_EQ(rig.link.MeterConnected(), 0);
    EXPECT_EQ(rig.link.InputReport(), before);
    EXPECT_EQ(rig.link.Attributes().VendorID, 0);
    EXPECT_EQ(rig.link.Attributes().ProductID, 0);
    EXPECT_FALSE(rig.transport.IsOpen());
    EXPECT_EQ(rig.notices.lines, c.lines);

    rig.transport.SetSilent(false);
    rig.link.ExchangeReports();
    EXPECT_EQ(rig.link.MeterConnected(), -1);
    EXPECT_EQ(static_cast<int>(rig.transport.opened.size()), opensBefore + 1);
    EXPECT_EQ(BigEndianWord(rig.link.InputReport(), 1), 999);
  }
}

TEST(MeterIdsText, ParsesHexPairsAndRefusesTheRest) {
  struct Case {
    const char* text;
    bool ok;
    std::uint16_t vid, pid;
  };
  for (const Case& c : {Case{"04d8:f1e7", true, 0x04D8, 0xF1E7}, Case{"0x1:0X2", true, 1, 2},
                        Case{"1234", false, 0, 0}, Case{"12345:1", false, 0, 0},
                        Case{"zz:1", false, 0, 0}, Case{":", false, 0, 0}}) {
    SCOPED_TRACE(c.text);
    MeterIds ids{0, 0};
    EXPECT_EQ(ParseMeterIds(c.text, ids), c.ok);
    EXPECT_EQ(ids.vendorId, c.vid);
    EXPECT_EQ(ids.productId, c.pid);
  }
}

}  // namespace
}  // namespace orvane
