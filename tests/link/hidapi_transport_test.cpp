// SPDX-License-Identifier: GPL-3.0-or-later
// The hidapi transport read against what the kernel's hidraw does, with hidapi's calls
// replaced: report lengths from the device's descriptor, short reports, reads cut short
// by a signal, and a write that the device does not take.

#include "link/hidapi_transport.h"

#include <gtest/gtest.h>
#include <hidapi/hidapi.h>

#include <atomic>
#include <cerrno>
#include <deque>
#include <filesystem>

#include "link/meter_link.h"
#include "link/report_descriptor.h"
#include "recording/temp_folder.h"
#include "simulator/uhid_meter_plan.h"

namespace orvane {
namespace {

std::vector<std::uint8_t> Descriptor(std::initializer_list<std::uint8_t> bytes) {
  return bytes;
}
const std::vector<std::uint8_t> kMeter(kMeterReportDescriptor.begin(),
                                       kMeterReportDescriptor.end());

TEST(ReportDescriptor, LongestReportsWithTheReportIdByte) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> descriptor;
    std::optional<ReportLengths> expected;
  };
  const std::vector<Case> cases = {
      {"the meter: 64 in, 64 out, no ids", kMeter, ReportLengths{65, 65}},
      {"numbered reports: the longest of ids 1 and 2",
       Descriptor({0x85, 0x01, 0x75, 0x08, 0x95, 0x08, 0x81, 0x02, 0x85, 0x02, 0x95, 0x20, 0x81,
                   0x02, 0x91, 0x02}),
       ReportLengths{33, 33}},
      {"fields of one report add up, bits rounded up to bytes",
       Descriptor({0x75, 0x01, 0x95, 0x05, 0x81, 0x02, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02}),
       ReportLengths{4, 0}},
      {"128-byte reports", Descriptor({0x75, 0x08, 0x96, 0x80, 0x00, 0x81, 0x02, 0x91, 0x02}),
       ReportLengths{129, 129}},
      {"push and pop restore the report size",
       Descriptor({0x75, 0x08, 0x95, 0x04, 0xa4, 0x75, 0x10, 0xb4, 0x81, 0x02}),
       ReportLengths{5, 0}},
      {"item cut off", Descriptor({0x75, 0x08, 0x96, 0x40}), std::nullopt},
      {"pop without push", Descriptor({0xb4}), std::nullopt},
  };
  for (const Case& c : cases) {
    const auto got = ReportLengthsOf(c.descriptor);
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.name;
    if (!got) continue;
    EXPECT_EQ(got->input, c.expected->input) << c.name;
    EXPECT_EQ(got->output, c.expected->output) << c.name;
  }
}

TEST(ReportDescriptor, ReadFromSysfsByHidrawNode) {
  testing_support::TempFolder sys;
  std::filesystem::create_directories(sys.Path() + "/class/hidraw/hidraw3/device");
  testing_support::WriteBytes(sys.File("class/hidraw/hidraw3/device/report_descriptor"),
                              std::string(kMeter.begin(), kMeter.end()));
  EXPECT_EQ(SysfsReportDescriptor("/dev/hidraw3", sys.Path()), kMeter);
  EXPECT_TRUE(SysfsReportDescriptor("/dev/hidraw4", sys.Path()).empty());
  EXPECT_TRUE(SysfsReportDescriptor("/dev/../etc/passwd", sys.Path()).empty());
}

// One fake device behind hidapi's calls. Reads take their answers from a queue: a
// number of bytes (then filled with `fill`), 0 for a time-out, or -EINTR / -EIO.
struct FakeHid {
  hid_device_info info{};
  std::string path = "/dev/hidraw0";
  std::vector<std::uint8_t> descriptor = kMeter;
  std::deque<int> reads;
  std::vector<int> waits;  // the timeout of every read call
  std::int64_t nowMs = 0;
  int msPerInterruptedRead = 0;
  std::uint8_t fill = 0;
  std::atomic<bool> blockWrites{false};
  std::atomic<bool> writing{false};
  std::atomic<int> closes{0};
  std::vector<std::vector<std::uint8_t>> written;
  hid_device_* handle = reinterpret_cast<hid_device_*>(0x1);

  FakeHid() {
    info.path = path.data();
    info.vendor_id = 0x04d8;
    info.product_id = 0xf1e7;
  }

  HidapiCalls Calls() {
    HidapiCalls c;
    c.enumerate = [this] { return &info; };
    c.freeEnumeration = [](hid_device_info*) {};
    c.openPath = [this](const char* p) { return path == p ? handle : nullptr; };
    c.close = [this](hid_device_*) { ++closes; };
    c.write = [this](hid_device_*, const unsigned char* data, std::size_t size) {
      writing = true;
      while (blockWrites) std::this_thread::yield();
      written.emplace_back(data, data + size);
      writing = false;
      return static_cast<int>(size);
    };
    c.readTimeout = [this](hid_device_*, unsigned char* data, std::size_t size, int ms) {
      waits.push_back(ms);
      const int r = reads.empty() ? 0 : reads.front();
      if (!reads.empty()) reads.pop_front();
      if (r < 0) {
        nowMs += msPerInterruptedRead;
        errno = -r;
        return -1;
      }
      std::fill(data, data + std::min<std::size_t>(size, static_cast<std::size_t>(r)), fill);
      return r;
    };
    c.reportDescriptor = [this](const std::string& p) {
      return p == path ? descriptor : std::vector<std::uint8_t>{};
    };
    c.monotonicMs = [this] { return nowMs; };
    c.errorText = [](hid_device_* device) {
      return std::string(device == nullptr ? "Permission denied" : "Input/output error");
    };
    return c;
  }
};

