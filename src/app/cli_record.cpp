// orvane-cli record: polls the meter as the panel does and records one reading a second
// into a data file, through the same writer as the panel's recording. SIGINT or SIGTERM
// finishes the data file with the records taken so far.

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

#include "app/cli.h"
#include "common/live_reading.h"
#include "common/working_folder.h"
#include "display/poll_cycle.h"
#include "recording/recorded_reading.h"
#include "recording/recording_file.h"

namespace orvane::cli {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void OnStopSignal(int) {
  stopRequested = 1;
}

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

// Sleeps until `deadline`; a stop signal ends the wait early.
void SleepUntil(std::chrono::steady_clock::time_point deadline) {
  while (!stopRequested && std::chrono::steady_clock::now() < deadline) {
    const auto left = deadline - std::chrono::steady_clock::now();
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(50)));
  }
}

// A scratch file of its own, so a recording of the panel running meanwhile is not touched.
std::string ScratchPath(const std::string& folder) {
  const std::string name = "LightMeterS-cli-" + std::to_string(getpid()) + ".tmp";
  return InWorkingFolder(folder, name.c_str());
}

int Record(const Args& args) {
  long wanted = 0;
  if (args.positional.size() != 1 || !ParseWhole(args.Get("count"), wanted)) {
    return Refuse("record wants OUT.lms and --count N (try --help)");
  }
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  SilentNotices notices;
  FrameDecoder decoder;
  PollCycle poll(session->Link(), decoder, notices);
  poll.Tick();
  if (!session->Connected()) return Fail("no meter answered");
  // The header is metric for cd/m2 and imperial otherwise, as the panel makes it.
  const bool metric = decoder.UnitText() == "cd/m2";

  const std::string folder = WorkingFolderPath();
  std::string error;
  RecordingFile file;
  if (!EnsureWorkingFolder(folder) ||
      !BeginRecordingFile(file, ScratchPath(folder), metric, "", error)) {
    return Fail("the recording cannot start: " + (error.empty() ? folder : error));
  }
  CatchStopSignals();

  using namespace std::chrono;
  const auto start = steady_clock::now();
  long count = 0;
  for (long tick = 1; count < wanted && !stopRequested; ++tick) {
    SleepUntil(start + milliseconds(PollCycle::kIntervalMs) * tick);
    if (stopRequested) break;
    poll.Tick();
    if (tick % (1000 / PollCycle::kIntervalMs) != 0) continue;
    const LiveReading r =
        MakeLiveReading(decoder.ReadingText(), decoder.KLit(), decoder.UnitText());
    if (!AppendRecord(file, count + 1, FormatDateTime(session->Now().Now()), MainTextFor(r, metric),
                      r.cdText, error)) {
      std::fprintf(stderr, "orvane-cli: %s\n", error.c_str());
      break;
    }
    ++count;
  }

  const std::string& out = args.positional[0];
  if (!FinishRecordingFile(file, out, count, error)) {
    return Fail(error + "; the records are kept in " + file.ScratchPath());
  }
  std::remove(file.ScratchPath().c_str());
  std::printf("%ld records written to %s\n", count, out.c_str());
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(record, "record", "OUT.lms [--simulate] [--meter VID:PID] --count N",
                   "record the reading once a second into a data file", {"count", "meter"}, Record,
                   {"simulate"}, 1, 1);

}  // namespace orvane::cli
