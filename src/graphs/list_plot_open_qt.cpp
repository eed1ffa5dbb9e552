#include <QPointer>

#include "graphs/list_plot_open.h"
#include "graphs/list_plot_window.h"

namespace orvane {

namespace {
QPointer<ListPlotWindow>& OpenWindow() {
  static QPointer<ListPlotWindow> window;
  return window;
}
}  // namespace

void CloseListPlot(PanelContext& ctx) {
  if (QPointer<ListPlotWindow>& window = OpenWindow()) {
    window->close();
    window->deleteLater();
    window = nullptr;
  }
  ctx.state.PlotOpen = false;
}

void OpenListPlot(PanelContext& ctx) {
  CloseListPlot(ctx);
  auto* window = new ListPlotWindow(ctx.state, ctx.dialogs, ctx.panel);
  window->setAttribute(Qt::WA_DeleteOnClose);
  ctx.PlaceRightOfPanel(*window);
  window->show();
  window->raise();
  OpenWindow() = window;
}

}  // namespace orvane
