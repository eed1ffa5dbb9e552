// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the list plot shows, and how a user explores it: the stretch of records is the plot
// data's PlotFrom..PlotTo (the numbers the range dialog's From and To show, so the dialog
// and the zoom are one state) and the scales are its PlotRange. The mouse wheel zooms the
// time axis around the pointer, a drag picks a stretch, Fit sets the scales to the
// readings shown, Whole file shows every record, and Back returns to the view before the
// last change, however it was made.

#include <string>
#include <vector>

#include "common/program_state.h"
#include "graphs/chart.h"

namespace orvane {

// The scales of a stretch at round limits: from the in-range readings of the records
// From..To. A column without an in-range reading keeps its range. Over-range readings take
// no part: they are drawn at the top edge.
void FitPlotRange(PlotData& plot);

// What the readout says of a record: "Record 12   2024/05/17 10:00:12   Lux 523.1   cd 48.6",
// each reading with the decimals the file wrote, "OL" where it was over range.
std::string ReadoutText(const PlotData& plot, long record);

class PlotView {
 public:
  explicit PlotView(PlotData& plot) : plot_(plot) {}

  // The record drawn nearest to the absolute x, or 0 when x lies outside the plot area or
  // no record is shown.
  long RecordAt(const ChartState& chart, double x) const;
  // The x where a record of the stretch is drawn.
  static double XOfRecord(const ChartState& chart, const PlotData& plot, long record);

  // Each returns true when the view changed (and the chart needs drawing anew).
  // Wheel notches at x: positive zooms in (a fifth fewer records per notch), negative out;
  // the record under the pointer stays there.
  bool Wheel(const ChartState& chart, double x, int notches);
  // A drag from x1 to x2 shows the records between; a click (one record) changes nothing.
  bool Select(const ChartState& chart, double x1, double x2);
  bool Fit();
  bool Whole();
  bool Back();
  bool CanGoBack() const { return !history_.empty(); }
  // Once Fit was chosen, every new stretch is fitted too, until a range is typed.
  bool Fitted() const { return fitted_; }

  // A range typed in the range dialog: kept so that Back returns to the view before it.
  // Call Remember before applying it and Typed after it was applied.
  void Remember();
  void Typed();

 private:
  struct Shown {
    long from = 0;
    long to = 0;
    RangeRecord range;
    bool fitted = false;
  };
  Shown Now() const { return {plot_.PlotFrom, plot_.PlotTo, plot_.PlotRange, fitted_}; }
  bool Show(long from, long to);  // the stretch changed, the view before remembered
  void Push(const Shown& shown);

  PlotData& plot_;
  std::vector<Shown> history_;
  Shown beforeTyped_;
  bool fitted_ = false;
};

}  // namespace orvane
