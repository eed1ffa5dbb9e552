#include "datalogger/logger_flags.h"

#include <algorithm>

namespace orvane {

bool MemoryRefused(const FlagLit& lit) {
  return std::any_of(kMemoryRefusingFlags.begin(), kMemoryRefusingFlags.end(), lit);
}

bool EraseRefused(const FlagLit& lit) {
  return lit(kEraseRefusingFlag);
}

}  // namespace orvane
