// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one seam between the meter link and a HID implementation. MeterLink talks only to
// this interface; the hidapi transport drives a real meter, the simulated transport the
// built-in one.

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

struct HidDeviceInfo {
  HidDeviceInfo() = default;
  HidDeviceInfo(std::string path_, std::uint16_t vendorId_, std::uint16_t productId_,
                std::string product_ = {}, std::string serial_ = {}, int interfaceNumber_ = -1)
      : path(std::move(path_)),
        vendorId(vendorId_),
        productId(productId_),
        product(std::move(product_)),
        serial(std::move(serial_)),
        interfaceNumber(interfaceNumber_) {}

  std::string path;  // platform path, passed back to Open()
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::string product;       // product string, empty when unknown
  std::string serial;        // serial number string, empty when the device has none
  int interfaceNumber = -1;  // USB interface number; -1 when not known
};

enum class ReadOutcome {
  Completed,  // a whole input report arrived within the wait
  TimedOut,   // nothing arrived within the wait
  Failed,     // the read failed (also how an unplugged device shows up)
};

class HidTransport {
 public:
  virtual ~HidTransport() = default;

  // Every HID interface present, in platform order. Never throws; empty on error.
  virtual std::vector<HidDeviceInfo> Enumerate() = 0;

  // Opens the device at `path`. Returns true on success, false when it cannot be opened
  // (missing, no permission). Opening closes any device opened before.
  virtual bool Open(const std::string& path) = 0;

  // Closes the open device; harmless when none is open.
  virtual void Close() = 0;

  // Writes one whole output report, report ID in byte 0. Returns false on failure.
  virtual bool Write(std::span<const std::uint8_t> report) = 0;

  // Waits at most `timeoutMs` for one input report and stores its payload (the report
  // bytes without a report ID) at the start of `payload`. On TimedOut and Failed the
  // buffer is left as it was.
  virtual ReadOutcome Read(std::span<std::uint8_t> payload, int timeoutMs) = 0;

  // Report lengths of the open device, report ID byte included (65 for the meter).
  virtual int InputReportByteLength() const = 0;
  virtual int OutputReportByteLength() const = 0;

  // True when the last Open() failed for lack of permission.
  virtual bool LastOpenDenied() const { return false; }

  // The platform's text for the last Open(), Write() or Read() that failed ("Permission
  // denied"); empty when it gave none.
  virtual std::string LastError() const { return {}; }
};

}  // namespace orvane
