// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which of the panel's commands can run now, and why not. The one rule behind the greyed
// tool-bar buttons and menu entries, their tool tips and a refused click or key: the
// meter refuses some requests while its own recording ("REC") or a measuring mode is lit,
// only one command talks to the meter at a time, and a recording needs a reading.

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

// Any of these lit refuses a command of the rule LinkFreeNoMode (the data logger window).
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

// Each command of the panel names one of these in its row of the command table.
enum class CommandRule {
  None,             // runs whenever asked
  NeedsReading,     // a reading to record, or a recording to stop
  LinkFree,         // talks to the meter: not while another command holds the link
  LinkFreeRecDark,  // and not while the meter records ("REC" lit)
  LinkFreeNoMode,   // and not while the meter records or shows a measuring mode
};

// What the rule looks at.
struct CommandConditions {
  FlagLit lit;                // the annunciators as the poll last decoded them
  bool linkHeld = false;      // another command talks to the meter
  bool recordingOn = false;   // a recording to the PC runs
  bool readingKnown = false;  // the meter is connected and shows a reading with a unit
};

// Why a command of rule `rule` cannot run now, as the user reads it; nothing when it can.
std::optional<std::string> CommandRefusal(CommandRule rule, const CommandConditions& now);

inline constexpr const char* kMeterBusyReason = "Meter busy: another command is talking to it";
inline constexpr const char* kNoReadingToRecord = "Needs a connected meter showing a reading";

}  // namespace orvane
