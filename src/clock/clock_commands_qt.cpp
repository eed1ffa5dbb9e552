// SPDX-License-Identifier: GPL-3.0-or-later
// Tool bar RTC: the clock window. Refused by its row's rule while the meter records.
#include "clock/clock_commands_qt.h"

#include "clock/setup_window.h"

namespace orvane {

namespace {

void OpenClock(PanelContext& ctx, PanelControls&) {
  // The window takes the link for each of its exchanges; the poll and the record tick
  // run between them.
  Setup setup(ctx, ctx.panel);
  setup.exec();
}

}  // namespace

CommandRows ClockCommands() {
  static const CommandRow rows[] = {
      {.key = "RTC",
       .caption = "&Clock…",
       .toolTip = "Real Time Clock",
       .shortcut = "Ctrl+K",
       .icon = DrawClockIcon,
       .rule = CommandRule::LinkFreeRecDark,
       .run = OpenClock,
       .menu = CommandMenu::Meter,
       .toolbarPlace = 6,
       .label = "Clock"},
  };
  return rows;
}

}  // namespace orvane
