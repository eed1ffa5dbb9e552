// Reading a data file of 1,000,000 records, written once by the recorder's own writer.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "recording/recording_file.h"
#include "recording/recording_reader.h"

namespace {

constexpr long kRecords = 1000000;

const std::string& BenchFile() {
  static const std::string path = [] {
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("orvane-bench-" + std::to_string(getpid())))
            .string();
    std::filesystem::create_directories(dir);
    static const struct Cleanup {
      std::string dir;
      ~Cleanup() { std::filesystem::remove_all(dir); }
    } cleanup{dir};
    orvane::RecordingFile file;
    std::string error;
    if (!orvane::BeginRecordingFile(file, dir + "/LightMeterS.tmp", true, "", error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
    }
    static const char* kReadings[] = {"523.1", "1.25K", "88.8", "OL", "0.05", "9999"};
    char time[32];
    for (long k = 1; k <= kRecords; ++k) {
      std::snprintf(time, sizeof time, "2024/05/17 %02ld:%02ld:%02ld", (k / 3600) % 24,
                    (k / 60) % 60, k % 60);
      const char* reading = kReadings[k % 6];
      orvane::AppendRecord(file, k, time, reading, reading, error);
    }
    orvane::FinishRecordingFile(file, dir + "/bench.lms", kRecords, error);
    return dir + "/bench.lms";
  }();
  return path;
}

void BM_ReadRecordingFile(benchmark::State& state) {
  const std::string& path = BenchFile();
  for (auto _ : state) {
    orvane::PlotData plot;
    orvane::RecordingFileError error;
    const bool ok = orvane::ReadRecordingFile(path, plot, error);
    if (!ok || plot.PlotRecords != kRecords) state.SkipWithError(error.Message().c_str());
    benchmark::DoNotOptimize(plot.PlotRange.LuxMax);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ReadRecordingFile)->Unit(benchmark::kMillisecond);

}  // namespace
