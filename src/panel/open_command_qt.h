// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tool bar Open: read a data file into the plot data, show the plot, open the file in the
// user's text editor; and the data files opened last.

#include <QMenu>
#include <string>

#include "ui/command_row.h"

namespace orvane {

// Open and "Open recent".
CommandRows OpenCommands();

// "Open File to Read" for a file already chosen (dropped on the panel, named at start,
// picked from the recent files).
void OpenDataFile(PanelContext& ctx, const std::string& path);

// The menu of the data files opened last, filled each time it shows; a pick opens the
// file. It drops down from the arrow beside the Open button (found by key below `panel`)
// and, under that button, from "Open recent" in the menu bar and its key.
void AddRecentFilesMenu(PanelContext& ctx, PanelControls& controls, QWidget& panel);

// The Open button's menu items for the text editor: the check item "Also open in the
// text editor" (on unless turned off, remembered) and "Open in text editor" for the file
// the plot shows; added to `menu` each time it opens.
void AddEditorChoices(QMenu& menu, PanelContext& ctx);

}  // namespace orvane
