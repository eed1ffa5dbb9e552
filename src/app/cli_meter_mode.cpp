// SPDX-License-Identifier: GPL-3.0-or-later
// What the meter's display says before a command talks to it: the mode refusals the
// panel's tool bar makes (common/command_gate), applied to the command line.

#include "app/cli.h"
#include "common/command_gate.h"
#include "display/poll_cycle.h"

namespace orvane::cli {

bool ReadDisplay(MeterSession& session, FrameDecoder& decoder) {
  SilentNotices notices;
  PollCycle(session.Link(), decoder, notices).Tick();
  return session.Connected();
}

int RefuseInMeterMode(MeterSession& session, CommandRule rule) {
  FrameDecoder decoder;
  if (!ReadDisplay(session, decoder)) return Fail("no meter answered");
  CommandConditions now;
  now.lit = [&decoder](std::string_view flag) { return decoder.Flag(flag); };
  now.readingKnown = true;
  const std::optional<std::string> refusal = CommandRefusal(rule, now);
  if (!refusal) return 0;
  return Fail(*refusal + "; nothing was sent");
}

}  // namespace orvane::cli
