// orvane-cli sampling and period: the meter's sampling time and recording period, read,
// or set after the same checks as the panel's input boxes.

#include <cstdio>
#include <string>

#include "app/cli.h"
#include "display/poll_cycle.h"
#include "link/requests.h"
#include "recording/meter_settings.h"

namespace orvane::cli {

namespace {

// One line of a query answer, the meter's setting as it stands.
int Report(MeterSession& session, std::uint8_t query, bool sampling) {
  const std::optional<int> answer = QueryMeterSeconds(session.Link(), query);
  if (!answer) return Fail("no meter answered");
  const int seconds = *answer;
  if (sampling) {
    std::printf("sampling time %s (%d s)\n", SamplingDefaultText(seconds).c_str(), seconds);
  } else {
    std::printf("recording period %d s\n", seconds);
  }
  return 0;
}

// The seconds a sampling answer gives: "hh:nn:ss" as the input box takes it, or a plain
// number of seconds; either is cut to one hour and must not be zero.
bool SamplingSeconds(const std::string& answer, int& seconds) {
  long plain = 0;
  if (ParseWhole(answer, plain)) {
    seconds = static_cast<int>(std::min<long>(plain, kMaxSamplingSeconds));
  } else {
    const SamplingAnswer parsed = ParseSamplingAnswer(answer);
    if (parsed.kind == SamplingAnswer::Kind::BadFormat) {
      return Fail("Invalid, comply with the data format properly (hh:nn:ss)"), false;
    }
    seconds = parsed.seconds;
  }
  if (seconds == 0) return Fail("the sampling time must be at least 00:00:01"), false;
  return true;
}

int Sampling(const Args& args) {
  if (args.positional.size() > 1) return Fail("sampling takes at most one time (try --help)");
  int seconds = 0;
  if (args.positional.size() == 1 && !SamplingSeconds(args.positional[0], seconds)) return 1;
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  if (args.positional.size() == 1) {
    if (!QueryMeterSeconds(session->Link(), request::kSamplingTimeQuery)) {
      return Fail("no meter answered");
    }
    SendMeterSeconds(session->Link(), request::kSetSamplingTime, seconds);
  }
  return Report(*session, request::kSamplingTimeQuery, true);
}

int Period(const Args& args) {
  if (args.positional.size() > 1) return Fail("period takes at most one number (try --help)");
  std::optional<int> wanted;
  if (args.positional.size() == 1) {
    wanted = ParsePeriodAnswer(args.positional[0]);
    if (!wanted) return Fail("period wants a number of seconds");
  }
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  if (wanted) {
    // The meter's own recording uses the period: it is not changed while "REC" is lit.
    SilentNotices notices;
    FrameDecoder decoder;
    PollCycle(session->Link(), decoder, notices).Tick();
    if (!session->Connected()) return Fail("no meter answered");
    if (decoder.Flag("AnnREC")) return Fail("the meter is recording; stop it to set the period");
    // The meter takes the period right after it was asked for it.
    if (!QueryMeterSeconds(session->Link(), request::kRecordingPeriodQuery)) {
      return Fail("no meter answered");
    }
    SendMeterSeconds(session->Link(), request::kSetRecordingPeriod, *wanted);
  }
  return Report(*session, request::kRecordingPeriodQuery, false);
}

}  // namespace

ORVANE_CLI_COMMAND(sampling, "sampling", "[--simulate] [--meter VID:PID] [hh:nn:ss | SECONDS]",
                   "show the meter's sampling time, or set it (00:00:01 to 01:00:00)", {},
                   Sampling);
ORVANE_CLI_COMMAND(period, "period", "[--simulate] [--meter VID:PID] [SECONDS]",
                   "show the meter's recording period, or set it (1 to 9999 s)", {}, Period);

}  // namespace orvane::cli
