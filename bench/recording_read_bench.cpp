// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a data file of 1,000,000 records, written once by the recorder's own writer, and
// writing one record into a fresh scratch file and into one that already holds a million.
//
// The data file goes to $ORVANE_BENCH_DIR/million.lms when that is set (scripts/bench
// sets it, then times awk on the same file); otherwise to a temporary folder removed at
// exit.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "recording/recording_file.h"
#include "recording/recording_reader.h"

namespace {

constexpr long kRecords = 1000000;
const char* const kReadings[] = {"523.1", "1.25K", "88.8", "OL", "0.05", "9999"};

struct BenchFolder {
  std::string dir;
  bool keep = false;
  BenchFolder() {
    if (const char* given = std::getenv("ORVANE_BENCH_DIR"); given != nullptr && *given) {
      dir = given;
      keep = true;
    } else {
      dir = (std::filesystem::temp_directory_path() / ("orvane-bench-" + std::to_string(getpid())))
                .string();
    }
    std::filesystem::create_directories(dir);
  }
  ~BenchFolder() {
    if (!keep) std::filesystem::remove_all(dir);
  }
};

const std::string& Folder() {
  static const BenchFolder folder;
  return folder.dir;
}

// Appends records first..last to an open scratch file.
void AppendRecords(orvane::RecordingFile& file, long first, long last) {
  std::string error;
  char time[32];
  for (long k = first; k <= last; ++k) {
    std::snprintf(time, sizeof time, "2024/05/17 %02ld:%02ld:%02ld", (k / 3600) % 24, (k / 60) % 60,
                  k % 60);
    const char* reading = kReadings[k % 6];
    orvane::AppendRecord(file, k, time, reading, reading, error);
  }
}

const std::string& BenchFile() {
  static const std::string path = [] {
    orvane::RecordingFile file;
    std::string error;
    if (!orvane::BeginRecordingFile(file, Folder() + "/LightMeterS.tmp", true, "", error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
    }
    AppendRecords(file, 1, kRecords);
    orvane::FinishRecordingFile(file, Folder() + "/million.lms", kRecords, error);
    return Folder() + "/million.lms";
  }();
  return path;
}

void BM_ReadRecordingFile(benchmark::State& state) {
  const std::string& path = BenchFile();
  orvane::PlotData plot;
  for (auto _ : state) {
    state.PauseTiming();  // dropping the previous result is not part of reading
    plot = {};
    state.ResumeTiming();
    orvane::RecordingFileError error;
    const bool ok = orvane::ReadRecordingFile(path, plot, error);
    if (!ok || plot.PlotRecords != kRecords) state.SkipWithError(error.Message().c_str());
    benchmark::DoNotOptimize(&plot);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
  // The limits are the extremes 5 beyond: what awk is asked to find, in another form.
  state.counters["LuxMax"] = plot.PlotRange.LuxMax;
  state.counters["LuxMin"] = plot.PlotRange.LuxMin;
}
BENCHMARK(BM_ReadRecordingFile)->Unit(benchmark::kMillisecond);

// One record line written and handed to the system, after range(0) records.
void BM_AppendRecord(benchmark::State& state) {
  orvane::RecordingFile file;
  std::string error;
  const std::string scratch = Folder() + "/append.tmp";
  orvane::BeginRecordingFile(file, scratch, true, "", error);
  AppendRecords(file, 1, state.range(0));
  long k = state.range(0);
  for (auto _ : state) {
    ++k;
    orvane::AppendRecord(file, k, "2024/05/17 10:30:00", "523.1", "523.1", error);
  }
  if (!error.empty()) state.SkipWithError(error.c_str());
  std::filesystem::remove(scratch);
}
BENCHMARK(BM_AppendRecord)->Arg(0)->Arg(kRecords);

}  // namespace
