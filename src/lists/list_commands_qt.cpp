// SPDX-License-Identifier: GPL-3.0-or-later
// Tool bar List and the list's part of the one-second record tick.
#include "lists/list_commands_qt.h"

#include "lists/list_window.h"

namespace orvane {

namespace {

void OpenList(PanelContext& ctx, PanelControls&) {
  if (ctx.windows.ListShown()) return;
  ctx.state.ListRowCount = 0;
  auto* list = new List(ctx, ctx.panel);  // it deletes itself when closed
  ctx.windows.Keep(WindowKind::List, list);
  list->ShowRecording(ctx.recording.RecordingOn());
  list->show();
}

}  // namespace

CommandRows ListCommands() {
  static const CommandRow rows[] = {
      {.key = "List",
       .caption = "Real-time &list",
       .toolTip = "List Display",
       .shortcut = "Ctrl+L",
       .icon = DrawListIcon,
       .rule = CommandRule::None,
       .run = OpenList,
       .menu = CommandMenu::Windows,
       .toolbarPlace = 4},
  };
  return rows;
}

// A row only for a reading decoded since the previous tick: the times show the gaps.
void ListTick(PanelContext& ctx, const std::string& time, const std::optional<LiveReading>& fresh) {
  List* list = ctx.windows.Shown<List>(WindowKind::List);
  if (list == nullptr) return;
  list->ShowRecording(ctx.recording.RecordingOn());
  if (!fresh) return;
  ++ctx.state.ListRowCount;
  list->AppendRows(MakeListRows(ctx.state.ListRowCount, time, *fresh, list->System()));
}

}  // namespace orvane
