#include "common/command_gate.h"

#include <algorithm>

namespace orvane {

namespace {

bool Among(std::string_view key, std::initializer_list<std::string_view> keys) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::string NotWhileLit(const ModeSymbol& mode) {
  if (mode.flag == kMeterRecording.flag) return "Not while the meter records (REC is lit)";
  return "Not while " + std::string(mode.symbol) + " is lit on the meter";
}

}  // namespace

std::optional<std::string> CommandRefusal(std::string_view key, const CommandConditions& now) {
  if (key == "Save") {
    // A running recording can always be stopped, even with the meter gone.
    if (now.recordingOn || now.readingKnown) return std::nullopt;
    return kNoReadingToRecord;
  }
  if (!Among(key, {"Intv", "RTC", "RecSetup", "Memory", "Erase"})) return std::nullopt;
  if (now.linkHeld) return kMeterBusyReason;
  if (key == "Memory") {
    for (const ModeSymbol& mode : kMemoryRefusingModes) {
      if (now.lit(mode.flag)) return NotWhileLit(mode);
    }
  } else if (key != "Intv" && now.lit(kMeterRecording.flag)) {
    return NotWhileLit(kMeterRecording);
  }
  return std::nullopt;
}

}  // namespace orvane
