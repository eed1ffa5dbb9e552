// Tool bar Graph. (Placeholder until built.)
#include "panel/panel_commands.h"

namespace orvane {
void CommandGraph(PanelContext&, PanelControls&) {}
}  // namespace orvane
