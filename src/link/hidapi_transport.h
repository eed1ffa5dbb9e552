#pragma once
// A real meter through hidapi's hidraw backend.
//
// hidapi gives no report lengths; the meter's are 65 bytes (64 plus the report ID), so
// that is what this transport reports for an open device. hid_read_timeout() returns
// the 64 report bytes without a report ID, 0 on a time-out and -1 on an error, which is
// also how an unplugged device shows up.
//
// While no meter is attached the link enumerates on every poll. The list is enumerated
// again only when a hidraw device came, went or changed (or a few seconds passed), so
// that an idle poll costs a non-blocking look at the udev monitor.

#include <memory>

#include "link/hid_transport.h"
#include "link/hidraw_monitor.h"

struct hid_device_;

namespace orvane {

class HidapiTransport final : public HidTransport {
 public:
  HidapiTransport();
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

  // True when the last Open() failed for lack of permission (for the CLI's hint).
  bool LastOpenDenied() const { return lastOpenDenied_; }

 private:
  HidrawMonitor monitor_;
  std::vector<HidDeviceInfo> devices_;
  hid_device_* device_ = nullptr;
  bool lastOpenDenied_ = false;
};

}  // namespace orvane
