#pragma once
// The panel's commands beyond the meter's own keys. The panel owns the controls, the
// timers and the link's owner and calls these. A command that opens a window of its area
// lives with that window (lists/, graphs/, clock/, datalogger/); Save, Open, Intv and
// RecSetup, which only ask the user and the meter, live here in panel/ beside the panel.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <optional>
#include <string>

#include "panel/panel_context.h"

namespace orvane {

// Panel controls the commands write.
struct PanelControls {
  QLabel* LblFileName = nullptr;
  QLabel* LblCount = nullptr;
  QLabel* LblRecording = nullptr;
  QAction* SaveButton = nullptr;  // tool bar button 1: image and tool tip change
  QComboBox* ComboErase = nullptr;
  bool RecordingEnabled = false;   // Save acts only while set
  bool WriteFailureShown = false;  // a failed record write is told once per recording
};

// Tool bar buttons, by key ("Save", "Open", "Intv", "List", "Graph", "RTC", "RecSetup",
// "Memory", "Erase").
void CommandSave(PanelContext& ctx, PanelControls& controls);
void CommandOpen(PanelContext& ctx, PanelControls& controls);
void CommandIntv(PanelContext& ctx, PanelControls& controls);
void CommandList(PanelContext& ctx, PanelControls& controls);
void CommandGraph(PanelContext& ctx, PanelControls& controls);
void CommandRtc(PanelContext& ctx, PanelControls& controls);
void CommandRecSetup(PanelContext& ctx, PanelControls& controls);
void CommandMemory(PanelContext& ctx, PanelControls& controls);
void CommandErase(PanelContext& ctx, PanelControls& controls);
// "Open File to Read" for a file already chosen (dropped on the panel, named at start,
// picked from the recent files).
void OpenDataFile(PanelContext& ctx, const std::string& path);
// The Open button's menu items for the text editor: the check item "Also open in the
// text editor" (on unless turned off, remembered) and "Open in text editor" for the file
// the plot shows; added to `menu` each time it opens.
void AddEditorChoices(QMenu& menu, PanelContext& ctx);
// A choice in the erase list.
void CommandEraseChosen(PanelContext& ctx, PanelControls& controls, int index);

// The one-second tick's work, given the record line's time "YYYY/MM/DD hh:nn:ss" and the
// reading decoded since the previous tick (nothing when there is none).
void RecordTick(PanelContext& ctx, PanelControls& controls, const std::string& time,
                const std::optional<LiveReading>& fresh);
void ListTick(PanelContext& ctx, const std::string& time, const std::optional<LiveReading>& fresh);

// Closing the panel: finish what holds user data (a running recording) first.
void FinishBeforeExit(PanelContext& ctx, PanelControls& controls);

// At start-up: offers to save a recording that was never finished.
void OfferUnfinishedRecording(PanelContext& ctx);

}  // namespace orvane
