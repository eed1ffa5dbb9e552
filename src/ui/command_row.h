// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A row of the command table: everything the panel needs to offer one command, in the
// tool bar, the menu bar and as a key, and to run it or refuse it. Each area exports the
// rows of its own commands beside the functions that run them; the panel gathers the
// rows (panel/command_table.h) and builds its tool bar, menu bar and keys from them.
// Adding a command is one row and one function in the area's folder.

#include <span>

#include "common/command_gate.h"
#include "ui/command_icons.h"
#include "ui/panel_context.h"

namespace orvane {

// The menu of the panel's menu bar that lists the command.
enum class CommandMenu { File, Meter, Windows, DataLogger, Help };

using CommandRun = void (*)(PanelContext& ctx, PanelControls& controls);

struct CommandRow {
  const char* key;              // the command's name; objectName of its action
  const char* caption;          // the menu entry, with its "&" mnemonic
  const char* toolTip;          // what it does, the first line of the tool tip
  const char* shortcut;         // portable key text ("Ctrl+S"), shown in the menu
  IconDraw icon;                // its pictogram
  CommandRule rule;             // when it is refused
  CommandRun run;               // the work
  CommandMenu menu;             // where the menu bar lists it
  int toolbarPlace = 0;         // 1.. its place in the tool bar; 0: not in the tool bar
  const char* label = nullptr;  // its tool bar text when text labels are on (else the key)
  bool anyWindow = false;       // its key works in every window of the program
};

using CommandRows = std::span<const CommandRow>;

// Runs the command of `row` unless `now` refuses it; a refusal is told once, through
// ctx.notice, as "<tool tip>: <reason>". True when the command ran.
bool RunCommand(const CommandRow& row, PanelContext& ctx, PanelControls& controls,
                const CommandConditions& now);

}  // namespace orvane
