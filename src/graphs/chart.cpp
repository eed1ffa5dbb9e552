// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/chart.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace orvane {

ChartState LoadedChart(ChartKind kind) {
  ChartState chart;
  chart.kind = kind;
  return chart;
}

namespace {

struct Column {
  double offset;  // left of PlotLeft, as designed
  double Min;
  double Max;
  Colour colour;
  const char* heading;
  double headingOffset;
};

constexpr double kTickClearance = 10;  // the long tick marks left of the axis
constexpr double kLabelGap = 2;

std::string LabelText(const Column& col, int j) {
  return PlainDecimal(TruncateTwoDecimals(col.Min + (col.Max - col.Min) * j / 8));
}

// The scale columns of a chart, from the axis outwards.
std::vector<Column> ScaleColumns(ChartKind kind, const ChartScale& s) {
  const RangeRecord& r = s.range;
  if (kind == ChartKind::RealTime) {
    return {{48, r.LuxMin, r.LuxMax, kBlack, "Lux", 48},
            {108, r.CdMin, r.CdMax, kBlue, "cd", 108},
            {168, r.FcMin, r.FcMax, kBlack, "Fc", 168}};
  }
  return {{32, s.mainIsLux ? r.LuxMin : r.FcMin, s.mainIsLux ? r.LuxMax : r.FcMax, kBlack,
           s.mainIsLux ? "Lux" : "Fc", 30},
          {72, r.CdMin, r.CdMax, kBlue, "cd", 80}};
}

// Where the scale's labels stand, as offsets from the axis (negative). Each row is placed
// from the axis outwards: a label stands where the design puts it unless that would run
// into the tick marks or the label of the column inside it, in which case it moves left
// just far enough. A column's heading moves with its top label.
struct ScaleLayout {
  std::vector<std::array<double, 9>> labelX;      // [column][row]
  std::vector<std::array<double, 9>> labelWidth;  // [column][row]
  std::vector<double> headingX;                   // [column]
};

ScaleLayout LayOutScale(Canvas& canvas, const std::vector<Column>& columns) {
  const std::size_t n = columns.size();
  ScaleLayout layout{std::vector<std::array<double, 9>>(n), std::vector<std::array<double, 9>>(n),
                     std::vector<double>(n)};
  for (std::size_t j = 0; j <= 8; ++j) {
    double limit = -kTickClearance;  // right edge the next label may reach
    for (std::size_t i = 0; i < n; ++i) {
      const double width = canvas.TextWidth(LabelText(columns[i], static_cast<int>(j)));
      const double designed = -columns[i].offset - width / 4;
      const double x = std::min(designed, limit - width);
      limit = x - kLabelGap;
      layout.labelX[i][j] = x;
      layout.labelWidth[i][j] = width;
      if (j == 8) layout.headingX[i] = -columns[i].headingOffset - (designed - x);
    }
  }
  return layout;
}

// Labels that would start left of the window move right, from the outermost column in,
// each kept clear of the one outside it. The band (LabelBandWidth) leaves room for that.
void KeepInWindow(ScaleLayout& layout, double plotLeft) {
  const double windowEdge = kLabelGap - plotLeft;
  for (std::size_t j = 0; j <= 8; ++j) {
    double minX = windowEdge;
    for (std::size_t i = layout.labelX.size(); i-- > 0;) {
      layout.labelX[i][j] = std::max(layout.labelX[i][j], minX);
      minX = layout.labelX[i][j] + layout.labelWidth[i][j] + kLabelGap;
    }
  }
  for (double& x : layout.headingX) x = std::max(x, windowEdge);
}

// How wide the labels left of the axis need to be when no two may overlap.
double LabelBandWidth(const ScaleLayout& layout) {
  double band = kTickClearance + kLabelGap;
  for (const auto& widths : layout.labelWidth) {
    band += *std::max_element(widths.begin(), widths.end()) + kLabelGap;
  }
  return band;
}

void DrawAxes(Canvas& canvas, const ChartState& c) {
  canvas.SetPenWidth(2);
  canvas.SetForeColour(kBlack);
  const double axisX = c.PlotLeft - 2;
  canvas.Line(axisX, c.PlotBottom + 5, axisX, c.PlotBottom - c.PlotHeight - 5, kBlack);
  canvas.Line(axisX, c.PlotBottom + 6, c.PlotLeft + c.PlotWidth + 2, c.PlotBottom + 6, kBlack);
  canvas.SetPenWidth(1);
  for (int k = 0; k <= 16; ++k) {
    const double y = c.PlotBottom - c.PlotHeight * k / 16;
    canvas.Line(axisX, y, c.PlotLeft - 7, y, kBlack);
    if (k % 2 == 0) canvas.Line(axisX, y, c.PlotLeft - 10, y, kBlack);
  }
}

void DrawScale(Canvas& canvas, const ChartState& c, const std::vector<Column>& columns,
               const ScaleLayout& layout) {
  for (int j = 0; j <= 8; ++j) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const std::string text = LabelText(columns[i], j);
      canvas.SetForeColour(columns[i].colour);
      canvas.SetTextPosition(c.PlotLeft + layout.labelX[i][static_cast<std::size_t>(j)],
                             c.PlotBottom - canvas.TextHeight(text) / 2 - c.PlotHeight * j / 8);
      canvas.PrintText(text);
    }
  }
  for (std::size_t i = 0; i < columns.size(); ++i) {
    canvas.SetForeColour(columns[i].colour);
    canvas.SetTextPosition(c.PlotLeft + layout.headingX[i], c.PlotBottom - c.PlotHeight - 25);
    canvas.PrintText(columns[i].heading);
  }
  canvas.SetForeColour(kBlack);
}

}  // namespace

void DrawFrame(Canvas& canvas, ChartState& chart, const ChartScale& scale) {
  canvas.Clear();
  const std::vector<Column> columns = ScaleColumns(chart.kind, scale);
  ScaleLayout layout = LayOutScale(canvas, columns);
  const ChartGeometry g =
      ComputeGeometry(chart.kind, canvas.Width(), canvas.Height(), LabelBandWidth(layout));
  KeepInWindow(layout, g.PlotLeft);
  chart.PlotLeft = g.PlotLeft;
  chart.PlotBottom = g.PlotBottom;
  chart.PlotWidth = g.PlotWidth;
  chart.PlotHeight = g.PlotHeight;
  DrawAxes(canvas, chart);
  DrawScale(canvas, chart, columns, layout);
  if (chart.kind == ChartKind::RealTime) {
    canvas.FilledBox(chart.PlotLeft, chart.PlotBottom, chart.PlotLeft + chart.PlotWidth,
                     chart.PlotBottom - chart.PlotHeight, kWhite);
    chart.LastX = 0;
    chart.SweepX = -chart.StepX;
  }
}

void DrawGrid(Canvas& canvas, const ChartState& c) {
  const Colour grid = PaletteColour(c.GridColor);
  const double half = c.PlotBottom - c.PlotHeight / 2;
  canvas.SetDash(DashStyle::Solid);
  canvas.Line(c.PlotLeft - 2, half, c.PlotLeft + c.PlotWidth + 2, half, grid);
  canvas.SetDash(DashStyle::Dotted);
  for (int k : {1, 7, 6, 5, 8, 3, 2, 0}) {
    const double y = c.PlotBottom - c.PlotHeight * k / 8;
    canvas.Line(c.PlotLeft, y, c.PlotLeft + c.PlotWidth, y, grid);
  }
  canvas.SetDash(DashStyle::Solid);
}

void DrawCurvePoint(Canvas& canvas, ChartState& c, Curve which, double y) {
  double& lastY = which == Curve::Main ? c.LastMainY : c.LastCdY;
  const double newY = c.PlotBottom - y;
  if (c.LastX != 0 && c.SweepX != 0) {
    canvas.SetDash(DashStyle::Solid);
    canvas.SetPenWidth(1);
    canvas.Line(c.LastX, lastY, c.PlotLeft + c.SweepX, newY, which == Curve::Main ? kBlack : kBlue);
  }
  lastY = newY;
}

void DrawHalfTick(Canvas& canvas, const ChartState& c, double x) {
  canvas.SetDash(DashStyle::Solid);
  canvas.Line(x, c.PlotBottom - 3.8 * c.PlotHeight / 8, x, c.PlotBottom - 4.2 * c.PlotHeight / 8,
              PaletteColour(c.GridColor));
}

void DrawDottedMarker(Canvas& canvas, const ChartState& c, double x) {
  canvas.SetDash(DashStyle::Dotted);
  canvas.Line(x, c.PlotBottom, x, c.PlotBottom - c.PlotHeight - 10, PaletteColour(c.GridColor));
  canvas.SetDash(DashStyle::Solid);
}

}  // namespace orvane
