#pragma once
// The data logger's commands of the panel's tool bar that tests drive with the symbols
// they choose (the tool bar passes the display's).

#include "datalogger/logger_flags.h"
#include "panel/panel_commands.h"

namespace orvane {

// Tool bar "Erase": status, index, and the panel's erase list filled and shown.
void OpenEraseList(PanelContext& ctx, PanelControls& controls, const FlagLit& lit);

}  // namespace orvane
