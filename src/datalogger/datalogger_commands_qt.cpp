// Tool bar Memory and Erase, the erase list. (Placeholder until built.)
#include "panel/panel_commands.h"

namespace orvane {
void CommandMemory(PanelContext&, PanelControls&) {}
void CommandErase(PanelContext&, PanelControls&) {}
void CommandEraseChosen(PanelContext&, PanelControls&, int) {}
}  // namespace orvane
