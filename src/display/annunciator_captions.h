// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names a user reads for the meter's LCD symbols: the symbol's caption on the panel
// ("REC", "USB", "Y/M/D"), and a word for the four symbols that are pictures. Indexed as
// the symbol table (display/annunciators.h), in byte order.

#include <array>
#include <string_view>

#include "display/annunciators.h"

namespace orvane {

// clang-format off
inline constexpr std::array<std::string_view, kAnnunciatorCount> kAnnunciatorCaptions = {{
  "APO", "R-H", "PK", "REC", "MX", "-", "MN", "AVG", "H", "REF", "ACC",  // 20..30
  "UP", "CMP", "DOWN", "A", "B", ".h", ".h", "ZERO", "CAF", "CCF",       // 31..40
  "S", "+", "L", "T-H", "SET", "DELTA", "A/B", "%A", "B-A", "USB",       // 41..50
  "CYCLE", "AVG", "NO.", "A", "M", "R", "INTV", "Y/M/D", "h:m:s",        // 51..59
  "%", "h",                                                              // 64 bits 0, 1
}};
// clang-format on

static_assert(kAnnunciatorCaptions[AnnunciatorIndex("AnnREC")] == "REC" &&
              kAnnunciatorCaptions[AnnunciatorIndex("AnnUSB")] == "USB" &&
              kAnnunciatorCaptions[AnnunciatorIndex("AnnHMS")] == "h:m:s" &&
              kAnnunciatorCaptions[AnnunciatorIndex("AnnSmallH")] == "h");

}  // namespace orvane
