// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/live_history.h"

#include <algorithm>
#include <cmath>

#include "graphs/auto_scale.h"

namespace orvane {

void Extremes::Take(const StoredReading& r) {
  if (r.overRange) return;
  min = any ? std::min(min, r.value) : r.value;
  max = any ? std::max(max, r.value) : r.value;
  any = true;
}

LiveHistory::LiveHistory(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void LiveHistory::Add(const LiveReading& reading, const DateTime& when) {
  if (reading.known && !systemSet_) {
    system_ = reading.system;
    systemSet_ = true;
  }
  const ReadingTexts texts = ReadingIn(reading, system_);
  const LiveEntry entry{ToSerialSeconds(when), StoredReadingOf(texts.text),
                        StoredReadingOf(texts.cdText), reading.known};
  if (ring_.size() < capacity_) {
    ring_.push_back(entry);
  } else {
    ring_[end_ % capacity_] = entry;
  }
  ++end_;
  count_ = std::min(count_ + 1, capacity_);
  main_.Take(entry.main);
  cd_.Take(entry.cd);
}

void LiveHistory::Clear() {
  count_ = 0;
  main_ = {};
  cd_ = {};
}

PlotData LiveHistory::Records() const {
  PlotData plot;
  plot.PlotUnit = MainColumnName(system_);
  for (std::uint64_t n = First(); n < End(); ++n) {
    const LiveEntry& e = At(n);
    if (!e.known) continue;
    plot.PlotTimes.push_back(FormatDateTime(FromSerialSeconds(e.seconds)));
    plot.PlotMain.push_back(e.main);
    plot.PlotCd.push_back(e.cd);
  }
  plot.PlotRecords = static_cast<long>(plot.PlotMain.size());
  plot.PlotFrom = plot.PlotRecords > 0 ? 1 : 0;
  plot.PlotTo = plot.PlotRecords;
  plot.PlotCount = plot.PlotRecords;
  return plot;
}

namespace {

// The factor from the kept system to the graph's: 1, or 10.76 either way.
double Factor(UnitSystem kept, const std::string& graphUnit) {
  const UnitSystem shown = UnitSystemOfGraphUnit(graphUnit);
  if (kept == shown) return 1;
  return shown == UnitSystem::Imperial ? 1 / kLuxPerFootCandle : kLuxPerFootCandle;
}

StoredReading Scaled(StoredReading r, double factor) {
  r.value *= factor;
  return r;
}

}  // namespace

LiveValues ValuesIn(const LiveEntry& e, UnitSystem kept, const std::string& graphUnit) {
  // A reading taken before the unit was known counts as one in the kept system.
  const double f = Factor(kept, graphUnit);
  return {Scaled(e.main, f), Scaled(e.cd, f)};
}

std::optional<RangeRecord> FittedLiveRange(const LiveHistory& history, const std::string& graphUnit,
                                           const RangeRecord& current) {
  const Extremes& main = history.Main();
  const Extremes& cd = history.Cd();
  if (!main.any && !cd.any) return std::nullopt;
  RangeRecord r = current;
  if (main.any) {
    const double f = Factor(history.System(), graphUnit);
    const ScaleFit fit = FitScale(main.min * f, main.max * f);
    if (graphUnit == "lx") {
      r.LuxMin = fit.lo;
      r.LuxMax = fit.hi;
      r.FcMin = std::trunc(100 * r.LuxMin / kLuxPerFootCandle) / 100;
      r.FcMax = std::trunc(100 * r.LuxMax / kLuxPerFootCandle) / 100;
    } else {
      r.FcMin = fit.lo;
      r.FcMax = fit.hi;
      r.LuxMin = std::trunc(100 * r.FcMin * kLuxPerFootCandle) / 100;
      r.LuxMax = std::trunc(100 * r.FcMax * kLuxPerFootCandle) / 100;
    }
  }
  if (cd.any) {
    const double f = Factor(history.System(), graphUnit);
    const ScaleFit fit = FitScale(cd.min * f, cd.max * f);
    r.CdMin = fit.lo;
    r.CdMax = fit.hi;
  }
  return r;
}

}  // namespace orvane
