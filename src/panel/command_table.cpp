// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/command_table.h"

#include <vector>

#include "clock/clock_commands_qt.h"
#include "datalogger/datalogger_commands_qt.h"
#include "graphs/graph_commands_qt.h"
#include "lists/list_commands_qt.h"
#include "panel/desktop_habits.h"
#include "panel/meter_settings_qt.h"
#include "panel/open_command_qt.h"
#include "panel/recording_commands_qt.h"

namespace orvane {

namespace {

std::vector<CommandRow> Gather() {
  std::vector<CommandRow> table;
  for (CommandRows (*area)() :
       {RecordingCommands, OpenCommands, ProgramCommands, MeterSettingCommands, ListCommands,
        GraphCommands, ClockCommands, DataloggerCommands}) {
    const CommandRows rows = area();
    table.insert(table.end(), rows.begin(), rows.end());
  }
  return table;
}

}  // namespace

CommandRows PanelCommandTable() {
  static const std::vector<CommandRow> table = Gather();
  return table;
}

const CommandRow* FindCommand(const QString& key) {
  for (const CommandRow& row : PanelCommandTable()) {
    if (key == row.key) return &row;
  }
  return nullptr;
}

}  // namespace orvane
