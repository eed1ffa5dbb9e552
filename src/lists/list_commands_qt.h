// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real-time list's commands of the panel, and its part of the one-second tick.

#include <optional>
#include <string>

#include "ui/command_row.h"

namespace orvane {

// List: opens the real-time list window.
CommandRows ListCommands();

// A row for the reading decoded since the previous tick (nothing when there is none),
// stamped `time` ("YYYY/MM/DD hh:nn:ss"), while the list is open.
void ListTick(PanelContext& ctx, const std::string& time, const std::optional<LiveReading>& fresh);

}  // namespace orvane
