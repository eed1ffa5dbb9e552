#include "datalogger/logger_flags.h"

namespace orvane {

bool MemoryRefused(const FlagLit& lit) {
  return CommandRefusal("Memory", CommandConditions{lit}).has_value();
}

bool EraseRefused(const FlagLit& lit) {
  return CommandRefusal("Erase", CommandConditions{lit}).has_value();
}

}  // namespace orvane
