#pragma once
// The panel's tool bar: nine buttons, one handler that branches on the button's key.

#include <QString>
#include <QToolBar>
#include <functional>

namespace orvane {

struct ToolbarButton {
  const char* key;
  const char* toolTip;
};

// In order, as the tool bar shows them.
inline constexpr ToolbarButton kToolbarButtons[] = {
    {"Save", "Save As"},
    {"Open", "Open File to Read"},
    {"Intv", "Sampling Rate"},
    {"List", "List Display"},
    {"Graph", "Graphic Display"},
    {"RTC", "Real Time Clock"},
    {"RecSetup", "Recording Setup"},
    {"Memory", "Data Logger"},
    {"Erase", "Erase Data Logger"},
};

// Builds Toolbar1 on `parent`; each button's QAction has its key as objectName and
// calls `onClick` with it.
QToolBar* BuildPanelToolbar(QWidget& parent, std::function<void(const QString&)> onClick);

// The icon of a tool bar button by key, and the one the Save button shows while a
// recording runs ("Stop").
QIcon ToolbarIcon(const QString& key);

}  // namespace orvane
