// Tool bar "List" and the list's part of the one-second record tick.
#include <QPointer>

#include "lists/list_window.h"
#include "panel/panel_commands.h"

namespace orvane {

namespace {
// The open real-time list, if any; it deletes itself when closed.
QPointer<List>& OpenList() {
  static QPointer<List> list;
  return list;
}
}  // namespace

void CommandList(PanelContext& ctx, PanelControls&) {
  if (ctx.state.ListShown) return;
  ctx.state.ListRowCount = 0;
  auto* list = new List(ctx, ctx.panel);
  OpenList() = list;
  list->show();
  ctx.state.ListShown = true;
}

// A row only for a reading decoded since the previous tick: the times show the gaps.
void ListTick(PanelContext& ctx, const std::string& time, const std::optional<LiveReading>& fresh) {
  if (!ctx.state.ListShown || !fresh) return;
  List* list = OpenList();
  if (list == nullptr) return;
  ++ctx.state.ListRowCount;
  list->AppendRows(MakeListRows(ctx.state.ListRowCount, time, *fresh, list->System()));
}

}  // namespace orvane
