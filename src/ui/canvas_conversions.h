// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Canvas's colours and 8-bit texts as Qt takes them, for every Qt side of Canvas.

#include <QColor>
#include <QString>
#include <string_view>

#include "graphs/canvas.h"

namespace orvane {

inline QColor ToQColor(Colour c) {
  return QColor(c.r, c.g, c.b);
}

// Each byte one character, as the program's texts are 8-bit.
inline QString ToQString(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace orvane
