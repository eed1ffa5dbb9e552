#pragma once
// The panel's tool bar: nine buttons, one handler that branches on the button's key.

#include <QString>
#include <QToolBar>
#include <functional>

namespace orvane {

struct ToolbarButton {
  const char* key;
  const char* toolTip;
  const char* label;  // the short text shown under the icon when text labels are on
};

// In order, as the tool bar shows them.
inline constexpr ToolbarButton kToolbarButtons[] = {
    {"Save", "Save As", "Record"},
    {"Open", "Open File to Read", "Open"},
    {"Intv", "Sampling Rate", "Sampling"},
    {"List", "List Display", "List"},
    {"Graph", "Graphic Display", "Graph"},
    {"RTC", "Real Time Clock", "Clock"},
    {"RecSetup", "Recording Setup", "Period"},
    {"Memory", "Data Logger", "Logger"},
    {"Erase", "Erase Data Logger", "Erase"},
};
// The Save button's label while a recording runs.
inline constexpr const char* kStopLabel = "Stop";

// Builds Toolbar1 on `parent`; each button's QAction has its key as objectName and
// calls `onClick` with it.
QToolBar* BuildPanelToolbar(QWidget& parent, std::function<void(const QString&)> onClick);

// Text labels under the icons, or icons only; the tool bar's context menu offers the
// choice ("ToolbarTextLabels") and `onChange` hears it.
void ShowToolbarText(QToolBar& bar, bool shown);
void AddToolbarTextChoice(QToolBar& bar, std::function<void(bool)> onChange);

// The icon of a tool bar button by key, and the one the Save button shows while a
// recording runs ("Stop").
QIcon ToolbarIcon(const QString& key);

}  // namespace orvane
