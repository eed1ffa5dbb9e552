// Tool bar RTC. (Placeholder until built.)
#include "panel/panel_commands.h"

namespace orvane {
void CommandRtc(PanelContext&, PanelControls&) {}
}  // namespace orvane
