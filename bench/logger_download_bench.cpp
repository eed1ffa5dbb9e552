// SPDX-License-Identifier: GPL-3.0-or-later
// Downloading a 10 MB record set from the built-in meter: the program's time per content
// report, against the meter's own cost of producing the reports (the baseline).
#include <benchmark/benchmark.h>

#include "common/clock.h"
#include "datalogger/logger_codec.h"
#include "datalogger/logger_exchange.h"
#include "link/meter_link.h"
#include "link/requests.h"
#include "simulator/simulated_transport.h"
#include "simulator/virtual_meter.h"

namespace orvane {
namespace {

constexpr std::size_t kSetBytes = 10 * 1000 * 1000;
constexpr std::uint16_t kVid = 0x1234, kPid = 0x5678;

struct Rig {
  ManualClock clock;
  VirtualMeter meter{clock, 3};
  SimulatedTransport transport{meter, kVid, kPid};
  SilentNotices notices;
  MeterLink link{transport, notices, MeterIds{kVid, kPid}};
  std::string stamp;

  Rig() {
    LoggerSet set;
    set.stamp = {0x20, 0x24, 0x04, 0x14, 0x08, 0x00, 0x00};
    set.content.reserve(kSetBytes);
    while (set.content.size() + 48 <= kSetBytes) {
      set.content += "   1  2024/04/14 08:00:00   523.0 cd/m2\r\n";
    }
    set.content.resize(kSetBytes, ' ');
    meter.sets.push_back(std::move(set));
    stamp = StampText(meter.sets[0].stamp);
    link.FindMeter();
  }
};

void LoggerDownloadTenMegabytes(benchmark::State& state) {
  Rig rig;
  const std::uint64_t blocks = ContentBlockCount(kSetBytes);
  std::uint64_t progressCalls = 0;
  for (auto _ : state) {
    const SetDownload d =
        DownloadSetContent(rig.link, rig.stamp, [&](auto, auto) { ++progressCalls; });
    if (!d.complete || d.text.size() != blocks * kContentBlockBytes) {
      state.SkipWithError("download incomplete");
      break;
    }
    benchmark::DoNotOptimize(d.text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSetBytes));
  state.counters["reports"] = static_cast<double>(blocks);
  state.counters["per_report"] = benchmark::Counter(
      static_cast<double>(blocks),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  benchmark::DoNotOptimize(progressCalls);
}
BENCHMARK(LoggerDownloadTenMegabytes)->Unit(benchmark::kMillisecond);

// The built-in meter alone: answering the choice and the content request and handing
// out every report, with no program around it.
void LoggerMeterBaseline(benchmark::State& state) {
  Rig rig;
  const std::uint64_t blocks = ContentBlockCount(kSetBytes);
  Report choose{};
  StoreRequest(choose, request::kSelectSet);
  const StampAscii ascii = StampAsciiBytes(rig.stamp);
  std::copy(ascii.begin(), ascii.end(), choose.begin() + 3);
  Report content = choose;
  StoreRequest(content, request::kSetContent);
  for (auto _ : state) {
    rig.meter.HandleRequest(choose);
    benchmark::DoNotOptimize(rig.meter.NextReply());
    rig.meter.HandleRequest(content);
    for (std::uint64_t b = 0; b <= blocks; ++b) benchmark::DoNotOptimize(rig.meter.NextReply());
    rig.meter.requestsReceived.clear();
  }
  state.counters["per_report"] = benchmark::Counter(
      static_cast<double>(blocks),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(LoggerMeterBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvane
