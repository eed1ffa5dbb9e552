// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart both graph windows draw: a frame of two axes with ticks, one column of scale
// labels per quantity, a dotted grid at every eighth of the height, and up to two curves
// (main reading black, cd blue) that grow from left to right, one point per sample.

#include <string>

#include "common/program_state.h"
#include "graphs/canvas.h"
#include "graphs/chart_math.h"

namespace orvane {

// One window's chart state.
struct ChartState {
  ChartKind kind = ChartKind::RealTime;
  double PlotLeft = 0;
  double PlotBottom = 0;
  double PlotWidth = 0;
  double PlotHeight = 0;
  double StepX = 1;      // distance between two samples
  double SweepX = 0;     // x of the current sample, relative to PlotLeft
  double LastX = 0;      // absolute x of the previous sample; 0 = none
  double LastMainY = 0;  // absolute y of the previous point of each curve
  double LastCdY = 0;
  int GridColor = 7;
  bool ShowMainCurve = true;
  bool ShowCdCurve = true;
  std::string TimeLabel;
};

// A new chart state as the window's load sets it.
ChartState LoadedChart(ChartKind kind);

// The scale: the ranges, and whether the list plot's main column is in lux. The real-time
// chart always labels all three columns.
struct ChartScale {
  RangeRecord range;
  bool mainIsLux = true;
};

// Recomputes the geometry from the canvas size and draws axes, ticks, labels and headings.
// The real-time chart also clears its plot area and restarts the sweep.
void DrawFrame(Canvas& canvas, ChartState& chart, const ChartScale& scale);

// The horizontal grid over the plot area, in the grid colour.
void DrawGrid(Canvas& canvas, const ChartState& chart);

enum class Curve { Main, Cd };
// The segment from the previous point of a curve to the current sample at height y above
// the zero line; the first sample of a sweep only sets the starting point.
void DrawCurvePoint(Canvas& canvas, ChartState& chart, Curve which, double y);

// The short tick across the half-height line, and the dotted vertical marker line.
void DrawHalfTick(Canvas& canvas, const ChartState& chart, double x);
void DrawDottedMarker(Canvas& canvas, const ChartState& chart, double x);

}  // namespace orvane
