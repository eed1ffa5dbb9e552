// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real-time graph's command of the panel.

#include "ui/command_row.h"

namespace orvane {

// Graph: opens the real-time graph, or shows it again, on the full range.
CommandRows GraphCommands();

}  // namespace orvane
