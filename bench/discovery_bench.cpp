// SPDX-License-Identifier: GPL-3.0-or-later
// What the poll costs while no meter is attached: every tick runs discovery.

#include <benchmark/benchmark.h>
#include <hidapi/hidapi.h>

#include "common/clock.h"
#include "link/hidapi_transport.h"
#include "link/meter_link.h"
#include "simulator/simulated_transport.h"

namespace orvane {
namespace {

void BM_DiscoveryTwentySimulatedDevices(benchmark::State& state) {
  ManualClock clock;
  VirtualMeter meter(clock);
  SimulatedTransport transport(meter, 0x1234, 0x5678);
  std::vector<HidDeviceInfo> others;
  for (int i = 0; i < 20; ++i) {
    others.push_back({"/dev/hidraw" + std::to_string(i), static_cast<std::uint16_t>(0x1000 + i),
                      0x0001, "other"});
  }
  transport.SetOtherDevices(others);
  transport.Unplug();
  SilentNotices notices;
  MeterLink link(transport, notices, {0x1234, 0x5678});
  for (auto _ : state) benchmark::DoNotOptimize(link.FindMeter());
}
BENCHMARK(BM_DiscoveryTwentySimulatedDevices);

// hidapi's full enumeration, as every tick paid before the udev monitor.
void BM_HidapiFullEnumeration(benchmark::State& state) {
  hid_init();
  for (auto _ : state) {
    hid_device_info* list = hid_enumerate(0, 0);
    benchmark::DoNotOptimize(list);
    hid_free_enumeration(list);
  }
  hid_exit();
}
BENCHMARK(BM_HidapiFullEnumeration);

// The link's discovery through the hidapi transport: enumerates only after a hidraw
// event (or every few seconds).
void BM_HidapiDiscoveryWithMonitor(benchmark::State& state) {
  HidapiTransport transport;
  SilentNotices notices;
  MeterLink link(transport, notices, {0xFFFE, 0xFFFE});
  for (auto _ : state) benchmark::DoNotOptimize(link.FindMeter());
}
BENCHMARK(BM_HidapiDiscoveryWithMonitor);

}  // namespace
}  // namespace orvane
