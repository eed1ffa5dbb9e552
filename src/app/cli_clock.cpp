// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli clock: the meter's clock beside the PC's, and setting the meter's clock to
// the PC's time, as the clock window does.

#include <cstdio>
#include <string>

#include "app/cli.h"
#include "clock/meter_clock.h"

namespace orvane::cli {

namespace {

// The meter took the time asked for when its clock, read back, is within this of it.
constexpr long kClockSetToleranceSeconds = 2;

bool ClockMatches(const std::string& meter, const DateTime& wanted) {
  const std::optional<DateTime> shown = ParseDateTime(meter);
  if (!shown) return false;
  const long d = ToSerialSeconds(*shown) - ToSerialSeconds(wanted);
  return d <= kClockSetToleranceSeconds && d >= -kClockSetToleranceSeconds;
}

int ClockCommand(const Args& args) {
  if (!args.positional.empty()) return Fail("clock takes no words, only --set (try --help)");
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  MeterLink& link = session->Link();
  // The meter does not take a time while it records: asked first, as the panel's RTC does.
  if (args.Has("set")) {
    if (const int status = RefuseInMeterMode(*session, CommandRule::LinkFreeRecDark); status != 0)
      return status;
  }
  std::string meter = ReadMeterClock(link);
  if (!session->Connected()) return Fail("no meter answered");
  if (args.Has("set")) {
    const DateTime wanted = session->Now().Now();
    SetMeterClock(link, wanted);
    // The meter does not answer a set: its clock read afterwards shows what it took.
    meter = ReadMeterClock(link);
    if (!session->Connected()) return Fail("the meter stopped answering; its clock may be unset");
    if (!ClockMatches(meter, wanted)) {
      return Fail("the meter did not take the time " + FormatDateTime(wanted) +
                  ": its clock shows " + meter);
    }
  }
  std::printf("Meter Time\t%s\nPC System Time\t%s\n", meter.c_str(),
              FormatDateTime(session->Now().Now()).c_str());
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(clock, "clock", "[--simulate] [--meter VID:PID] [--set]",
                   "show the meter's clock and the PC's; --set sets the meter to the PC's time",
                   {"meter"}, ClockCommand, {"simulate", "set"});

}  // namespace orvane::cli
