// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_row.h"

namespace orvane {

bool RunCommand(const CommandRow& row, PanelContext& ctx, PanelControls& controls,
                const CommandConditions& now) {
  if (const std::optional<std::string> refusal = CommandRefusal(row.rule, now)) {
    if (ctx.notice) ctx.notice(std::string(row.toolTip) + ": " + *refusal);
    return false;
  }
  row.run(ctx, controls);
  return true;
}

}  // namespace orvane
