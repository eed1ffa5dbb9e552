// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tool bar Save: recording the reading to a data file once a second, and finishing the
// data file when the recording stops or the panel closes.

#include <optional>
#include <string>

#include "ui/command_row.h"

namespace orvane {

// Save: starts a recording, or stops the one that runs.
CommandRows RecordingCommands();
void CommandSave(PanelContext& ctx, PanelControls& controls);

// The one-second tick's work, given the record line's time "YYYY/MM/DD hh:nn:ss" and the
// reading decoded since the previous tick (nothing when there is none).
void RecordTick(PanelContext& ctx, PanelControls& controls, const std::string& time,
                const std::optional<LiveReading>& fresh);

// Closing the panel: finish what holds user data (a running recording) first.
void FinishBeforeExit(PanelContext& ctx, PanelControls& controls);

// At start-up: offers to save a recording that was never finished.
void OfferUnfinishedRecording(PanelContext& ctx);

}  // namespace orvane
