// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The only path between the program and the meter. It finds the meter among the HID
// interfaces by vendor and product id, opens it, and moves exactly one output report or
// one input report per call. It knows nothing of what the bytes mean.
//
// Callers store a request into OutputReport(), call ExchangeReports(), SendReport() or
// ReceiveReport(), and read InputReport() only if MeterConnected() is still -1 after the
// call. None of the calls reports an error any other way.

#include <cstdint>
#include <string>

#include "link/hid_transport.h"
#include "link/link_notices.h"
#include "link/report.h"

namespace orvane {

// Which meter the link takes: the vendor and product id, and where several meters carry
// them, the one at a device path or with a serial number (empty: any). The rule that
// applies them is link/meter_choice.h.
struct MeterIds {
  MeterIds() = default;
  MeterIds(std::uint16_t vendorId_, std::uint16_t productId_)
      : vendorId(vendorId_), productId(productId_) {}

  std::uint16_t vendorId = ORVANE_METER_VID;
  std::uint16_t productId = ORVANE_METER_PID;
  std::string devicePath;
  std::string serial;
};

// Parses "VID:PID" (hex, optional 0x) into the ids. Returns false and leaves `ids` alone
// on bad text.
bool ParseMeterIds(const std::string& text, MeterIds& ids);

struct DeviceAttributes {
  std::uint16_t VendorID = 0;
  std::uint16_t ProductID = 0;
};

class MeterLink {
 public:
  static constexpr int ReadTimeoutMs = 1000;
  static constexpr int MaxReportLength = static_cast<int>(kReportLength);

  MeterLink(HidTransport& transport, LinkNotices& notices, MeterIds ids = {});

  // -1 while the meter is open, 0 otherwise.
  std::int16_t MeterConnected() const { return meterConnected_; }

  // The next request. Never cleared: bytes a caller does not store keep their value.
  Report& OutputReport() { return outputReport_; }
  // The last reply that arrived within the wait; all zero before the first one.
  const Report& InputReport() const { return inputReport_; }
  const DeviceAttributes& Attributes() const { return attributes_; }
  const std::string& DevicePathName() const { return devicePathName_; }
  // The interface the link opened last, as the platform listed it.
  const HidDeviceInfo& OpenedDevice() const { return opened_; }
  // How many meters the last discovery found that the ids allow (the first one is taken).
  int MetersFound() const { return metersFound_; }

  // Connected: write then read. Disconnected: discovery, and if the meter was found,
  // the write and the read in the same call.
  void ExchangeReports();
  // Connected: write only. Disconnected: discovery only; the request is not sent.
  void SendReport();
  // Connected: read only. Disconnected: discovery only; nothing is read.
  void ReceiveReport();

  // Discovery. Returns -1 when the meter was found and opened, 0 otherwise, and shows
  // "LIGHT METER" or " No Connection" through the notices.
  std::int16_t FindMeter();

  const MeterIds& Ids() const { return ids_; }

 private:
  void WriteOutputReport();
  void ReadInputReport();
  void Drop();
  bool OpenMatching(const HidDeviceInfo& info);
  void LogExchange(const std::string& what);
  void LogOpenProblem(const std::string& what);

  HidTransport& transport_;
  LinkNotices& notices_;
  MeterIds ids_;
  std::int16_t meterConnected_ = 0;
  Report outputReport_{};
  Report readBuffer_{};
  Report inputReport_{};
  DeviceAttributes attributes_;
  std::string devicePathName_;
  HidDeviceInfo opened_;
  int metersFound_ = 0;
  int inputLength_ = 0;
  int outputLength_ = 0;
  std::string lastOpenProblem_;  // logged already
};

}  // namespace orvane
