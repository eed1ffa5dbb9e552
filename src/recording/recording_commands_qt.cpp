// Tool bar Save, Open, Intv and RecSetup; the record tick. (Placeholder until built.)
#include "panel/panel_commands.h"

namespace orvane {
void CommandSave(PanelContext&, PanelControls&) {}
void CommandOpen(PanelContext&, PanelControls&) {}
void CommandIntv(PanelContext&, PanelControls&) {}
void CommandRecSetup(PanelContext&, PanelControls&) {}
void RecordTick(PanelContext& ctx, PanelControls& controls, const std::string&) {
  if (ctx.state.RecordingOn) return;
  controls.LblFileName->clear();
  controls.LblCount->clear();
  controls.LblRecording->clear();
  ctx.state.RecordCount = 0;
}
void FinishBeforeExit(PanelContext&, PanelControls&) {}
}  // namespace orvane
