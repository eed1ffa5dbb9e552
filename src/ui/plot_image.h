#pragma once
// The list plot of a data file's records drawn off screen, exactly as the list plot window
// draws it, for image export without a window.

#include <QImage>

#include "common/program_state.h"

namespace orvane {

// The records PlotFrom..PlotTo of `plot` on a white surface of the given size, both curves
// shown. A stretch that does not exist gives the frame and grid only.
QImage ListPlotImage(const PlotData& plot, int width, int height);

}  // namespace orvane
