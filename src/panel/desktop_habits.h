// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop habits of the panel: a data file dropped on it opens in the plot; Quit and
// About, whose keys (Ctrl+Q, F1) work in every window of the program.

#include <QString>
#include <QStringList>
#include <functional>

#include "ui/command_row.h"

class QWidget;

namespace orvane {

class PanelWindow;

void InstallDesktopHabits(PanelWindow& panel);

// The data file among dropped or given paths (the first "*.lms" file), or an empty text.
QString DataFileAmong(const QStringList& paths);

// Runs `work` once the window is on the screen, so that a question it asks is centred
// on the window where it finally stands.
void WhenOnScreen(QWidget& window, std::function<void()> work);

// "Quit" and "About".
CommandRows ProgramCommands();

// The text of Help / About: the program and every command's key, from `table`.
QString AboutText(CommandRows table);

}  // namespace orvane
