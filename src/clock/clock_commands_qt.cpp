// Tool bar "RTC": the clock window, opened while the meter is not recording.
#include <algorithm>

#include "clock/setup_window.h"
#include "panel/panel_commands.h"

namespace orvane {

namespace {
// "REC" lit on the meter's display, as the poll last decoded it.
bool MeterRecording(const FrameDecoder& display) {
  return display.Flag("AnnREC");
}
}  // namespace

void CommandRtc(PanelContext& ctx, PanelControls&) {
  if (MeterRecording(ctx.display)) return;
  // The window takes the link for each of its exchanges; the poll and the record tick
  // run between them.
  Setup setup(ctx, ctx.panel);
  setup.exec();
}

}  // namespace orvane
