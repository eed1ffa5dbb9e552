// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells whether the list of HID devices may have changed since it was last asked, by
// watching hidraw add, remove and change events through libudev. Without a monitor (no
// libudev netlink socket) every question answers yes, so discovery enumerates as before.

#include <cstdint>

struct udev;
struct udev_monitor;

namespace orvane {

class HidrawMonitor {
 public:
  // Even with no event, the list is enumerated again after this long (a permission
  // granted without an event, a missed event).
  static constexpr std::int64_t kMaxCacheMs = 5000;

  HidrawMonitor();
  ~HidrawMonitor();
  HidrawMonitor(const HidrawMonitor&) = delete;
  HidrawMonitor& operator=(const HidrawMonitor&) = delete;

  bool Available() const { return monitor_ != nullptr; }
  // True when an event arrived since the last call, when `nowMs` is kMaxCacheMs past the
  // last true answer, or when no monitor is available. Never blocks.
  bool MayHaveChanged(std::int64_t nowMs);

 private:
  bool DrainEvents();

  struct udev* udev_ = nullptr;
  struct udev_monitor* monitor_ = nullptr;
  std::int64_t lastRefreshMs_ = 0;
  bool refreshed_ = false;
};

}  // namespace orvane
