// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data logger's commands of the panel: its window, the erase list, erasing
// everything; and a choice in the erase list.

#include "ui/command_row.h"

namespace orvane {

// Memory, Erase and erasing all record sets.
CommandRows DataloggerCommands();

// Tool bar Erase: status, index, and the panel's erase list filled and shown.
void OpenEraseList(PanelContext& ctx, PanelControls& controls);
// A choice in the erase list.
void CommandEraseChosen(PanelContext& ctx, PanelControls& controls, int index);

}  // namespace orvane
