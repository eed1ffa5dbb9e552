// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the windows open: a secondary window right of the panel (left = panel left +
// panel width, top = panel top), but never off the screen; the panel where the user
// left it. The panel's place and every window's size are remembered between runs once
// the program turns its settings on (program_settings.h).

#include <QRect>
#include <QString>

#include "ui/program_settings.h"

class QWidget;

namespace orvane {

// The frame `frame` moved (left, then up) and, where it is larger, made smaller so that
// it lies inside `screen`.
QRect KeptOnScreen(QRect frame, const QRect& screen);

// Gives a secondary window its remembered size and puts it right of `panel`, on the
// panel's screen: a window too large for the room there is made smaller (not below its
// minimum size), then moved left or up. A window the user moved away from where it was
// put opens where they left it (kept on the screen) instead. Its size, and its place once
// moved, are remembered again whenever it is hidden or closed.
void PlaceBesidePanel(QWidget& window, const QWidget* panel);
// Puts the panel where it was when the program last ended, kept on the screen, and
// remembers its place whenever it is hidden or closed.
void RestorePanelPlace(QWidget& panel);

}  // namespace orvane
