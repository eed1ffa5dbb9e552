// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two unit systems of the program. The meter's display unit picks one: cd/m2 is
// metric (main column "Lux", graph unit "lx"), fL imperial ("Fc", "fc"). Inside the
// program a system is this enum; the texts appear only where a file or a window shows
// them.
//
// One rule for a reading shown in the other system: a recording, the real-time list and
// the real-time graph each keep the system they started with, and a reading the meter
// shows in the other system is converted (every column, with 10.76 and as many
// significant digits as the meter shows; an over-range text is copied as it is).

#include <optional>
#include <string_view>

namespace orvane {

enum class UnitSystem { Metric, Imperial };

// The system of a display unit text: "cd/m2" or "fL"; nothing for any other text.
std::optional<UnitSystem> UnitSystemOfDisplay(std::string_view unitText);

// "Lux" or "Fc": the main column of a data file, a list or a chart.
const char* MainColumnName(UnitSystem system);
// "lx" or "fc": the real-time graph's unit.
const char* GraphUnitName(UnitSystem system);
// The system a graph unit text names ("fc" imperial, anything else metric).
UnitSystem UnitSystemOfGraphUnit(std::string_view graphUnit);

}  // namespace orvane
