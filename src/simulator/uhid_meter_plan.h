// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in meter as a user-space HID device (orvane-uhid-meter): the report
// descriptor it shows the kernel, how an output report that the kernel hands over
// becomes a request, and when the device is pulled out and plugged in again.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "link/report.h"

namespace orvane {

// Vendor-defined usage page, one collection of 64-byte input and 64-byte output reports
// without report IDs: the meter's own layout.
inline constexpr std::array<std::uint8_t, 28> kMeterReportDescriptor = {
    0x06, 0x00, 0xff,  // usage page (vendor defined)
    0x09, 0x01,        // usage 1
    0xa1, 0x01,        // collection (application)
    0x15, 0x00,        //   logical minimum 0
    0x26, 0xff, 0x00,  //   logical maximum 255
    0x75, 0x08,        //   report size 8 bits
    0x95, 0x40,        //   report count 64
    0x09, 0x01,        //   usage 1
    0x81, 0x02,        //   input (data, variable, absolute)
    0x95, 0x40,        //   report count 64
    0x09, 0x01,        //   usage 1
    0x91, 0x02,        //   output (data, variable, absolute)
    0xc0,              // end collection
};

// The request in an output report as the kernel delivers it: 65 bytes with report ID 0
// kept (a write through hidraw to a uhid device), or 64 bytes (a USB meter: the kernel
// drops a leading report ID 0). Any other length, or 65 bytes that do not start with 0,
// is no request of this meter.
std::optional<Report> RequestFromOutput(std::span<const std::uint8_t> data);

// When the device goes away and comes back. Times count from the moment it was plugged
// in (or pulled out); a negative figure means never. One unplug, at most one replug.
// After its last reply the device goes away when the next request arrives, so that the
// replies it sent are read before it is gone.
struct PlugPlan {
  std::int64_t unplugAfterMs = -1;  // after being plugged in this long
  long unplugAfterReplies = -1;     // after sending this many input reports
  std::int64_t replugAfterMs = -1;  // after being pulled out this long
};

class PlugSchedule {
 public:
  enum class Action { None, Unplug, Replug };

  explicit PlugSchedule(PlugPlan plan) : plan_(plan) {}

  void Plugged(std::int64_t nowMs);
  void Unplugged(std::int64_t nowMs);
  void ReplySent() { ++replies_; }
  bool IsPlugged() const { return plugged_; }

  // What is due at `nowMs` by the clock.
  Action Due(std::int64_t nowMs) const;
  // True when every reply planned before the unplug has been sent.
  bool RepliesSpent() const;
  // How long to wait from `nowMs` for the next timed action; -1 when none is planned.
  std::int64_t WaitMs(std::int64_t nowMs) const;

 private:
  std::optional<std::int64_t> NextAt() const;

  PlugPlan plan_;
  bool plugged_ = false;
  bool unplugged_ = false;  // the one planned unplug happened
  bool replugged_ = false;
  std::int64_t sinceMs_ = 0;
  long replies_ = 0;
};

}  // namespace orvane
