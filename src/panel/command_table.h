// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's command table: the rows every area exports for its commands, gathered in
// menu order. The panel builds its tool bar, menu bar and keys from it, and its one
// dispatcher runs or refuses a command by the row's rule.

#include <QString>

#include "ui/command_row.h"

namespace orvane {

// Every command of the panel, once; the menus list them in this order.
CommandRows PanelCommandTable();

// The row of `key`, or none.
const CommandRow* FindCommand(const QString& key);

}  // namespace orvane
