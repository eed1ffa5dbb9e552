// SPDX-License-Identifier: GPL-3.0-or-later
// Tool bar Graph: opens the real-time graph, or shows it again, on the full range with its
// scales fitted to the readings (Auto).
#include "graphs/graph_commands_qt.h"

#include <memory>

#include "display/fresh_frames.h"
#include "graphs/real_time_graph_window.h"
#include "graphs/real_time_sweep.h"

namespace orvane {

namespace {

void OpenGraph(PanelContext& ctx, PanelControls&) {
  auto* window = ctx.windows.Get<RealTimeGraphWindow>(WindowKind::Graph);
  ctx.state.GraphUnit = GraphUnitOf(ctx.Reading());
  ctx.state.LiveRange = FullLiveRange(ctx.state.GraphUnit);
  if (window) {
    // Back to the scales as the window opens: fitted to the readings, drawn again.
    window->SetAutoScale(true);
  } else {
    auto frames = std::make_shared<FreshFrames>(ctx.display.FramesDecoded());
    auto fresh = [&ctx, frames]() -> std::optional<LiveReading> {
      if (!frames->Take(ctx.display.FramesDecoded())) return std::nullopt;
      return ctx.Reading();
    };
    window = new RealTimeGraphWindow(ctx.state, fresh, ctx.clock, ctx.dialogs, ctx.panel);
    window->setAttribute(Qt::WA_DeleteOnClose);
    ctx.windows.Keep(WindowKind::Graph, window);
    ctx.PlaceRightOfPanel(*window);
  }
  window->show();
  window->raise();
  window->Timer1().start();
}

}  // namespace

CommandRows GraphCommands() {
  static const CommandRow rows[] = {
      {.key = "Graph",
       .caption = "&Graph",
       .toolTip = "Graphic Display",
       .shortcut = "Ctrl+G",
       .icon = DrawGraphIcon,
       .rule = CommandRule::None,
       .run = OpenGraph,
       .menu = CommandMenu::Windows,
       .toolbarPlace = 5},
  };
  return rows;
}

}  // namespace orvane
