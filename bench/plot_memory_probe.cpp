// SPDX-License-Identifier: GPL-3.0-or-later
// The list plot of a long data file, measured as a user meets it: the file read as the
// panel's Open reads it, the window's replay timed, and the memory the records take.
//
//   plot_memory_probe write N FILE [OVER]   a data file of N records one second apart from
//                                           2026/11/28 00:00:00, a daylight curve with
//                                           noise, OVER readings over range (default 10)
//   plot_memory_probe window FILE           reads FILE, opens the list plot 1280 x 720,
//                                           replays it, and prints one JSON line: records,
//                                           read and replay times, the off-screen image's
//                                           drawing time (orvane-cli plot draws so), each
//                                           also as processor time, peak memory above the
//                                           start and per record

#include <QApplication>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include "common/dialogs.h"
#include "common/program_state.h"
#include "graphs/list_plot_window.h"
#include "recording/recording_reader.h"
#include "ui/plot_image.h"

namespace {

using namespace orvane;

// VmRSS or VmHWM of this process, in bytes.
long long StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t n = std::strlen(field);
  while (std::getline(status, line)) {
    if (line.compare(0, n, field) == 0) return std::atoll(line.c_str() + n + 1) * 1024;
  }
  return 0;
}

int Write(long n, const char* path, long over) {
  std::FILE* f = std::fopen(path, "wb");
  if (f == nullptr) return std::perror(path), 1;
  std::fprintf(f, "-\r\n-\r\n-\r\n-\tTotal Records : %ld\r\n-\tDistance :      m\r\n-\t\r\n", n);
  std::fprintf(f, "-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n-\t%s\r\n",
               std::string(53, '-').c_str());
  const std::time_t start = 1795824000;  // 2026/11/28 00:00:00 UTC
  char date[16] = "";
  long day = -1;
  unsigned noise = 12345;
  for (long k = 1; k <= n; ++k) {
    const long t = k - 1;
    if (t / 86400 != day) {
      day = t / 86400;
      const std::time_t at = start + day * 86400;
      std::tm tm{};
      gmtime_r(&at, &tm);
      std::strftime(date, sizeof date, "%Y/%m/%d", &tm);
    }
    const long s = t % 86400;
    noise = noise * 1103515245 + 12345;
    const double daylight = std::max(0.0, std::sin(2 * M_PI * (s - 21600) / 86400.0));
    const double lux = 20 + 480 * daylight + (noise >> 16) % 400 / 10.0;
    const bool overRange = over > 0 && k % (n / over) == n / over / 2;
    char main[16], cd[16];
    std::snprintf(main, sizeof main, "%.1f", lux);
    std::snprintf(cd, sizeof cd, "%.1f", lux / 3.1);
    std::fprintf(f, "-\t%10ld\t%s %02ld:%02ld:%02ld\t%6s\t%6s\t\r\n", k, date, s / 3600,
                 s / 60 % 60, s % 60, overRange ? "OL" : main, cd);
  }
  return std::fclose(f) == 0 ? 0 : 1;
}

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// Processor time of this thread: on a busy machine the wall time also counts the others.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int Window(int argc, char** argv, const char* path) {
  QApplication app(argc, argv);
  ProgramState state;
  ScriptedDialogs dialogs;
  const long long startBytes = StatusBytes("VmRSS:");
  auto t = std::chrono::steady_clock::now();
  RecordingFileError error;
  if (!ReadRecordingFile(path, state.Plot, error)) {
    std::fprintf(stderr, "%s\n", error.Message().c_str());
    return 1;
  }
  const double readMs = MsSince(t);
  ListPlotWindow window(state, dialogs);
  window.resize(1280, 720);
  window.show();
  t = std::chrono::steady_clock::now();
  double cpu = CpuMs();
  window.Timer1_Timer();
  const double replayMs = MsSince(t);
  const double replayCpuMs = CpuMs() - cpu;
  const long long peak = StatusBytes("VmHWM:") - startBytes;
  t = std::chrono::steady_clock::now();
  cpu = CpuMs();
  const QImage image = ListPlotImage(state.Plot, 1280, 720);
  const double imageMs = MsSince(t);
  const double imageCpuMs = CpuMs() - cpu;
  const long records = state.Plot.PlotRecords;
  std::printf(
      "{\"records\": %ld, \"read_ms\": %.0f, \"replay_ms\": %.0f, \"replay_cpu_ms\": %.0f, "
      "\"image_ms\": %.0f, \"image_cpu_ms\": %.0f, \"peak_above_start\": %lld, "
      "\"bytes_per_record\": %.1f, \"image_width\": %d}\n",
      records, readMs, replayMs, replayCpuMs, imageMs, imageCpuMs, peak,
      records > 0 ? static_cast<double>(peak) / records : 0.0, image.width());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "write") == 0) {
    return Write(std::atol(argv[2]), argv[3], argc > 4 ? std::atol(argv[4]) : 10);
  }
  if (argc == 3 && std::strcmp(argv[1], "window") == 0) return Window(argc, argv, argv[2]);
  std::fprintf(stderr, "usage: plot_memory_probe write N FILE [OVER] | window FILE\n");
  return 2;
}
