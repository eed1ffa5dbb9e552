// SPDX-License-Identifier: GPL-3.0-or-later
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

// One line of a query answer, the meter's setting as it stands. After a setting
// (`wanted`), status 1 when the meter holds another value: it ignored the setting.
int Report(MeterSession& session, std::uint8_t query, bool sampling,
           std::optional<int> wanted = std::nullopt) {
  const std::optional<int> answer = QueryMeterSeconds(session.Link(), query);
  if (!answer) return Fail("no meter answered");
  const int seconds = *answer;
  const auto text = [sampling](int s) {
    return sampling ? "sampling time " + SamplingDefaultText(s) + " (" + std::to_string(s) + " s)"
                    : "recording period " + std::to_string(s) + " s";
  };
  if (wanted && *wanted != seconds) {
    return Fail("the meter did not take " + text(*wanted) + ": it holds " + text(seconds));
  }
  std::printf("%s\n", text(seconds).c_str());
  return 0;
}

constexpr const char* kSamplingRange =
    "the sampling time must be 00:00:01 to 01:00:00 (hh:nn:ss) or 1 to 3600 seconds";

// A part of "hh:nn:ss": one or two digits, at most `maximum`.
bool TimePart(const std::string& text, long maximum, long& value) {
  return text.size() <= 2 && ParseWholeIn(text, value, 0, maximum);
}

// The seconds a sampling time on the command line gives: "hh:nn:ss" or a whole number of
// seconds. Unlike the input box, which forces an answer into range, the command line
// refuses anything outside 00:00:01 to 01:00:00 so that a script learns of its mistake.
bool SamplingSeconds(const std::string& text, int& seconds) {
  long total = 0;
  const std::size_t p1 = text.find(':');
  const std::size_t p2 = p1 == std::string::npos ? p1 : text.find(':', p1 + 1);
  if (p1 == std::string::npos) {
    if (!ParseWhole(text, total)) total = -1;
  } else {
    long hh = 0, nn = 0, ss = 0;
    if (p2 == std::string::npos || !TimePart(text.substr(0, p1), 99, hh) ||
        !TimePart(text.substr(p1 + 1, p2 - p1 - 1), 59, nn) ||
        !TimePart(text.substr(p2 + 1), 59, ss)) {
      total = -1;
    } else {
      total = hh * 3600 + nn * 60 + ss;
    }
  }
  if (total < 1 || total > kMaxSamplingSeconds) return Refuse(kSamplingRange), false;
  seconds = static_cast<int>(total);
  return true;
}

int Sampling(const Args& args) {
  if (args.positional.size() > 1) return Fail("sampling takes at most one time (try --help)");
  int seconds = 0;
  if (args.positional.size() == 1 && !SamplingSeconds(args.positional[0], seconds)) return 2;
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  if (args.positional.size() == 1) {
    if (!QueryMeterSeconds(session->Link(), request::kSamplingTimeQuery)) {
      return Fail("no meter answered");
    }
    SendMeterSeconds(session->Link(), request::kSetSamplingTime, seconds);
  }
  return Report(*session, request::kSamplingTimeQuery, true,
                args.positional.size() == 1 ? std::optional<int>(seconds) : std::nullopt);
}

int Period(const Args& args) {
  if (args.positional.size() > 1) return Fail("period takes at most one number (try --help)");
  std::optional<int> wanted;
  if (args.positional.size() == 1) {
    long seconds = 0;
    if (!ParseWholeIn(args.positional[0], seconds, kMinPeriodSeconds, kMaxPeriodSeconds)) {
      return Refuse("the recording period must be 1 to 9999 seconds");
    }
    wanted = static_cast<int>(seconds);
  }
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  if (wanted) {
    // The meter's own recording uses the period: it is not changed while "REC" is lit.
    if (const int status = RefuseInMeterMode(*session, CommandRule::LinkFreeRecDark); status != 0)
      return status;
    // The meter takes the period right after it was asked for it.
    if (!QueryMeterSeconds(session->Link(), request::kRecordingPeriodQuery)) {
      return Fail("no meter answered");
    }
    SendMeterSeconds(session->Link(), request::kSetRecordingPeriod, *wanted);
  }
  return Report(*session, request::kRecordingPeriodQuery, false, wanted);
}

}  // namespace

ORVANE_CLI_COMMAND(sampling, "sampling", "[--simulate] [--meter VID:PID] [hh:nn:ss | SECONDS]",
                   "show the meter's sampling time, or set it (00:00:01 to 01:00:00)", {"meter"},
                   Sampling, {"simulate"}, 0, 1);
ORVANE_CLI_COMMAND(period, "period", "[--simulate] [--meter VID:PID] [SECONDS]",
                   "show the meter's recording period, or set it (1 to 9999 s)", {"meter"}, Period,
                   {"simulate"}, 0, 1);

}  // namespace orvane::cli