// The link takes the device only when the descriptor's reports fit its 65-byte buffers.
TEST(HidapiTransport, ReportLengthsComeFromTheDevice) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> descriptor;
    std::int16_t connected;
    int written;  // bytes of the first write
  };
  const std::vector<Case> cases = {
      {"64-byte reports", kMeter, -1, 65},
      {"32-byte reports", Descriptor({0x75, 0x08, 0x95, 0x20, 0x81, 0x02, 0x91, 0x02}), -1, 33},
      {"128-byte reports", Descriptor({0x75, 0x08, 0x96, 0x80, 0x00, 0x81, 0x02, 0x91, 0x02}), 0,
       0},
      {"no output report", Descriptor({0x75, 0x08, 0x95, 0x40, 0x81, 0x02}), 0, 0},
      {"descriptor cannot be read", {}, 0, 0},
  };
  for (const Case& c : cases) {
    FakeHid fake;
    fake.descriptor = c.descriptor;
    fake.reads = {64};
    HidapiTransport transport(fake.Calls());
    SilentNotices notices;
    MeterLink link(transport, notices, MeterIds{0x04d8, 0xf1e7});
    link.ExchangeReports();
    EXPECT_EQ(link.MeterConnected(), c.connected) << c.name;
    ASSERT_EQ(fake.written.size(), c.written ? 1u : 0u) << c.name;
    if (c.written) {
      EXPECT_EQ(static_cast<int>(fake.written[0].size()), c.written) << c.name;
    }
  }
}

TEST(HidapiTransport, ShortReportLeavesNoByteOfAnEarlierReply) {
  FakeHid fake;
  HidapiTransport transport(fake.Calls());
  ASSERT_TRUE(transport.Open(fake.path));
  std::array<std::uint8_t, 64> payload{};
  fake.fill = 0xaa;
  fake.reads = {64, 10};
  ASSERT_EQ(transport.Read(payload, 1000), ReadOutcome::Completed);
  fake.fill = 0x55;
  ASSERT_EQ(transport.Read(payload, 1000), ReadOutcome::Completed);
  EXPECT_EQ(payload[9], 0x55);
  EXPECT_TRUE(std::all_of(payload.begin() + 10, payload.end(), [](auto b) { return b == 0; }));
}

// A signal ends hidapi's wait early with EINTR: the read waits for the rest of its time,
// and a signal at the very end counts as a time-out, not as a failed read.
TEST(HidapiTransport, ReadInterruptedBySignalWaitsForTheRest) {
  struct Case {
    const char* name;
    std::deque<int> reads;
    ReadOutcome outcome;
    std::vector<int> waits;
  };
  const std::vector<Case> cases = {
      {"reply after two signals", {-EINTR, -EINTR, 64}, ReadOutcome::Completed, {1000, 700, 400}},
      {"signals until the wait is over",
       {-EINTR, -EINTR, -EINTR, -EINTR},
       ReadOutcome::TimedOut,
       {1000, 700, 400, 100}},
      {"device gone", {-EIO}, ReadOutcome::Failed, {1000}},
  };
  for (const Case& c : cases) {
    FakeHid fake;
    fake.msPerInterruptedRead = 300;
    fake.reads = c.reads;
    HidapiTransport transport(fake.Calls());
    ASSERT_TRUE(transport.Open(fake.path));
    std::array<std::uint8_t, 64> payload{};
    EXPECT_EQ(transport.Read(payload, 1000), c.outcome) << c.name;
    EXPECT_EQ(fake.waits, c.waits) << c.name;
  }
}

// A device that does not take a report holds the caller no longer than the write wait;
// the reads after it fail, so the link drops the device, and the handle is closed once
// the write returns.
TEST(HidapiTransport, WriteThatHangsDoesNotHoldTheCaller) {
  FakeHid fake;
  fake.blockWrites = true;
  fake.reads = {64, 64};
  {
    HidapiTransport transport(fake.Calls(), 20);
    SilentNotices notices;
    MeterLink link(transport, notices, MeterIds{0x04d8, 0xf1e7});
    link.ExchangeReports();
    EXPECT_EQ(link.MeterConnected(), 0);
    EXPECT_TRUE(fake.writing);
    EXPECT_EQ(fake.closes, 0);  // the handle is still in use by the write
    fake.blockWrites = false;
    while (fake.closes == 0) std::this_thread::yield();
    link.ExchangeReports();  // found again, written and read
    EXPECT_EQ(link.MeterConnected(), -1);
  }
  EXPECT_EQ(fake.written.size(), 2u);
  EXPECT_EQ(fake.closes, 2);
}

// hid_error()'s text of a failed open and of a failed read is kept for the log.
TEST(HidapiTransport, FailureKeepsThePlatformText) {
  FakeHid fake;
  fake.reads = {-EIO};
  HidapiTransport transport(fake.Calls());
  EXPECT_FALSE(transport.Open("/dev/hidraw9"));
  EXPECT_EQ(transport.LastError(), "Permission denied");
  ASSERT_TRUE(transport.Open(fake.path));
  std::array<std::uint8_t, 64> payload{};
  EXPECT_EQ(transport.Read(payload, 1000), ReadOutcome::Failed);
  EXPECT_EQ(transport.LastError(), "Input/output error");
}

}  // namespace
}  // namespace orvane
