// SPDX-License-Identifier: GPL-3.0-or-later
// Which commands run now: the meter's recording and measuring modes, a link held
// by another command, and a recording with nothing to record.

#include "common/command_gate.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace orvane {
namespace {

struct Now {
  Now(std::set<std::string, std::less<>> symbols = {}, bool held = false, bool recording = false,
      bool known = true)
      : lit(std::move(symbols)), linkHeld(held), recordingOn(recording), readingKnown(known) {}
  std::set<std::string, std::less<>> lit;
  bool linkHeld;
  bool recordingOn;
  bool readingKnown;
};

std::string Refusal(CommandRule rule, const Now& now) {
  CommandConditions c{[&now](std::string_view f) { return now.lit.contains(f); }};
  c.linkHeld = now.linkHeld;
  c.recordingOn = now.recordingOn;
  c.readingKnown = now.readingKnown;
  return CommandRefusal(rule, c).value_or("runs");
}

// The rules of the panel's commands, as their rows name them.
constexpr CommandRule kSave = CommandRule::NeedsReading;
constexpr CommandRule kOpen = CommandRule::None;  // also List, Graph, Quit, About
constexpr CommandRule kList = CommandRule::None;
constexpr CommandRule kGraph = CommandRule::None;
constexpr CommandRule kIntv = CommandRule::LinkFree;
constexpr CommandRule kRtc = CommandRule::LinkFreeRecDark;  // also RecSetup, Erase
constexpr CommandRule kRecSetup = CommandRule::LinkFreeRecDark;
constexpr CommandRule kErase = CommandRule::LinkFreeRecDark;
constexpr CommandRule kMemory = CommandRule::LinkFreeNoMode;

constexpr const char* kRecLit = "Not while the meter records (REC is lit)";

TEST(CommandGate, TheMetersModeTheLinkAndTheReadingDecide) {
  const struct {
    CommandRule rule;
    Now now;
    std::string expected;
  } cases[] = {
      // nothing lit: every command runs
      {kSave, {}, "runs"},
      {kOpen, {}, "runs"},
      {kIntv, {}, "runs"},
      {kList, {}, "runs"},
      {kGraph, {}, "runs"},
      {kRtc, {}, "runs"},
      {kRecSetup, {}, "runs"},
      {kMemory, {}, "runs"},
      {kErase, {}, "runs"},
      // REC refuses the clock, the period, the logger and erasing; not sampling or files
      {kRtc, {{"AnnREC"}}, kRecLit},
      {kRecSetup, {{"AnnREC"}}, kRecLit},
      {kMemory, {{"AnnREC"}}, kRecLit},
      {kErase, {{"AnnREC"}}, kRecLit},
      {kIntv, {{"AnnREC"}}, "runs"},
      {kSave, {{"AnnREC"}}, "runs"},
      {kOpen, {{"AnnREC"}}, "runs"},
      // a measuring mode refuses only the logger, and names the symbol
      {kMemory, {{"AnnMX"}}, "Not while MX is lit on the meter"},
      {kMemory, {{"AnnSET"}}, "Not while SET is lit on the meter"},
      {kMemory, {{"AnnAVG1"}}, "Not while AVG is lit on the meter"},
      {kErase, {{"AnnMX"}}, "runs"},
      {kRtc, {{"AnnSET"}}, "runs"},
      {kRecSetup, {{"AnnCMP"}}, "runs"},
      // symbols that are no mode refuse nothing
      {kMemory, {{"AnnAPO", "AnnRH", "AnnH", "AnnPK"}}, "runs"},
      // the link held: every command that talks to the meter waits
      {kIntv, {{}, true}, kMeterBusyReason},
      {kMemory, {{"AnnREC"}, true}, kMeterBusyReason},
      {kErase, {{}, true}, kMeterBusyReason},
      {kList, {{}, true}, "runs"},
      {kOpen, {{}, true}, "runs"},
      {kSave, {{}, true}, "runs"},
      // recording needs a reading; a running one can always be stopped
      {kSave, {{}, false, false, false}, kNoReadingToRecord},
      {kSave, {{}, false, true, false}, "runs"},
      {kOpen, {{"AnnREC"}, true}, "runs"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Refusal(c.rule, c.now), c.expected) << static_cast<int>(c.rule);
  }
}

TEST(CommandGate, EachOfTheEighteenModesRefusesTheLogger) {
  for (const ModeSymbol& mode : kMemoryRefusingModes) {
    const std::string refusal = Refusal(kMemory, {{std::string(mode.flag)}});
    EXPECT_NE(refusal, "runs") << mode.flag;
    EXPECT_NE(refusal.find(std::string(mode.symbol)), std::string::npos) << mode.flag;
  }
}

}  // namespace
}  // namespace orvane
