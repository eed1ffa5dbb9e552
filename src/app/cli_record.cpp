// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli record: polls the meter as the panel does and records one reading a second
// into a data file, through the same recording as the panel's. A second without a display
// frame decoded since the previous one (meter unplugged or silent) writes no record; the
// poll keeps looking for the meter. It ends after --count records or --duration of wall-
// clock time; SIGINT, SIGTERM or SIGHUP (a closed terminal) finishes the data file with
// the records taken so far; a record that cannot be written finishes it too, with an
// error. The display frame read at the start counts for the first second, whenever in
// the second the program starts; a step of the wall clock is noted on stderr and the
// stamps follow it. With
// --split daily each local day gets its own data file (DailyRecording names them), and record may
// run until it is stopped.

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli.h"
#include "common/live_reading.h"
#include "common/second_ticker.h"
#include "common/working_folder.h"
#include "display/fresh_frames.h"
#include "display/poll_cycle.h"
#include "recording/daily_recording.h"
#include "recording/user_files.h"

namespace orvane::cli {

namespace {

constexpr long kNoLimit = -1;

struct RecordOptions {
  long count = kNoLimit;
  long durationS = kNoLimit;
  bool daily = false;
};

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

// "N records written to FILE" for each data file finished since the last call; `last`
// ends the last line.
void SayWritten(DailyRecording& recording, const std::string& last = "") {
  const std::vector<DailyRecording::Written> written = recording.TakeWritten();
  for (const DailyRecording::Written& w : written) {
    std::printf("%ld records written to %s%s\n", w.records, w.path.c_str(),
                &w == &written.back() ? last.c_str() : "");
  }
  std::fflush(stdout);
}

// Polls every 250 ms and ticks the recording just after each wall-clock second until the
// count or the duration is reached, a stop signal comes or a record cannot be written.
// `framesBefore`: the decoder's frame count before the start's poll, whose frame is the
// first record's (a start late in a second has no other before the tick).
Recording::TickResult RunRecording(MeterSession& session, FrameDecoder& decoder, PollCycle& poll,
                                   DailyRecording& recording, const RecordOptions& o,
                                   std::uint64_t framesBefore, std::string& error) {
  const Clock& clock = session.Now();
  // A tick aimed just after the last second boundary of the duration is its last.
  const std::int64_t endMs = o.durationS == kNoLimit ? INT64_MAX
                                                     : clock.MonotonicMs() + o.durationS * 1000 +
                                                           SecondTicker::kAfterBoundaryMs;
  SecondTicker ticker;
  ClockStepWatch steps;
  steps.Look(clock);
  const auto noteStep = [&steps, &clock] {
    if (const std::int64_t step = steps.Look(clock); step != 0) {
      std::fprintf(stderr, "orvane-cli: %s; the records go on from there\n",
                   NoteClockStep(step, clock.Now()).c_str());
    }
  };
  FreshFrames frames(framesBefore);
  std::int64_t nextPoll = clock.MonotonicMs() + PollCycle::kIntervalMs;
  while ((o.count == kNoLimit || recording.Count() < o.count) && !StopRequested()) {
    const std::int64_t tickAt = clock.MonotonicMs() + SecondTicker::MsToNextTick(clock.Now());
    const std::int64_t waitTo = std::min(tickAt, endMs);
    for (; nextPoll < waitTo && !StopRequested(); nextPoll += PollCycle::kIntervalMs) {
      session.WaitUntil(nextPoll);
      if (StopRequested()) break;
      poll.Tick();
      noteStep();
    }
    session.WaitUntil(waitTo);
    if (StopRequested() || tickAt > endMs) break;
    noteStep();
    const std::optional<DateTime> second = ticker.Due(clock.Now());
    if (!second) continue;
    std::optional<LiveReading> fresh;
    if (frames.Take(decoder.FramesDecoded())) {
      fresh = MakeLiveReading(decoder.ReadingText(), decoder.KLit(), decoder.UnitText());
    }
    const auto result = recording.Tick(*second, fresh, error);
    SayWritten(recording);
    if (result == Recording::TickResult::Failed) return result;
  }
  return Recording::TickResult::Written;
}

// The stopping rule and the split from the command line; false after refusing it.
bool ReadRecordOptions(const Args& args, RecordOptions& o, int& status) {
  status = 2;
  if (args.Has("count") && !ParseWhole(args.Get("count"), o.count)) {
    status = Refuse("--count wants a whole number of records (usage: record OUT.lms --count N)");
    return false;
  }
  if (args.Has("duration") && !ParseDuration(args.Get("duration"), o.durationS, 1, 366 * 86400)) {
    status = Refuse("--duration wants 1s to 366d (a number with s, m, h or d)");
    return false;
  }
  if (args.Has("split")) {
    if (args.Get("split") != "daily") {
      status = Refuse("--split takes only 'daily'");
      return false;
    }
    o.daily = true;
  }
  // One data file is written only when the recording ends: it must end by itself.
  if (o.count == kNoLimit && o.durationS == kNoLimit && !o.daily) {
    status = Refuse(
        "record wants OUT.lms and --count N or --duration D, or --split daily to run until "
        "stopped (try --help)");
    return false;
  }
  return true;
}

int Record(const Args& args) {
  RecordOptions options;
  if (int status = 0; !ReadRecordOptions(args, options, status)) return status;
  const std::string& out = args.positional[0];
  const std::string folder = WorkingFolderPath();
  if (IsScratchFile(out, folder)) {
    return Fail(out + " is one of Orvane's own working files; choose another name");
  }
  // From here a stop signal ends the recording normally, and a closed terminal (SIGPIPE)
  // costs a message at most, never the data file.
  CatchStopSignals();
  std::signal(SIGPIPE, SIG_IGN);
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  SilentNotices notices;
  FrameDecoder decoder;
  PollCycle poll(session->Link(), decoder, notices);
  const std::uint64_t framesBefore = decoder.FramesDecoded();
  poll.Tick();
  if (!session->Connected()) return Fail("no meter answered");
  // The recording's unit system is the one the meter shows now, as the panel takes it.
  const LiveReading first =
      MakeLiveReading(decoder.ReadingText(), decoder.KLit(), decoder.UnitText());

  std::string error;
  DailyRecording recording;
  if (!EnsureWorkingFolder(folder) ||
      !recording.Start(ScratchPath(folder), first.system, out, options.daily, error)) {
    return Fail("the recording cannot start: " + (error.empty() ? folder : error));
  }
  const bool failed = RunRecording(*session, decoder, poll, recording, options, framesBefore,
                                   error) == Recording::TickResult::Failed;
  const std::string writeError = error;
  const bool stopped = recording.Stop(error);
  // One file: its line says the seconds without a reading. Split by day: a line of its own
  // for the whole run.
  const std::string without =
      recording.SecondsWithoutReading() > 0
          ? std::to_string(recording.SecondsWithoutReading()) + " seconds had no reading"
          : "";
  SayWritten(recording, options.daily || without.empty() ? "" : "; " + without);
  if (options.daily && !without.empty()) std::printf("%s\n", without.c_str());
  if (!stopped) {
    // Named only once it is sure to hold them (its folder may be gone: a new one is made).
    std::string keepError;
    if (!recording.KeepScratch(keepError)) {
      return Fail(error + "; the records cannot be kept either: " + keepError);
    }
    return Fail(error + "; the records are kept in " + recording.Current().ScratchPath());
  }
  std::remove(recording.Current().ScratchPath().c_str());
  if (failed) return Fail("recording stopped: " + writeError);
  return 0;
}

}  // namespace

constexpr const char* kRecordDetails =
    "It ends after --count records, after --duration (1s to 366d: 90, 90s, 15m, 8h, 1d) or\n"
    "on SIGINT, SIGTERM or SIGHUP, which finish the data file with the records so far.\n"
    "Without --split one of --count and --duration is needed.\n"
    "--split daily writes one data file per local day, switched at midnight, and may run\n"
    "until stopped. A folder OUT (existing, or ending in /) gives OUT/orvane-YYYY-MM-DD.lms;\n"
    "any other OUT is a base name, its final .lms dropped: OUT-YYYY-MM-DD.lms. When that\n"
    "file exists, -2, -3, ... is added before .lms. A day without records writes no file.\n";

ORVANE_CLI_COMMAND(record, "record",
                   "OUT.lms [--simulate] [--meter VID:PID] [--count N] [--duration D] "
                   "[--split daily]",
                   "record the reading once a second into a data file, or into one a day",
                   {"count", "meter", "duration", "split"}, Record, {"simulate"}, 1, 1,
                   kRecordDetails);

}  // namespace orvane::cli
