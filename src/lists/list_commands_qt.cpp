// Tool bar "List" and the list's part of the one-second record tick.
#include "lists/list_window.h"
#include "panel/panel_commands.h"

namespace orvane {

void CommandList(PanelContext& ctx, PanelControls&) {
  if (ctx.state.ListShown) return;
  ctx.state.ListRowCount = 0;
  auto* list = new List(ctx, ctx.panel);  // it deletes itself when closed
  ctx.windows.Keep(WindowKind::List, list);
  list->ShowRecording(ctx.state.RecordingOn);
  list->show();
}

// A row only for a reading decoded since the previous tick: the times show the gaps.
void ListTick(PanelContext& ctx, const std::string& time, const std::optional<LiveReading>& fresh) {
  if (!ctx.state.ListShown) return;
  List* list = ctx.windows.Get<List>(WindowKind::List);
  if (list == nullptr) return;
  list->ShowRecording(ctx.state.RecordingOn);
  if (!fresh) return;
  ++ctx.state.ListRowCount;
  list->AppendRows(MakeListRows(ctx.state.ListRowCount, time, *fresh, list->System()));
}

}  // namespace orvane
