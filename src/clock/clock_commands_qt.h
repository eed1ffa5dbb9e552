// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock window's command of the panel.

#include "ui/command_row.h"

namespace orvane {

// RTC: the clock window, as a modal dialog.
CommandRows ClockCommands();

}  // namespace orvane
