// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli devices: the HID interfaces present, with the meters marked (*): for each
// meter its serial number, its interface and whether it can be opened.

#include <cstdio>

#include "app/cli.h"
#include "link/hidapi_transport.h"
#include "link/meter_choice.h"
#include "simulator/simulated_transport.h"

namespace orvane::cli {
namespace {

// "serial A1  interface 0  can be opened" for a meter.
std::string MeterColumns(HidTransport& transport, const HidDeviceInfo& d, bool& denied) {
  std::string opens = "can be opened";
  if (!transport.Open(d.path)) {
    const std::string why = transport.LastError();
    opens = "cannot be opened" + (why.empty() ? std::string() : ": " + why);
    denied = denied || transport.LastOpenDenied();
  }
  transport.Close();
  const std::string iface = d.interfaceNumber < 0 ? "-" : std::to_string(d.interfaceNumber);
  return "serial " + (d.serial.empty() ? std::string("-") : d.serial) + "  interface " + iface +
         "  " + opens + "  ";
}

int RunDevices(const Args& args) {
  MeterIds ids;
  if (!ReadMeterChoice(args, ids)) return 2;
  HidapiTransport usb;
  ManualClock clock;
  VirtualMeter meter(clock);
  SimulatedTransport simulated(meter, ids.vendorId, ids.productId);
  HidTransport& transport = args.Has("simulate") ? static_cast<HidTransport&>(simulated)
                                                 : static_cast<HidTransport&>(usb);
  int matches = 0;
  bool denied = false;
  for (const HidDeviceInfo& d : transport.Enumerate()) {
    const bool chosen = IsChosenMeter(d, ids);
    const std::string columns = chosen ? MeterColumns(transport, d, denied) : "";
    std::printf("%s %04x:%04x  %-14s %s%s\n", chosen ? "*" : " ", d.vendorId, d.productId,
                d.path.c_str(), columns.c_str(), d.product.c_str());
    matches += chosen ? 1 : 0;
  }
  if (matches == 0) {
    char wanted[16];
    std::snprintf(wanted, sizeof wanted, "%04x:%04x", ids.vendorId, ids.productId);
    return Fail(std::string("no meter (") + wanted + ") found");
  }
  if (denied) {
    std::fprintf(stderr,
                 "orvane-cli: the meter cannot be opened: no permission. Install the udev rule "
                 "(sudo cmake --install build) and replug the meter.\n");
    return 1;
  }
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(devices, "devices", "[--simulate] [--meter VID:PID]",
                   "list the HID devices, marking each meter (*) with its serial number, "
                   "interface and whether it can be opened",
                   {"meter"}, RunDevices, {"simulate"});

}  // namespace orvane::cli
