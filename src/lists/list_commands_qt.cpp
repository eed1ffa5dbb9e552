// Tool bar List and the list's part of the record tick. (Placeholder until built.)
#include "panel/panel_commands.h"

namespace orvane {
void CommandList(PanelContext&, PanelControls&) {}
void ListTick(PanelContext&, const std::string&) {}
}  // namespace orvane
