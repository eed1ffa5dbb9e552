#pragma once
// Which of the panel's tool-bar commands can run now, and why not. The one rule behind
// the greyed tool-bar buttons, their tool tips and a refused click: the meter refuses
// some requests while its own recording ("REC") or a measuring mode is lit, and only one
// command talks to the meter at a time.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Is the annunciator of this flag name ("AnnREC", ...) lit?
using FlagLit = std::function<bool(std::string_view flagName)>;

struct ModeSymbol {
  std::string_view flag;
  std::string_view symbol;  // as the meter's LCD shows it
};

// Any of these lit refuses "Memory"; "REC" alone refuses "RTC", "RecSetup" and "Erase".
inline constexpr std::array<ModeSymbol, 18> kMemoryRefusingModes{{
    {"AnnREC", "REC"},
    {"AnnSET", "SET"},
    {"AnnCMP", "CMP"},
    {"AnnDelta", "Δ"},
    {"AnnPercentA", "%A"},
    {"AnnPercent", "%"},
    {"AnnREF", "REF"},
    {"AnnACC", "ACC"},
    {"AnnAMRM", "M"},
    {"AnnAMRA", "A"},
    {"AnnAMRR", "R"},
    {"AnnASlashB", "A/B"},
    {"AnnBDashA", "B-A"},
    {"AnnA", "A"},
    {"AnnB", "B"},
    {"AnnMX", "MX"},
    {"AnnMN", "MN"},
    {"AnnAVG1", "AVG"},
}};
inline constexpr ModeSymbol kMeterRecording{"AnnREC", "REC"};

// What the rule looks at.
struct CommandConditions {
  FlagLit lit;                // the annunciators as the poll last decoded them
  bool linkHeld = false;      // another command talks to the meter
  bool recordingOn = false;   // a recording to the PC runs
  bool readingKnown = false;  // the meter is connected and shows a reading with a unit
};

// Why the tool-bar command `key` ("Save", "Open", "Intv", …) cannot run now, as the
// user reads it; nothing when it can.
std::optional<std::string> CommandRefusal(std::string_view key, const CommandConditions& now);

inline constexpr const char* kMeterBusyReason = "Meter busy: another command is talking to it";
inline constexpr const char* kNoReadingToRecord = "Needs a connected meter showing a reading";

}  // namespace orvane
