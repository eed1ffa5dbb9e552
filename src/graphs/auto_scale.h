// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scales that fit the readings: round limits a little wider than the readings, split into
// equal steps of a round size, so that every scale label is a round number.

namespace orvane {

struct ScaleFit {
  double lo = 0;
  double hi = 0;
  double step = 0;  // (hi - lo) / divisions
};

// The round scale for readings from `min` to `max` (either order): `divisions` equal steps
// of 1, 2, 2.5, 4 or 5 times a power of ten (at least 0.01), `lo` a whole number of steps,
// with a margin of a twentieth of the readings' span on each side (of a twentieth of the
// value when all readings are equal). A scale of readings that are none of them negative
// never starts below 0. Non-finite input gives 0 .. divisions.
ScaleFit FitScale(double min, double max, int divisions = 8);

}  // namespace orvane
