// orvane-cli record: polls the meter as the panel does and records one reading a second
// into a data file, through the same recording as the panel's. A second without a display
// frame decoded since the previous one (meter unplugged or silent) writes no record; the
// poll keeps looking for the meter. SIGINT or SIGTERM finishes the data file with the
// records taken so far; a record that cannot be written finishes it too, with an error.

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

#include "app/cli.h"
#include "common/live_reading.h"
#include "common/second_ticker.h"
#include "common/working_folder.h"
#include "display/fresh_frames.h"
#include "display/poll_cycle.h"
#include "recording/recording.h"
#include "recording/user_files.h"

namespace orvane::cli {

namespace {

// Sleeps until `deadline`; a stop signal ends the wait early.
void SleepUntil(std::chrono::steady_clock::time_point deadline) {
  while (!StopRequested() && std::chrono::steady_clock::now() < deadline) {
    const auto left = deadline - std::chrono::steady_clock::now();
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(50)));
  }
}

// A scratch file of its own, so a recording of the panel running meanwhile (which owns
// the folder's lock and its scratch files) is not touched, and the folder's lock is not
// needed. A name left by a killed run of the same process id is not reused: its records
// stay until the user deletes them.
std::string ScratchPath(const std::string& folder) {
  const std::string stem = kCliScratchPrefix + std::to_string(getpid());
  for (int serial = 1;; ++serial) {
    const std::string name = stem + (serial == 1 ? "" : "-" + std::to_string(serial)) + ".tmp";
    std::string path = InWorkingFolder(folder, name.c_str());
    if (::access(path.c_str(), F_OK) != 0) return path;  // free (or unreadable: Begin says why)
  }
}

// Polls every 250 ms and ticks the recording just after each wall-clock second until
// `wanted` records are written, a stop signal comes or a record cannot be written.
Recording::TickResult RunRecording(MeterSession& session, FrameDecoder& decoder, PollCycle& poll,
                                   Recording& recording, long wanted, std::string& error) {
  using namespace std::chrono;
  const Clock& clock = session.Now();
  SecondTicker ticker;
  FreshFrames frames(decoder.FramesDecoded());
  auto nextPoll = steady_clock::now() + milliseconds(PollCycle::kIntervalMs);
  while (recording.Count() < wanted && !StopRequested()) {
    const auto tickAt = steady_clock::now() + milliseconds(SecondTicker::MsToNextTick(clock.Now()));
    for (; nextPoll < tickAt && !StopRequested();
         nextPoll += milliseconds(PollCycle::kIntervalMs)) {
      SleepUntil(nextPoll);
      if (!StopRequested()) poll.Tick();
    }
    SleepUntil(tickAt);
    if (StopRequested()) break;
    const std::optional<DateTime> second = ticker.Due(clock.Now());
    if (!second) continue;
    std::optional<LiveReading> fresh;
    if (frames.Take(decoder.FramesDecoded())) {
      fresh = MakeLiveReading(decoder.ReadingText(), decoder.KLit(), decoder.UnitText());
    }
    const auto result = recording.Tick(FormatDateTime(*second), fresh, error);
    if (result == Recording::TickResult::Failed) return result;
  }
  return Recording::TickResult::Written;
}

int Record(const Args& args) {
  long wanted = 0;
  if (args.positional.size() != 1 || !ParseWhole(args.Get("count"), wanted)) {
    return Refuse("record wants OUT.lms and --count N (try --help)");
  }
  const std::string folder = WorkingFolderPath();
  if (IsScratchFile(args.positional[0], folder)) {
    return Fail(args.positional[0] + " is one of Orvane's own working files; choose another name");
  }
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  SilentNotices notices;
  FrameDecoder decoder;
  PollCycle poll(session->Link(), decoder, notices);
  poll.Tick();
  if (!session->Connected()) return Fail("no meter answered");
  // The recording's unit system is the one the meter shows now, as the panel takes it.
  const LiveReading first =
      MakeLiveReading(decoder.ReadingText(), decoder.KLit(), decoder.UnitText());

  std::string error;
  Recording recording;
  if (!EnsureWorkingFolder(folder) || !recording.Start(ScratchPath(folder), first.system, error)) {
    return Fail("the recording cannot start: " + (error.empty() ? folder : error));
  }
  CatchStopSignals();
  const bool failed = RunRecording(*session, decoder, poll, recording, wanted, error) ==
                      Recording::TickResult::Failed;
  const std::string writeError = error;

  const std::string& out = args.positional[0];
  if (!recording.Stop(out, error)) {
    return Fail(error + "; the records are kept in " + recording.ScratchPath());
  }
  std::remove(recording.ScratchPath().c_str());
  std::printf("%ld records written to %s", recording.Count(), out.c_str());
  if (recording.SecondsWithoutReading() > 0) {
    std::printf("; %ld seconds had no reading", recording.SecondsWithoutReading());
  }
  std::printf("\n");
  if (failed) return Fail("recording stopped: " + writeError);
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(record, "record", "OUT.lms [--simulate] [--meter VID:PID] --count N",
                   "record the reading once a second into a data file", {"count", "meter"}, Record,
                   {"simulate"}, 1, 1);

}  // namespace orvane::cli
