// SPDX-License-Identifier: GPL-3.0-or-later
// What a user types into the input boxes: the sampling time and the recording period,
// and the range dialogs of the two graphs (minimum and maximum of the main quantity and
// of cd, the sweep's counts, the records From and To). The input's lines fill the boxes
// in that order; its first byte picks the unit and the number of records of the plot.
// An answer is either refused or leaves ranges, records and steps a chart can draw.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "graphs/range_entry.h"
#include "recording/meter_settings.h"

namespace {

using namespace orvane;

constexpr double kFull = 9999000;
constexpr double kPlotWidth = 500;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool Drawable(double min, double max) {
  return std::isfinite(min) && std::isfinite(max) && min >= 0 && max <= kFull && min < max;
}

// The live graph also draws a scale upside down (Min above Max), never one of no width.
bool DrawableEitherWay(double min, double max) {
  return Drawable(std::min(min, max), std::max(min, max));
}

bool GoodStep(double stepX) {
  return std::isfinite(stepX) && stepX > 0;
}

void Settings(const std::string& answer) {
  const SamplingAnswer s = ParseSamplingAnswer(answer);
  Check(s.kind != SamplingAnswer::Kind::Accepted || (s.seconds >= 1 && s.seconds <= 3600));
  if (const auto p = ParsePeriodAnswer(answer)) Check(*p >= 1 && *p <= 9999);
  for (char c : answer) {
    if (AcceptsKey(c, true))
      Check((c >= '0' && c <= '9') || c == '.' || c == ',' || c == kBackspace);
  }
}

void LiveRange(const RangeTexts& t, bool lux) {
  RangeRecord r{0, 0, 0, 0, 0, 0};
  double stepX = 1;
  if (ApplyLiveRange(t, lux ? "lx" : "fc", kPlotWidth, r, stepX)) return;
  Check(DrawableEitherWay(r.CdMin, r.CdMax));
  Check(lux ? DrawableEitherWay(r.LuxMin, r.LuxMax) : DrawableEitherWay(r.FcMin, r.FcMax));
  Check(GoodStep(stepX));
}

void PlotRange(const RangeTexts& t, bool lux, long records) {
  PlotData plot;
  plot.PlotUnit = lux ? "Lux" : "Fc";
  plot.PlotRecords = records;
  double stepX = 1;
  if (ApplyPlotRange(t, kPlotWidth, plot, stepX)) return;
  const RangeRecord& r = plot.PlotRange;
  Check(Drawable(r.CdMin, r.CdMax));
  Check(lux ? Drawable(r.LuxMin, r.LuxMax) : Drawable(r.FcMin, r.FcMax));
  Check(plot.PlotFrom >= 1 && plot.PlotFrom <= plot.PlotTo && plot.PlotTo <= records);
  Check(plot.PlotCount == plot.PlotTo - plot.PlotFrom + 1);
  Check(GoodStep(stepX));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool lux = (data[0] & 1) != 0;
  const long records = data[0] >> 1;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  RangeTexts t;
  std::string* boxes[] = {&t.TxtMn,     &t.TxtMx,   &t.TxtcdMn, &t.TxtcdMx,
                          &t.TxtCounts, &t.TxtFrom, &t.TxtTo};
  for (std::string* box : boxes) {
    std::getline(in, *box);
    Settings(*box);
  }
  LiveRange(t, lux);
  PlotRange(t, lux, records);
  return 0;
}
