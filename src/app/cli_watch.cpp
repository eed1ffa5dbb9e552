// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli watch: the meter's reading as a stream of lines, one per poll of the panel's
// cycle or one per wall-clock period (--every), as text, CSV or JSON lines. Each line has
// the time (ISO 8601 with the UTC offset, and as seconds since 1970 UTC), the reading as the
// display shows it, its number, the unit, the small and secondary digits and the lit symbols by the
// names on the LCD. Every line is flushed as it is written, so a pipe sees it at once.
// Each line names its meter (its serial number, else its device path, or --name).
// --format influx writes InfluxDB line protocol; --prom FILE rewrites FILE with the latest
// reading in the Prometheus text format at each line (the stream then goes only where
// --out says).
//
// After the meter has answered once, watch keeps going when it stops answering (unplugged,
// switched off): each line that falls due without a fresh display frame is a gap line
// that carries only the time and "no meter", until the meter answers again. It ends after
// --count lines, after --duration, or on SIGINT, SIGTERM or SIGHUP, with exit status 0.
//
// --every follows the wall clock: when it is set forward or back (a time service, a user,
// the machine woken from sleep), the step is noted on stderr and the stream goes on from
// the new time, with neither made-up gap lines nor a silence.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/cli.h"
#include "app/cli_watch_feeds.h"
#include "common/live_reading.h"
#include "common/second_ticker.h"
#include "display/annunciator_captions.h"
#include "display/display_listing.h"
#include "display/poll_cycle.h"
#include "link/meter_choice.h"
#include "recording/csv_export.h"

