#pragma once
// What the panel hands to the windows it opens: the meter link, the decoded display,
// the shared program state, the dialogs, the editor launcher, the clock, the working
// folder and the panel's two timers (which every user of the link other than the poll
// stops around its requests).

#include <QTimer>
#include <QWidget>
#include <string>

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/live_reading.h"
#include "common/program_state.h"
#include "display/frame_decoder.h"
#include "link/meter_link.h"
#include "ui/window_places.h"

namespace orvane {

struct PanelContext {
  MeterLink& link;
  FrameDecoder& display;
  ProgramState& state;
  Dialogs& dialogs;
  Launcher& launcher;
  const Clock& clock;
  QTimer& timer1;  // the 250 ms poll
  QTimer& timer2;  // the one-second record tick
  QWidget* panel;  // secondary windows open right of it
  std::string workingFolder;

  LiveReading Reading() const {
    return MakeLiveReading(display.ReadingText(), display.KLit(), display.UnitText());
  }
  // Left = panel left + panel width, top = panel top, kept on the screen; the window's
  // remembered size.
  void PlaceRightOfPanel(QWidget& window) const { PlaceBesidePanel(window, panel); }
};

}  // namespace orvane
