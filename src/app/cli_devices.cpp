// orvane-cli devices: the HID interfaces present, with the meter marked.

#include <cstdio>

#include "app/cli.h"
#include "link/hidapi_transport.h"
#include "simulator/simulated_transport.h"

namespace orvane::cli {
namespace {

int RunDevices(const Args& args) {
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  const MeterIds& ids = session->Link().Ids();
  HidapiTransport usb;
  ManualClock clock;
  VirtualMeter meter(clock);
  SimulatedTransport simulated(meter, ids.vendorId, ids.productId);
  HidTransport& transport = args.Has("simulate") ? static_cast<HidTransport&>(simulated)
                                                 : static_cast<HidTransport&>(usb);
  int matches = 0;
  bool denied = false;
  for (const HidDeviceInfo& d : transport.Enumerate()) {
    const bool meterIds = d.vendorId == ids.vendorId && d.productId == ids.productId;
    std::printf("%s %04x:%04x  %-24s %s\n", meterIds ? "*" : " ", d.vendorId, d.productId,
                d.path.c_str(), d.product.c_str());
    if (!meterIds) continue;
    ++matches;
    if (!transport.Open(d.path)) denied = denied || (&transport == &usb && usb.LastOpenDenied());
    transport.Close();
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
                   "list the HID devices, marking the meter (*)", {"meter"}, RunDevices,
                   {"simulate"});

}  // namespace orvane::cli
