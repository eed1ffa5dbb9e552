#pragma once
// The meter modes in which the data logger's memory is not read: any of these
// annunciators lit refuses the "Memory" command; "REC" alone refuses "Erase". The rule
// itself is the tool bar's (common/command_gate.h).

#include "common/command_gate.h"

namespace orvane {

// True while the meter is in a mode in which "Memory" does nothing.
bool MemoryRefused(const FlagLit& lit);
// True while the meter records ("REC" lit): "Erase" does nothing.
bool EraseRefused(const FlagLit& lit);

}  // namespace orvane
