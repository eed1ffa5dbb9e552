// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The meter's keys as the panel's keypad shows them: caption, key code, place, and what
// the meter does with them; and the rule that turns a press into the code sent. The
// panel's keypad and `orvane-cli key` both press keys through this table.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/requests.h"

namespace orvane {

struct PanelKey {
  const char* caption;
  std::uint8_t code;  // the CmdBtn index and key code; REF (Cmdref) sends its own code
  int left;           // place in the panel's client area, twips; every key 1215 wide
  int top;
  int height;
  const char* does;  // what the meter does with it, in a few words
};

// clang-format off
inline constexpr std::array<PanelKey, 16> kPanelKeys{{
  // caption     code          left  top   height  what the meter does
  {"H",       key::kHold,     480, 5520, 975, "holds the reading (again: goes on measuring)"},
  {"SET",     key::kSet,     1800, 5520, 975, "enters or leaves the setting mode; --long: READ"},
  {"MX / MN", key::kMaxMin,  3120, 5520, 975, "steps through maximum, minimum and the reading"},
  {"RANGE",   key::kRange,   4440, 5520, 975, "steps through the ranges and back to auto"},
  {"LIGHT",   key::kLight,   5760, 5520, 975, "switches the backlight"},
  {"MEM",     key::kMem,      480, 6600, 975, "starts or stops the meter's own recording (REC)"},
  {"READ",    key::kRead,    1800, 6600, 975, "reads back what the meter stored"},
  {"CMP",     key::kCmp,     3120, 6600, 975, "the compare mode (CMP)"},
  {"AVG",     key::kAvg,     4440, 6600, 975, "averaging (AVG)"},
  {"Delta/%", key::kDelta,   5760, 6600, 495, "difference to a reference (sends 26 while R-H is lit)"},
  {"REF",     key::kRef,     5760, 7080, 495, "takes the reference; only while R-H is lit"},
  {"A",       key::kA,        480, 7680, 975, "key A (the built-in meter: switches the unit)"},
  {"B",       key::kB,       1800, 7680, 975, "key B"},
  {"TIME",    key::kTime,    3120, 7680, 975, "shows the meter's clock"},
  {"ENTER",   key::kEnter,   4440, 7680, 975, "takes the blinking setting"},
  {"ACC",     key::kAcc,     5760, 7680, 975, "accumulation (ACC)"},
}};
// clang-format on

// The key captioned `caption` (as in the table; upper or lower case), or null.
const PanelKey* FindPanelKey(std::string_view caption);

// The keypad key that sends `code`, or null.
const PanelKey* PanelKeyOfCode(int code);

// What a press sends, or why the panel sends nothing.
struct KeyPress {
  std::optional<std::uint8_t> code;
  std::string refusal;  // set when there is no code
};

// The code a press of `key` sends with the meter's display as it stands: "Delta/%" sends
// 26 while R-H is lit; REF works only while R-H is lit (the panel greys it otherwise);
// a long press (held over 3 s) exists for SET only, and sends READ's code.
KeyPress PressPanelKey(const PanelKey& key, bool longPress, bool rhLit);

inline constexpr const char* kRefNeedsRh = "REF works only while R-H is lit on the meter";
inline constexpr const char* kNoLongPress = "only SET has a long press (held over 3 s: READ)";

}  // namespace orvane
