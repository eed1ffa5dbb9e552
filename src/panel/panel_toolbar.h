// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's tool bar and menu bar, built from the command table: one action per
// command, listed in its menu and, when it has a place there, in the tool bar. Every
// action calls one handler with its key.

#include <QMenuBar>
#include <QString>
#include <QToolBar>
#include <functional>
#include <vector>

#include "ui/command_row.h"

namespace orvane {

// Toolbar1 on `parent`, still empty.
QToolBar* BuildPanelToolbar(QWidget& parent);
// The menu bar "MenuBar" on `parent`: File, Meter, Windows, Data logger, Help, still empty.
QMenuBar* BuildPanelMenuBar(QWidget& parent);

// One action per row of `table`, in table order: objectName its key, its menu's entry
// with the key shown, its tool tip (shown in the menu too), and its button in `bar` at
// its place (the action is then the tool bar's child, else the menu bar's). A trigger
// calls `onRun` with the key.
std::vector<QAction*> AddCommands(QToolBar& bar, QMenuBar& menus, CommandRows table,
                                  std::function<void(const QString&)> onRun);

// Text labels under the icons, or icons only; the tool bar's context menu offers the
// choice ("ToolbarTextLabels") and `onChange` hears it.
void ShowToolbarText(QToolBar& bar, bool shown);
void AddToolbarTextChoice(QToolBar& bar, std::function<void(bool)> onChange);

}  // namespace orvane
