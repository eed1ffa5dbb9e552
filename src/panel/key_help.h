// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the visible keys of the panel do on the meter, for their tool tips, and the name a
// screen reader says for each ("MX / MN key"). The meter acts on a key itself; these
// words describe what its keys are for, and the display shows what came of the press.

#include <QString>
#include <QWidget>
#include <string_view>

#include "link/requests.h"

namespace orvane {

struct KeyHelp {
  int code;  // the key code the key sends (REF: key::kRef)
  const char* what;
};

// clang-format off
inline constexpr KeyHelp kKeyHelp[] = {
  {key::kHold,   "Holds the reading on the meter's display, or lets it go"},
  {key::kSet,    "Enters or leaves the meter's setting mode"},
  {key::kMaxMin, "Shows the highest and lowest readings the meter has taken"},
  {key::kRange,  "Changes the meter's measuring range"},
  {key::kLight,  "Switches the light of the meter's display"},
  {key::kMem,    "Stores the reading in the meter's memory"},
  {key::kRead,   "Shows the readings stored in the meter's memory"},
  {key::kCmp,    "Compares the reading with the meter's limits"},
  {key::kAvg,    "Averages the meter's readings"},
  {key::kDelta,  "Shows the reading as a difference from a reference"},
  {key::kRef,    "Takes the reading as the reference (while R-H is lit)"},
  {key::kA,      "Stores or shows the meter's value A"},
  {key::kB,      "Stores or shows the meter's value B"},
  {key::kTime,   "Shows the meter's clock"},
  {key::kEnter,  "Confirms a setting on the meter"},
  {key::kAcc,    "Accumulates the reading over time on the meter"},
};
// clang-format on

// Gives a visible key its accessible name ("<caption> key") and a tool tip with what it
// does on the meter.
inline void DescribeKey(QWidget& key, std::string_view caption, int code) {
  const QString name = QString::fromUtf8(caption.data(), static_cast<int>(caption.size()));
  key.setAccessibleName(name + " key");
  for (const KeyHelp& help : kKeyHelp) {
    if (help.code != code) continue;
    key.setToolTip(QStringLiteral("%1: %2").arg(name, QString::fromUtf8(help.what)));
    key.setAccessibleDescription(QString::fromUtf8(help.what));
  }
}

}  // namespace orvane
