// Tool bar "RTC": the clock window, opened while the meter is not recording.
#include <algorithm>

#include "clock/setup_window.h"
#include "common/command_gate.h"
#include "panel/panel_commands.h"

namespace orvane {

namespace {
// The meter's mode as the poll last decoded it refuses the clock window ("REC" lit).
bool RefusedByMeterMode(const FrameDecoder& display) {
  return CommandRefusal("RTC", {[&display](std::string_view f) { return display.Flag(f); }})
      .has_value();
}
}  // namespace

void CommandRtc(PanelContext& ctx, PanelControls&) {
  if (RefusedByMeterMode(ctx.display)) return;
  // The window takes the link for each of its exchanges; the poll and the record tick
  // run between them.
  Setup setup(ctx, ctx.panel);
  setup.exec();
}

}  // namespace orvane
