// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real meter through hidapi's hidraw backend.
//
// The report lengths come from the device: its report descriptor, read from sysfs
// (/sys/class/hidraw/hidrawN/device/report_descriptor), gives the longest input and
// output report; a device whose descriptor cannot be read reports no lengths, and the
// link does not take it. hid_read_timeout() returns the report bytes without a report
// ID, 0 on a time-out and -1 on an error, which is also how an unplugged device shows
// up. A report shorter than the device's input reports is completed with zeros, so no
// byte of an earlier reply stays behind. A read interrupted by a signal goes on waiting
// for the rest of its time.
//
// A write runs on a worker thread and the caller waits for it at most the read wait: a
// device that does not take the report within that time fails the write and the reads
// after it, so the link drops it; the worker closes it once the write returns.
//
// While no meter is attached the link enumerates on every poll. The list is enumerated
// again only when a hidraw device came, went or changed (or a few seconds passed), so
// that an idle poll costs a non-blocking look at the udev monitor.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/hid_transport.h"
#include "link/hidraw_monitor.h"

struct hid_device_;
struct hid_device_info;

namespace orvane {

// The hidapi and system calls the transport makes; tests replace them.
struct HidapiCalls {
  std::function<hid_device_info*()> enumerate;
  std::function<void(hid_device_info*)> freeEnumeration;
  std::function<hid_device_*(const char*)> openPath;
  std::function<void(hid_device_*)> close;
  std::function<int(hid_device_*, const unsigned char*, std::size_t)> write;
  // Sets errno when it returns -1.
  std::function<int(hid_device_*, unsigned char*, std::size_t, int)> readTimeout;
  // The report descriptor of the device at a hidraw path; empty when it cannot be read.
  std::function<std::vector<std::uint8_t>(const std::string&)> reportDescriptor;
  std::function<std::int64_t()> monotonicMs;
  // hid_error(): the text of a device's last failure, or with null of the last open.
  // Optional: without it failures carry no text.
  std::function<std::string(hid_device_*)> errorText;

  static HidapiCalls Real();
};

class HidapiTransport final : public HidTransport {
 public:
  static constexpr int kWriteWaitMs = 1000;  // as long as the link's read wait

  HidapiTransport();
  explicit HidapiTransport(HidapiCalls calls, int writeWaitMs = kWriteWaitMs);
  ~HidapiTransport() override;
  HidapiTransport(const HidapiTransport&) = delete;
  HidapiTransport& operator=(const HidapiTransport&) = delete;

  std::vector<HidDeviceInfo> Enumerate() override;
  bool Open(const std::string& path) override;
  void Close() override;
  bool Write(std::span<const std::uint8_t> report) override;
  ReadOutcome Read(std::span<std::uint8_t> payload, int timeoutMs) override;
  int InputReportByteLength() const override;
  int OutputReportByteLength() const override;

  bool LastOpenDenied() const override { return lastOpenDenied_; }
  std::string LastError() const override { return lastError_; }

 private:
  struct Writer;  // the worker thread and the write it carries

  std::string ErrorText(hid_device_* device) const;

  HidapiCalls calls_;
  int writeWaitMs_;
  bool real_;
  std::unique_ptr<HidrawMonitor> monitor_;
  std::vector<HidDeviceInfo> devices_;
  hid_device_* device_ = nullptr;
  int inputLength_ = 0;
  int outputLength_ = 0;
  bool writeStuck_ = false;
  bool lastOpenDenied_ = false;
  std::string lastError_;
  std::shared_ptr<Writer> writer_;
};

// The sysfs report descriptor of a hidraw node ("/dev/hidraw3"), below `sysfsRoot`.
std::vector<std::uint8_t> SysfsReportDescriptor(const std::string& hidrawPath,
                                                const std::string& sysfsRoot = "/sys");

}  // namespace orvane
