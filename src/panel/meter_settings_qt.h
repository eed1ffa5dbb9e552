// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tool bar Intv and RecSetup: the meter's sampling time and recording period.

#include "ui/command_row.h"

namespace orvane {

// Intv and RecSetup.
CommandRows MeterSettingCommands();

}  // namespace orvane
