// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's icon: the desktop theme's "orvane" icon when installed, else a small
// picture of the meter's LCD drawn here.

#include <QIcon>

namespace orvane {

QIcon AppIcon();

}  // namespace orvane
