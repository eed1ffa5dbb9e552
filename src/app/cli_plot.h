// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// orvane-cli plot, as both programs register it: orvane-cli, which hands the command to
// the drawing program (cli_plot_launch.cpp), and orvane-cli-plot, which draws
// (cli_plot.cpp). Only orvane-cli-plot loads Qt GUI and the font libraries, so the other
// commands start without them.

#include "app/cli.h"

namespace orvane::cli {

inline Command PlotCommand(int (*run)(const Args& args)) {
  return Command{"plot",
                 "FILE.lms --out OUT.png|OUT.pdf|OUT.svg [--size 1280x720] [--from N --to M]",
                 "draw a data file's list plot into a PNG, PDF or SVG file",
                 {"out", "size", "from", "to"},
                 run,
                 {},
                 1,
                 1};
}

}  // namespace orvane::cli
