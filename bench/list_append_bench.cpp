// SPDX-License-Identifier: GPL-3.0-or-later
// A day of real-time list rows: what one record tick does to the two tables, 86,400 times.
#include <benchmark/benchmark.h>

#include "common/clock.h"
#include "common/live_reading.h"
#include "lists/list_rows.h"
#include "lists/list_table.h"

namespace orvane {
namespace {

constexpr long kRowsPerDay = 86400;

void BM_ListDayOfTicks(benchmark::State& state) {
  const LiveReading reading = MakeLiveReading("523.4", false, "cd/m2");
  std::size_t bytes = 0;
  for (auto _ : state) {
    ManualClock clock;
    ListTable metric;
    ListTable imperial;
    for (long n = 1; n <= kRowsPerDay; ++n) {
      clock.AdvanceMs(1000);
      const ListRowPair rows =
          MakeListRows(n, FormatDateTime(clock.Now()), reading, UnitSystem::Metric);
      metric.Append(rows.metric);
      imperial.Append(rows.imperial);
    }
    bytes = metric.CapacityBytes() + imperial.CapacityBytes();
    benchmark::DoNotOptimize(metric.Row(kRowsPerDay - 1).data());
  }
  state.counters["ns_per_tick"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kRowsPerDay,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["table_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ListDayOfTicks)->Unit(benchmark::kMillisecond);

// The append alone, rows already formatted.
void BM_ListAppend(benchmark::State& state) {
  const std::string row = FormatListRow(86400, "2024/05/17 10:30:00", "523.4", "523.4");
  ListTable table;
  for (auto _ : state) {
    table.Append(row);
    if (table.Size() == kRowsPerDay) table.Clear();
  }
}
BENCHMARK(BM_ListAppend);

}  // namespace
}  // namespace orvane
