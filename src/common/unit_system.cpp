// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/unit_system.h"

namespace orvane {

std::optional<UnitSystem> UnitSystemOfDisplay(std::string_view unitText) {
  if (unitText == "cd/m2") return UnitSystem::Metric;
  if (unitText == "fL") return UnitSystem::Imperial;
  return std::nullopt;
}

const char* MainColumnName(UnitSystem system) {
  return system == UnitSystem::Metric ? "Lux" : "Fc";
}

const char* GraphUnitName(UnitSystem system) {
  return system == UnitSystem::Metric ? "lx" : "fc";
}

UnitSystem UnitSystemOfGraphUnit(std::string_view graphUnit) {
  return graphUnit == "fc" ? UnitSystem::Imperial : UnitSystem::Metric;
}

}  // namespace orvane
