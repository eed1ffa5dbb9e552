#include "graphs/chart.h"

#include <array>

namespace orvane {

ChartState LoadedChart(ChartKind kind) {
  ChartState chart;
  chart.kind = kind;
  return chart;
}

namespace {

struct Column {
  double offset;  // left of PlotLeft
  double Min;
  double Max;
  Colour colour;
};

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

void DrawLabels(Canvas& canvas, const ChartState& c, const Column* columns, int count) {
  for (int j = 0; j <= 8; ++j) {
    for (int i = 0; i < count; ++i) {
      const Column& col = columns[i];
      const std::string text =
          PlainDecimal(TruncateTwoDecimals(col.Min + (col.Max - col.Min) * j / 8));
      canvas.SetForeColour(col.colour);
      canvas.SetTextPosition(c.PlotLeft - col.offset - canvas.TextWidth(text) / 4,
                             c.PlotBottom - canvas.TextHeight(text) / 2 - c.PlotHeight * j / 8);
      canvas.PrintText(text);
    }
  }
}

void PrintHeading(Canvas& canvas, const ChartState& c, double offset, const char* text,
                  Colour colour) {
  canvas.SetForeColour(colour);
  canvas.SetTextPosition(c.PlotLeft - offset, c.PlotBottom - c.PlotHeight - 25);
  canvas.PrintText(text);
}

void DrawRealTimeScale(Canvas& canvas, ChartState& c, const RangeRecord& r) {
  const std::array<Column, 3> columns{{{48, r.LuxMin, r.LuxMax, kBlack},
                                       {108, r.CdMin, r.CdMax, kBlue},
                                       {168, r.FcMin, r.FcMax, kBlack}}};
  DrawLabels(canvas, c, columns.data(), static_cast<int>(columns.size()));
  canvas.FilledBox(c.PlotLeft, c.PlotBottom, c.PlotLeft + c.PlotWidth, c.PlotBottom - c.PlotHeight,
                   kWhite);
  c.LastX = 0;
  c.SweepX = -c.StepX;
  PrintHeading(canvas, c, 48, "Lux", kBlack);
  PrintHeading(canvas, c, 108, "cd", kBlue);
  PrintHeading(canvas, c, 168, "Fc", kBlack);
  canvas.SetForeColour(kBlack);
}

void DrawListScale(Canvas& canvas, const ChartState& c, const ChartScale& s) {
  const RangeRecord& r = s.range;
  const std::array<Column, 2> columns{{
      {32, s.mainIsLux ? r.LuxMin : r.FcMin, s.mainIsLux ? r.LuxMax : r.FcMax, kBlack},
      {72, r.CdMin, r.CdMax, kBlue},
  }};
  DrawLabels(canvas, c, columns.data(), static_cast<int>(columns.size()));
  PrintHeading(canvas, c, 30, s.mainIsLux ? "Lux" : "Fc", kBlack);
  PrintHeading(canvas, c, 80, "cd", kBlue);
  canvas.SetForeColour(kBlack);
}

}  // namespace

void DrawFrame(Canvas& canvas, ChartState& chart, const ChartScale& scale) {
  canvas.Clear();
  const ChartGeometry g = ComputeGeometry(chart.kind, canvas.Width(), canvas.Height());
  chart.PlotLeft = g.PlotLeft;
  chart.PlotBottom = g.PlotBottom;
  chart.PlotWidth = g.PlotWidth;
  chart.PlotHeight = g.PlotHeight;
  DrawAxes(canvas, chart);
  if (chart.kind == ChartKind::RealTime) {
    DrawRealTimeScale(canvas, chart, scale.range);
  } else {
    DrawListScale(canvas, chart, scale);
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
