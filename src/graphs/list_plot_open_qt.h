// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Showing the list plot of the records in the program state (filled by reading a data
// file): a window already open is closed first, so a replay never reads records that are
// being replaced.

#include "ui/panel_context.h"

namespace orvane {

// Closes the list plot window if it is open. Call before replacing the plot data.
void CloseListPlot(PanelContext& ctx);
// Closes any open list plot and shows a new one, right of the panel, which draws the data.
void OpenListPlot(PanelContext& ctx);

}  // namespace orvane
