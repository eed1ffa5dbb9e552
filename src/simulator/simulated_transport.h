// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A HidTransport in front of the built-in meter, following exactly the conventions of
// the hidapi transport: Write takes the whole 65-byte report with the report ID in
// byte 0; Read delivers the 64 report bytes without a report ID. Reads never sleep:
// a meter that does not answer times out at once.
//
// Fault injection for tests: unplug and plug, stop answering, fail reads, other HID
// devices before the meter, a device that cannot be opened, odd report lengths, and
// replies that belong to another request.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/clock.h"
#include "link/hid_transport.h"
#include "simulator/virtual_meter.h"

namespace orvane {

class SimulatedTransport final : public HidTransport {
 public:
  static constexpr const char* kMeterPath = "sim://light-meter";
  static constexpr const char* kMeterSerial = "SIM0001";

  SimulatedTransport(VirtualMeter& meter, std::uint16_t vendorId, std::uint16_t productId);

  std::vector<HidDeviceInfo> Enumerate() override;
  bool Open(const std::string& path) override;
  void Close() override;
  bool Write(std::span<const std::uint8_t> report) override;
  ReadOutcome Read(std::span<std::uint8_t> payload, int timeoutMs) override;
  int InputReportByteLength() const override;
  int OutputReportByteLength() const override;
  bool LastOpenDenied() const override { return lastOpenDenied_; }
  std::string LastError() const override { return lastError_; }

  // --- Fault injection ------------------------------------------------------------
  void Unplug() { plugged_ = false; }
  void Plug() { plugged_ = true; }
  // While silent, every read times out (the meter is attached but does not answer).
  void SetSilent(bool silent) { silent_ = silent; }
  // The next `count` reads fail (as a read of a device that went away).
  void FailReads(int count) { failReads_ = count; }
  // After `count` more completed reads the meter stops answering.
  void AnswerOnly(int count) { answerBudget_ = count; }
  // The next `count` completed reads deliver a reply that belongs to another request, in
  // turn: the display frame (a reply the meter queued stays for a later read), the blink
  // frame, and 64 bytes of noise.
  void MixUpReplies(int count) { mixUps_ = count; }
  // HID interfaces listed before the meter, in this order.
  void SetOtherDevices(std::vector<HidDeviceInfo> devices) { others_ = std::move(devices); }
  // Paths that cannot be opened (as without permission).
  void DenyOpen(std::string path) { denied_.push_back(std::move(path)); }
  void AllowOpen() { denied_.clear(); }
  void SetReportLengths(int input, int output) { inputLength_ = input, outputLength_ = output; }
  // The meter unplugged from `afterMs` until `afterMs + forMs` of `clock`'s monotonic
  // time, counted from this call, then plugged in again.
  void ScheduleUnplug(const Clock& clock, std::int64_t afterMs, std::int64_t forMs);

  // --- What happened, for tests ---------------------------------------------------
  int enumerations = 0;
  std::vector<std::string> opened;  // every path Open() was called with
  int closes = 0;
  int reads = 0;
  int mixedUpReplies = 0;       // stray replies delivered
  std::vector<Report> written;  // every report written, whole, while keepLog is on
  bool keepLog = true;
  bool IsOpen() const { return open_; }

 private:
  VirtualMeter& meter_;
  std::uint16_t vendorId_;
  std::uint16_t productId_;
  bool plugged_ = true;
  bool silent_ = false;
  bool open_ = false;
  bool lastOpenDenied_ = false;
  std::string lastError_;  // as the platform words a failure
  int failReads_ = 0;
  int answerBudget_ = -1;  // negative: no limit
  int mixUps_ = 0;
  std::mt19937 noise_{20240414};
  int inputLength_ = static_cast<int>(kReportLength);
  int outputLength_ = static_cast<int>(kReportLength);
  std::vector<HidDeviceInfo> others_;
  std::vector<std::string> denied_;
  std::string openPath_;

  const Clock* scheduleClock_ = nullptr;
  std::int64_t unplugFromMs_ = 0;
  std::int64_t unplugUntilMs_ = 0;

  Payload StrayReply();
  ReadOutcome Lost();  // a read of a device that went away
  void FollowSchedule();
};

// For whole-program runs: ORVANE_SIMULATE_UNPLUG="AFTER:FOR" (seconds, decimals allowed)
// schedules an unplug of the built-in meter. False, with nothing scheduled, when the
// variable is not set or malformed.
bool ScheduleUnplugFromEnvironment(SimulatedTransport& transport, const Clock& clock);

}  // namespace orvane
