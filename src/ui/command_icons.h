// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictograms of the panel's commands, drawn by our own code on a 32 x 32 grid. A row
// of the command table names the one its command shows.

#include <QIcon>
#include <QPainter>

namespace orvane {

using IconDraw = void (*)(QPainter&);

void DrawRecordIcon(QPainter& p);
void DrawOpenIcon(QPainter& p);
void DrawSamplingIcon(QPainter& p);
void DrawListIcon(QPainter& p);
void DrawGraphIcon(QPainter& p);
void DrawClockIcon(QPainter& p);
void DrawPeriodIcon(QPainter& p);
void DrawLoggerIcon(QPainter& p);
void DrawEraseIcon(QPainter& p);
void DrawStopIcon(QPainter& p);
void DrawQuitIcon(QPainter& p);
void DrawAboutIcon(QPainter& p);

// The icon drawn by `draw`, sharp at pixel ratios 1 and 2; an empty icon for none.
QIcon CommandIcon(IconDraw draw);

}  // namespace orvane
