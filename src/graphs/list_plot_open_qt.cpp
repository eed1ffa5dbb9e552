// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/list_plot_open_qt.h"

#include "graphs/list_plot_window.h"

namespace orvane {

void CloseListPlot(PanelContext& ctx) {
  if (auto* window = ctx.windows.Get<ListPlotWindow>(WindowKind::Plot)) {
    window->close();
    window->deleteLater();
  }
}

void OpenListPlot(PanelContext& ctx) {
  CloseListPlot(ctx);
  auto* window = new ListPlotWindow(ctx.state, ctx.dialogs, ctx.panel);
  window->setAttribute(Qt::WA_DeleteOnClose);
  ctx.windows.Keep(WindowKind::Plot, window);
  ctx.PlaceRightOfPanel(*window);
  window->show();
  window->raise();
}

}  // namespace orvane
