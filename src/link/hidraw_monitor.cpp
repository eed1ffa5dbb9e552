// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hidraw_monitor.h"

#include <libudev.h>
#include <poll.h>
#include <unistd.h>

namespace orvane {

HidrawMonitor::HidrawMonitor() {
  udev_ = udev_new();
  if (udev_ == nullptr) return;
  // Events from the udev daemon come after its rules ran (the node's permissions are
  // set); where no daemon runs, the kernel's own events are the next best.
  const char* source = access("/run/udev/control", F_OK) == 0 ? "udev" : "kernel";
  monitor_ = udev_monitor_new_from_netlink(udev_, source);
  if (monitor_ == nullptr) return;
  if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor_) < 0) {
    udev_monitor_unref(monitor_);
    monitor_ = nullptr;
  }
}

HidrawMonitor::~HidrawMonitor() {
  if (monitor_ != nullptr) udev_monitor_unref(monitor_);
  if (udev_ != nullptr) udev_unref(udev_);
}

bool HidrawMonitor::DrainEvents() {
  bool any = false;
  pollfd fd{udev_monitor_get_fd(monitor_), POLLIN, 0};
  while (poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN) != 0) {
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (device == nullptr) break;
    udev_device_unref(device);
    any = true;
  }
  return any;
}

bool HidrawMonitor::MayHaveChanged(std::int64_t nowMs) {
  const bool events = monitor_ == nullptr || DrainEvents();
  if (events || !refreshed_ || nowMs - lastRefreshMs_ >= kMaxCacheMs) {
    refreshed_ = true;
    lastRefreshMs_ = nowMs;
    return true;
  }
  return false;
}

}  // namespace orvane
