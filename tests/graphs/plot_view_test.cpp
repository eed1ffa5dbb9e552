// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/plot_view.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "graphs/range_entry.h"
#include "support/plot_records.h"

namespace orvane {
namespace {

// 1000 records whose main reading is their number, record 500 over range, cd 750 all
// through; a plot area 500 pixels wide from x = 90.
struct ViewRig {
  PlotData plot = test::PlotRecords(
      1000, [](int i) { return i == 500 ? std::string("OL") : std::to_string(i); }, "750");
  PlotView view{plot};
  ChartState chart = LoadedChart(ChartKind::List);
  ViewRig() {
    chart.PlotLeft = 90;
    chart.PlotWidth = 500;
    chart.PlotBottom = 453;
    chart.PlotHeight = 380;
  }
  // The range dialog's OK with From and To typed and the scales left as they are.
  bool TypeRecords(const std::string& from, const std::string& to) {
    RangeTexts typed = PlotRangeTexts(plot);
    typed.TxtFrom = from;
    typed.TxtTo = to;
    view.Remember();
    double step = 0;
    if (ApplyPlotRange(typed, chart.PlotWidth, plot, step)) return false;
    view.Typed();
    return true;
  }
};

// Every way of changing the view, one after the other: the stretch, the scales, and what
// the range dialog shows then (the same state).
TEST(PlotView, WheelDragFitBackWholeAndTypedRecordsAreOneState) {
  ViewRig rig;
  struct Step {
    const char* what;
    std::function<bool(ViewRig&)> act;
    bool changed;
    long from, to;
    double luxMin, luxMax, cdMin, cdMax;
  };
  const auto x = [](double share) { return 90 + 500 * share; };
  const Step steps[] = {
      {"wheel in at the middle: a fifth fewer, the middle record stays",
       [&](ViewRig& r) { return r.view.Wheel(r.chart, x(0.5), 1); }, true, 101, 900, 0, 1000, 0,
       1000},
      {"fit: round limits of the readings shown, the over-range one left out",
       [](ViewRig& r) { return r.view.Fit(); }, true, 101, 900, 0, 1600, 710, 790},
      {"drag over the second quarter: fitted again",
       [&](ViewRig& r) { return r.view.Select(r.chart, x(0.5), x(0.25)); }, true, 301, 501, 280,
       600, 710, 790},
      {"a click is no drag", [&](ViewRig& r) { return r.view.Select(r.chart, x(0.3), x(0.3)); },
       false, 301, 501, 280, 600, 710, 790},
      {"back to the fitted wheel view", [](ViewRig& r) { return r.view.Back(); }, true, 101, 900, 0,
       1600, 710, 790},
      {"back to the scales before Fit", [](ViewRig& r) { return r.view.Back(); }, true, 101, 900, 0,
       1000, 0, 1000},
      {"whole file", [](ViewRig& r) { return r.view.Whole(); }, true, 1, 1000, 0, 1000, 0, 1000},
      {"whole file again changes nothing", [](ViewRig& r) { return r.view.Whole(); }, false, 1,
       1000, 0, 1000, 0, 1000},
      {"records typed in the range dialog", [](ViewRig& r) { return r.TypeRecords("10", "20"); },
       true, 10, 20, 0, 1000, 0, 1000},
      {"back undoes the typed records", [](ViewRig& r) { return r.view.Back(); }, true, 1, 1000, 0,
       1000, 0, 1000},
      {"wheel out with the whole file shown",
       [&](ViewRig& r) { return r.view.Wheel(r.chart, x(0.2), -1); }, false, 1, 1000, 0, 1000, 0,
       1000},
      {"wheel far in at the left edge: two records at least",
       [&](ViewRig& r) { return r.view.Wheel(r.chart, x(0), 40); }, true, 1, 2, 0, 1000, 0, 1000},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.act(rig), s.changed) << s.what;
    const RangeRecord& r = rig.plot.PlotRange;
    EXPECT_EQ(rig.plot.PlotFrom, s.from) << s.what;
    EXPECT_EQ(rig.plot.PlotTo, s.to) << s.what;
    EXPECT_EQ(rig.plot.PlotCount, s.to - s.from + 1) << s.what;
    EXPECT_EQ(r.LuxMin, s.luxMin) << s.what;
    EXPECT_EQ(r.LuxMax, s.luxMax) << s.what;
    EXPECT_EQ(r.CdMin, s.cdMin) << s.what;
    EXPECT_EQ(r.CdMax, s.cdMax) << s.what;
    const RangeTexts dialog = PlotRangeTexts(rig.plot);
    EXPECT_EQ(dialog.TxtFrom, std::to_string(s.from)) << s.what;
    EXPECT_EQ(dialog.TxtTo, std::to_string(s.to)) << s.what;
  }
}

TEST(PlotView, PointerFindsItsRecordAndTheReadoutShowsItAsTheFileHoldsIt) {
  ViewRig rig;
  rig.plot.PlotMain = {};
  for (int i = 1; i <= 1000; ++i) rig.plot.PlotMain.push_back(i == 3 ? "OL" : "12.30");
  rig.plot.PlotCd = {};
  for (int i = 1; i <= 1000; ++i) rig.plot.PlotCd.push_back(i == 2 ? "1.25K" : "7");
  struct Case {
    double x;
    long record;
    const char* readout;
  };
  const Case cases[] = {
      {89, 0, ""},  // left of the plot area
      {90, 1, "Record 1   2024/05/17 08:00:01   Lux 12.30   cd 7"},
      {90.5, 2, "Record 2   2024/05/17 08:00:02   Lux 12.30   cd 1250"},
      {91, 3, "Record 3   2024/05/17 08:00:03   Lux OL   cd 7"},
      {589, 999, "Record 999   2024/05/17 08:16:39   Lux 12.30   cd 7"},
      {600, 0, ""},  // right of it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rig.view.RecordAt(rig.chart, c.x), c.record) << c.x;
    EXPECT_EQ(ReadoutText(rig.plot, c.record), c.readout) << c.x;
  }
  EXPECT_EQ(PlotView::XOfRecord(rig.chart, rig.plot, 501), 340);
}

}  // namespace
}  // namespace orvane
