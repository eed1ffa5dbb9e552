// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/meter_choice.h"

namespace orvane {

bool IsChosenMeter(const HidDeviceInfo& device, const MeterIds& ids) {
  return device.vendorId == ids.vendorId && device.productId == ids.productId &&
         (ids.devicePath.empty() || device.path == ids.devicePath) &&
         (ids.serial.empty() || device.serial == ids.serial);
}

std::vector<HidDeviceInfo> ChosenMeters(const std::vector<HidDeviceInfo>& devices,
                                        const MeterIds& ids) {
  std::vector<HidDeviceInfo> chosen;
  for (const HidDeviceInfo& d : devices) {
    if (IsChosenMeter(d, ids)) chosen.push_back(d);
  }
  return chosen;
}

std::string MeterName(const HidDeviceInfo& device) {
  return device.serial.empty() ? device.path : device.serial;
}

std::string MeterDescription(const HidDeviceInfo& device) {
  return device.serial.empty() ? device.path : device.path + " (serial " + device.serial + ")";
}

std::optional<std::string> AmbiguousMeters(const std::vector<HidDeviceInfo>& devices,
                                           const MeterIds& ids) {
  if (!ids.devicePath.empty() || !ids.serial.empty()) return std::nullopt;
  const std::vector<HidDeviceInfo> chosen = ChosenMeters(devices, ids);
  if (chosen.size() < 2) return std::nullopt;
  std::string names;
  for (const HidDeviceInfo& d : chosen) {
    names += (names.empty() ? "" : ", ") + MeterDescription(d);
  }
  return std::to_string(chosen.size()) + " meters are attached: " + names +
         "; choose one with --serial or --device";
}

}  // namespace orvane
