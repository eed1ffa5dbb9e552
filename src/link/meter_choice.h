// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which of the HID interfaces present is the meter the program talks to. The one rule
// behind the link's discovery, `orvane-cli devices`, the command line's refusal of two
// meters and the panel's note of the meter it took: an interface is a candidate when it
// carries the meter's vendor and product id and, where they were given, the device path
// and the serial number. Among candidates the first in the platform's order wins.

#include <optional>
#include <string>
#include <vector>

#include "link/hid_transport.h"
#include "link/meter_link.h"

namespace orvane {

// True when `device` is a meter the choice `ids` allows.
bool IsChosenMeter(const HidDeviceInfo& device, const MeterIds& ids);

// Every candidate of `devices`, in their order.
std::vector<HidDeviceInfo> ChosenMeters(const std::vector<HidDeviceInfo>& devices,
                                        const MeterIds& ids);

// How a meter is named in outputs: its serial number, else its device path.
std::string MeterName(const HidDeviceInfo& device);

// "/dev/hidraw1 (serial A1)" or "/dev/hidraw1" for a meter without a serial number.
std::string MeterDescription(const HidDeviceInfo& device);

// When more than one meter is a candidate and neither a path nor a serial number was
// given, why a command that must know which one refuses, naming each; nothing otherwise.
std::optional<std::string> AmbiguousMeters(const std::vector<HidDeviceInfo>& devices,
                                           const MeterIds& ids);

}  // namespace orvane