namespace orvane::cli {

namespace {

using SystemTime = std::chrono::system_clock::time_point;

enum class Format { Text, Csv, Jsonl, Influx };

struct WatchOptions {
  Format format = Format::Text;
  long count = -1;      // lines; -1: no limit
  long durationS = -1;  // -1: no limit
  long everyS = 0;      // 0: one line per poll
  long intervalMs = PollCycle::kIntervalMs;
  long unplugAt = 0;  // the built-in meter is unplugged for this poll and the next
  std::string out = "-";
  bool stream = true;  // lines go to `out`; not with --prom unless --out is given
  std::string prom;    // the Prometheus file, or empty
  std::string name;    // --name: the meter's name in every line
};

Sample FromDisplay(const FrameDecoder& d) {
  Sample s;
  s.connected = true;
  s.reading = MakeLiveReading(d.ReadingText(), d.KLit(), d.UnitText()).text;
  s.value = CsvNumber(s.reading, false).value_or("");
  s.overRange = IsOverRange(s.reading);
  s.unit = d.UnitText();
  s.secondary = SecondaryDigitsText(d);
  s.secondary.erase(0, s.secondary.find_first_not_of(' '));  // the LCD's alignment blanks
  s.secondary.erase(s.secondary.find_last_not_of(' ') + 1);
  for (int i = 0; i < kAnnunciatorCount; ++i) {
    if (!d.Annunciator(i)) continue;
    if (!s.symbols.empty()) s.symbols += ' ';
    s.symbols += kAnnunciatorCaptions[i];
  }
  return s;
}

// "2026-12-08T10:30:01+01:00", with milliseconds (".250") when `withMs`.
std::string IsoTime(SystemTime t, bool withMs) {
  using namespace std::chrono;
  const std::time_t seconds = system_clock::to_time_t(t);
  const long ms =
      static_cast<long>(duration_cast<milliseconds>(t.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  const long offset = local.tm_gmtoff;
  const long minutes = (offset < 0 ? -offset : offset) / 60;
  char out[64];
  std::snprintf(out, sizeof out, "%s%s%c%02ld:%02ld", date,
                withMs ? (std::string(".") + std::to_string(1000 + ms).substr(1)).c_str() : "",
                offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return out;
}

// The same instant as seconds since 1970 UTC: "1796729401", "1796729401.250" `withMs`.
std::string EpochText(SystemTime t, bool withMs) {
  using namespace std::chrono;
  const long long ms = duration_cast<milliseconds>(t.time_since_epoch()).count();
  std::string out = std::to_string(ms / 1000);
  if (withMs) out += "." + std::to_string(1000 + ms % 1000).substr(1);
  return out;
}

std::string JsonSymbols(const std::string& symbols) {
  std::string out = "[";
  std::size_t start = 0;
  while (start < symbols.size()) {
    const std::size_t end = std::min(symbols.find(' ', start), symbols.size());
    if (out.size() > 1) out += ',';
    out += JsonString(symbols.substr(start, end - start));
    start = end + 1;
  }
  return out + "]";
}

constexpr const char* kCsvHeader =
    "time,epoch,meter,connected,reading,value,unit,over_range,secondary,symbols\n";

// `time` is the ISO time, `epoch` the same instant in seconds since 1970; `meter` names
// the meter.
std::string Line(Format format, const std::string& time, const std::string& epoch,
                 const std::string& meter, const Sample& s) {
  switch (format) {
    case Format::Text:
      if (!s.connected) return time + "\t" + epoch + "\tno meter\n";
      return time + "\t" + epoch + "\t" + s.reading + " " + s.unit + "\t" + s.secondary + "\t" +
             s.symbols + "\n";
    case Format::Csv: {
      const auto field = [](const std::string& v) { return CsvField(v, ','); };
      return time + "," + epoch + "," + field(meter) + "," + (s.connected ? "1" : "0") + "," +
             field(s.reading) + "," + s.value + "," + field(s.unit) + "," +
             (s.overRange ? "1" : "0") + "," + field(s.secondary) + "," + field(s.symbols) + "\n";
    }
    case Format::Jsonl: {
      const auto textOrNull = [&s](const std::string& v) {
        return s.connected ? JsonString(v) : std::string("null");
      };
      return "{\"time\":" + JsonString(time) + ",\"epoch\":" + epoch +
             ",\"meter\":" + JsonString(meter) +
             ",\"connected\":" + (s.connected ? "true" : "false") +
             ",\"reading\":" + textOrNull(s.reading) +
             ",\"value\":" + (s.value.empty() ? "null" : s.value) +
             ",\"unit\":" + textOrNull(s.unit) +
             ",\"over_range\":" + (s.overRange ? "true" : "false") +
             ",\"secondary\":" + textOrNull(s.secondary) +
             ",\"symbols\":" + JsonSymbols(s.symbols) + "}\n";
    }
    case Format::Influx:
      return {};  // written from the instant (LineWriter)
  }
  return {};
}

// Reads the options; exit status 2 after an error line when one is wrong.
int ReadOptions(const Args& args, WatchOptions& o) {
  const std::string format = args.Get("format", "text");
  if (format == "csv") {
    o.format = Format::Csv;
  } else if (format == "jsonl") {
    o.format = Format::Jsonl;
  } else if (format == "influx") {
    o.format = Format::Influx;
  } else if (format != "text") {
    return Refuse("--format takes text, csv, jsonl or influx");
  }
  if (args.Has("count") && !ParseWholeIn(args.Get("count"), o.count, 1, 1000000000)) {
    return Refuse("--count wants a number of lines, 1 to 1000000000");
  }
  if (args.Has("duration") && !ParseDuration(args.Get("duration"), o.durationS, 1, 366 * 86400)) {
    return Refuse("--duration wants 1s to 366d (a number with s, m, h or d)");
  }
  if (args.Has("every") && !ParseDuration(args.Get("every"), o.everyS, 1, 86400)) {
    return Refuse("--every wants 1s to 1d (a number with s, m, h or d)");
  }
  if (args.Has("interval-ms")) {
    if (!args.Has("simulate")) return Refuse("--interval-ms is for the simulated meter only");
    if (!ParseWholeIn(args.Get("interval-ms"), o.intervalMs, 1, 1000)) {
      return Refuse("--interval-ms wants 1 to 1000 ms");
    }
  }
  if (args.Has("unplug")) {
    if (!args.Has("simulate")) return Refuse("--unplug is for the simulated meter only");
    if (!ParseWholeIn(args.Get("unplug"), o.unplugAt, 2, 1000000)) {
      return Refuse("--unplug wants a poll number, 2 or more");
    }
  }
  o.out = args.Get("out", "-");
  o.prom = args.Get("prom");
  if (args.Has("prom") && o.prom.empty()) return Refuse("--prom wants a file name");
  o.stream = o.prom.empty() || args.Has("out");
  o.name = args.Get("name");
  if (args.Has("name") && o.name.empty()) return Refuse("--name wants a text");
  return 0;
}

// Writes each line to the stream and the Prometheus file, as the options say.
struct LineWriter {
  const WatchOptions& o;
  OutputFile& out;
  Origin origin;
  std::string unit;  // of the last reading, for the Prometheus series

  // False after an error line.
  bool Write(SystemTime at, const std::string& time, const std::string& epoch, const Sample& s) {
    using namespace std::chrono;
    if (s.connected) unit = s.unit;
    if (o.stream) {
      const std::string line =
          o.format == Format::Influx
              ? InfluxLine(s, origin, duration_cast<nanoseconds>(at.time_since_epoch()).count())
              : Line(o.format, time, epoch, origin.meter, s);
      std::fwrite(line.data(), 1, line.size(), out.file);
      if (std::fflush(out.file) != 0) return Fail("cannot write " + o.out), false;
    }
    std::string error;
    if (!o.prom.empty() &&
        !ReplaceFile(
            o.prom,
            PromText(s, origin, unit, duration_cast<milliseconds>(at.time_since_epoch()).count()),
            error)) {
      return Fail(error), false;
    }
    return true;
  }
};

// The next multiple of `everyMs` of the wall clock (ms since 1970) after `epochMs`.
std::int64_t NextBoundary(std::int64_t epochMs, std::int64_t everyMs) {
  return (epochMs / everyMs + 1) * everyMs;
}

SystemTime AtEpochMs(std::int64_t epochMs) {
  return SystemTime(std::chrono::milliseconds(epochMs));
}

int Watch(const Args& args) {
  WatchOptions o;
  if (const int status = ReadOptions(args, o); status != 0) return status;
  CatchStopSignals();  // from here a stop signal ends the stream normally
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  SilentNotices notices;
  FrameDecoder decoder;
  PollCycle poll(session->Link(), decoder, notices);
  long polls = 0;
  const auto tick = [&] {
    ++polls;
    if (o.unplugAt > 0) session->SetPlugged(polls < o.unplugAt || polls > o.unplugAt + 1);
    poll.Tick();
    return session->Connected();
  };
  if (!tick()) return Fail("no meter answered");
  OutputFile out;
  if (o.stream && !out.Open(o.out)) return 1;
  const std::string meter = o.name.empty() ? MeterName(session->Link().OpenedDevice()) : o.name;
  LineWriter writer{o, out, {meter, HostName()}, {}};

  const Clock& clock = session->Now();
  const std::int64_t start = clock.MonotonicMs();
  std::int64_t nextPoll = start + o.intervalMs;
  const std::int64_t everyMs = (o.everyS > 0 ? o.everyS : 1) * 1000;
  std::int64_t nextLine = NextBoundary(clock.EpochMs(), everyMs);
  ClockStepWatch steps;
  steps.Look(clock);
  // A step of the wall clock: noted, and the next line is the next period of the new time.
  const auto followSteps = [&] {
    if (const std::int64_t step = steps.Look(clock); step != 0) {
      std::fprintf(stderr, "orvane-cli: %s; the stream goes on from there\n",
                   NoteClockStep(step, clock.Now()).c_str());
      nextLine = NextBoundary(clock.EpochMs(), everyMs);
    }
  };
  bool fresh = true;  // a display frame arrived since the last line
  if (o.stream && o.format == Format::Csv) std::fputs(kCsvHeader, out.file);
  const auto over = [&] {
    return StopRequested() ||
           (o.durationS >= 0 && clock.MonotonicMs() - start >= o.durationS * 1000);
  };
  // The next poll is one period on; a poll that came late (a meter slow to answer) is
  // not made up with a burst of polls.
  const auto schedule = [&] { nextPoll = std::max(nextPoll + o.intervalMs, clock.MonotonicMs()); };
  for (long written = 0; o.count < 0 || written < o.count;) {
    if (over()) break;
    std::string time;
    std::string epoch;
    SystemTime at;
    if (o.everyS == 0) {  // one line per poll, from this poll
      if (written > 0) {
        session->WaitUntil(nextPoll);
        if (over()) break;
        fresh = tick();
        schedule();
      }
      followSteps();
      const SystemTime now = AtEpochMs(clock.EpochMs());
      at = now;
      time = IsoTime(now, true);
      epoch = EpochText(now, true);
    } else {  // one line per wall-clock period, from the polls since the last line
      for (followSteps(); !over() && clock.EpochMs() < nextLine; followSteps()) {
        session->WaitUntil(std::min(nextPoll, clock.MonotonicMs() + (nextLine - clock.EpochMs())));
        if (clock.MonotonicMs() < nextPoll) continue;
        fresh = tick() || fresh;
        schedule();
      }
      if (over()) break;
      at = AtEpochMs(nextLine);
      time = IsoTime(AtEpochMs(nextLine), false);
      epoch = EpochText(AtEpochMs(nextLine), false);
      nextLine = NextBoundary(nextLine, everyMs);
    }
    if (!writer.Write(at, time, epoch, fresh ? FromDisplay(decoder) : Sample{})) return 1;
    ++written;
    fresh = false;
  }
  if (o.stream && !out.Close()) return Fail("cannot write " + o.out);
  return 0;
}

}  // namespace

constexpr const char* kWatchDetails =
    "Each line names its meter: its serial number, else its device path, or --name TEXT.\n"
    "--format influx writes InfluxDB line protocol: measurement orvane, tags meter, unit and\n"
    "host, fields value, over_range, connected and reading, a nanosecond time.\n"
    "--prom FILE rewrites FILE at each line, whole (a temporary file renamed over it), in\n"
    "the Prometheus text format for node_exporter's textfile collector: orvane_reading,\n"
    "orvane_over_range, orvane_connected and orvane_reading_timestamp_seconds. With --prom\n"
    "the lines go to standard output only when --out is given.\n";

ORVANE_CLI_COMMAND(watch, "watch",
                   "[--simulate] [--meter VID:PID] [--format text|csv|jsonl|influx] [--every 1s] "
                   "[--count N] [--duration 10m] [--out FILE|-] [--prom FILE] [--name TEXT]",
                   "stream the meter's reading, one line per poll (every 250 ms) or per --every",
                   {"count", "interval-ms", "meter", "format", "every", "duration", "out", "unplug",
                    "prom", "name"},
                   Watch, {"simulate"}, 0, 0, kWatchDetails);

}  // namespace orvane::cli
