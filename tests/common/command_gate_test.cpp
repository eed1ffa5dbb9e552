// Which tool-bar commands run now: the meter's recording and measuring modes, a link held
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

std::string Refusal(std::string_view key, const Now& now) {
  CommandConditions c{[&now](std::string_view f) { return now.lit.contains(f); }};
  c.linkHeld = now.linkHeld;
  c.recordingOn = now.recordingOn;
  c.readingKnown = now.readingKnown;
  return CommandRefusal(key, c).value_or("runs");
}

constexpr const char* kRecLit = "Not while the meter records (REC is lit)";

TEST(CommandGate, TheMetersModeTheLinkAndTheReadingDecide) {
  const struct {
    const char* key;
    Now now;
    std::string expected;
  } cases[] = {
      // nothing lit: every command runs
      {"Save", {}, "runs"},
      {"Open", {}, "runs"},
      {"Intv", {}, "runs"},
      {"List", {}, "runs"},
      {"Graph", {}, "runs"},
      {"RTC", {}, "runs"},
      {"RecSetup", {}, "runs"},
      {"Memory", {}, "runs"},
      {"Erase", {}, "runs"},
      // REC refuses the clock, the period, the logger and erasing; not sampling or files
      {"RTC", {{"AnnREC"}}, kRecLit},
      {"RecSetup", {{"AnnREC"}}, kRecLit},
      {"Memory", {{"AnnREC"}}, kRecLit},
      {"Erase", {{"AnnREC"}}, kRecLit},
      {"Intv", {{"AnnREC"}}, "runs"},
      {"Save", {{"AnnREC"}}, "runs"},
      {"Open", {{"AnnREC"}}, "runs"},
      // a measuring mode refuses only the logger, and names the symbol
      {"Memory", {{"AnnMX"}}, "Not while MX is lit on the meter"},
      {"Memory", {{"AnnSET"}}, "Not while SET is lit on the meter"},
      {"Memory", {{"AnnAVG1"}}, "Not while AVG is lit on the meter"},
      {"Erase", {{"AnnMX"}}, "runs"},
      {"RTC", {{"AnnSET"}}, "runs"},
      {"RecSetup", {{"AnnCMP"}}, "runs"},
      // symbols that are no mode refuse nothing
      {"Memory", {{"AnnAPO", "AnnRH", "AnnH", "AnnPK"}}, "runs"},
      // the link held: every command that talks to the meter waits
      {"Intv", {{}, true}, kMeterBusyReason},
      {"Memory", {{"AnnREC"}, true}, kMeterBusyReason},
      {"Erase", {{}, true}, kMeterBusyReason},
      {"List", {{}, true}, "runs"},
      {"Open", {{}, true}, "runs"},
      {"Save", {{}, true}, "runs"},
      // recording needs a reading; a running one can always be stopped
      {"Save", {{}, false, false, false}, kNoReadingToRecord},
      {"Save", {{}, false, true, false}, "runs"},
      {"Toolbar", {{"AnnREC"}, true}, "runs"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Refusal(c.key, c.now), c.expected) << c.key;
  }
}

TEST(CommandGate, EachOfTheEighteenModesRefusesTheLogger) {
  for (const ModeSymbol& mode : kMemoryRefusingModes) {
    const std::string refusal = Refusal("Memory", {{std::string(mode.flag)}});
    EXPECT_NE(refusal, "runs") << mode.flag;
    EXPECT_NE(refusal.find(std::string(mode.symbol)), std::string::npos) << mode.flag;
  }
}

}  // namespace
}  // namespace orvane
