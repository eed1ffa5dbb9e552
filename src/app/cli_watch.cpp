// orvane-cli watch: the meter's display as text, one line per poll of the panel's cycle:
// the main reading with its unit, the small and secondary digits, the lit annunciators.

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/cli.h"
#include "common/live_reading.h"
#include "display/display_listing.h"
#include "display/poll_cycle.h"

namespace orvane::cli {

namespace {

std::string DisplayLine(const FrameDecoder& d) {
  const LiveReading r = MakeLiveReading(d.ReadingText(), d.KLit(), d.UnitText());
  std::string line = r.text + " " + d.UnitText() + "\t" + SecondaryDigitsText(d) + "\t";
  const auto lit = d.LitAnnunciators();
  for (std::size_t i = 0; i < lit.size(); ++i) {
    if (i > 0) line += ' ';
    line += lit[i];
  }
  return line + "\n";
}

int Watch(const Args& args) {
  long count = -1;  // until interrupted
  long intervalMs = PollCycle::kIntervalMs;
  if (args.Has("count") && !ParseWhole(args.Get("count"), count, 1)) {
    return Fail("--count wants a number of polls, 1 or more");
  }
  if (args.Has("interval-ms")) {
    if (!args.Has("simulate")) return Fail("--interval-ms is for the simulated meter only");
    if (!ParseWhole(args.Get("interval-ms"), intervalMs)) return Fail("--interval-ms wants ms");
  }
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  SilentNotices notices;
  FrameDecoder decoder;
  PollCycle poll(session->Link(), decoder, notices);
  const auto period = std::chrono::milliseconds(intervalMs);
  auto next = std::chrono::steady_clock::now();
  for (long n = 0; count < 0 || n < count; ++n) {
    if (n > 0) std::this_thread::sleep_until(next);
    next += period;
    poll.Tick();
    if (!session->Connected()) return Fail("no meter answered");
    const std::string line = DisplayLine(decoder);
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(watch, "watch", "[--simulate] [--meter VID:PID] [--count N] [--interval-ms MS]",
                   "show the meter's display as text, one line per poll (every 250 ms)",
                   {"count", "interval-ms"}, Watch);

}  // namespace orvane::cli
