// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list plot of a data file's records drawn off screen for a file, exactly as the list
// plot window's export draws it.

#include <QImage>
#include <string>

#include "common/program_state.h"
#include "ui/chart_image_file.h"

namespace orvane {

// The records PlotFrom..PlotTo of `plot`, both curves shown, with the title line naming
// `name`, as a chart of the given size. A stretch that does not exist gives the frame and
// grid only. `plot` must outlive the result.
ChartOutput ListPlotOutput(PlotData& plot, const std::string& name, int width, int height);

// The same drawn as an image.
QImage ListPlotImage(const PlotData& plot, int width, int height);

}  // namespace orvane
