// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reading that is recorded, listed and charted, taken from the display in one place.
//
// The main text is the display's reading text with a capital "K" appended while a "K"
// multiplier is lit. The display's unit picks the system (common/unit_system.h). The cd
// text is the same displayed reading. No distance is known, so distance fields stay blank.

#include <string>
#include <string_view>

#include "common/unit_system.h"

namespace orvane {

inline constexpr double kLuxPerFootCandle = 10.76;
inline constexpr double kFullScale = 9999000.0;

struct LiveReading {
  std::string text;                        // e.g. "12.34", "1.25K", "OL"
  std::string cdText;                      // the same displayed reading
  UnitSystem system = UnitSystem::Metric;  // of the display's unit (metric while unknown)
  bool known = false;                      // a frame with a known unit has arrived
};

// The texts of a reading in one unit system: the main column and the cd column.
struct ReadingTexts {
  std::string text;
  std::string cdText;
};
// The reading in `system`: as shown when the display shows that system (or no known
// unit), otherwise both columns converted.
ReadingTexts ReadingIn(const LiveReading& reading, UnitSystem system);

LiveReading MakeLiveReading(std::string_view readingText, bool kLit, std::string_view unitText);

// True when a reading text carries no number (over range: it contains a capital "L").
bool IsOverRange(std::string_view text);

// The value of a reading text: a capital "K" after the digits means thousands.
double ReadingValue(std::string_view text);

// The reading converted to the other system (lux to fc when `luxToFc`, else fc to lux)
// with as many significant digits as the reading shows. An over-range text, or one
// with no digits, is copied as it is.
std::string ConvertReadingText(std::string_view text, bool luxToFc);

}  // namespace orvane
