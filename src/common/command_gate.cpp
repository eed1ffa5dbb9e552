// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/command_gate.h"

namespace orvane {

namespace {

std::string NotWhileLit(const ModeSymbol& mode) {
  if (mode.flag == kMeterRecording.flag) return "Not while the meter records (REC is lit)";
  return "Not while " + std::string(mode.symbol) + " is lit on the meter";
}

}  // namespace

std::optional<std::string> CommandRefusal(CommandRule rule, const CommandConditions& now) {
  switch (rule) {
    case CommandRule::None:
      return std::nullopt;
    case CommandRule::NeedsReading:
      // A running recording can always be stopped, even with the meter gone.
      if (now.recordingOn || now.readingKnown) return std::nullopt;
      return kNoReadingToRecord;
    case CommandRule::LinkFree:
    case CommandRule::LinkFreeRecDark:
    case CommandRule::LinkFreeNoMode:
      break;
  }
  if (now.linkHeld) return kMeterBusyReason;
  if (rule == CommandRule::LinkFreeNoMode) {
    for (const ModeSymbol& mode : kMemoryRefusingModes) {
      if (now.lit(mode.flag)) return NotWhileLit(mode);
    }
  } else if (rule == CommandRule::LinkFreeRecDark && now.lit(kMeterRecording.flag)) {
    return NotWhileLit(kMeterRecording);
  }
  return std::nullopt;
}

}  // namespace orvane
