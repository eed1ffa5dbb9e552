// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RealTimeGraph ("Graphic Display"): the live reading as a strip chart, one sample a
// second, with lux, cd and fc scales. A second without a reading decoded since the
// previous one draws nothing.
//
// The readings taken since the window opened stay (the newest day of them): a resize, a
// range or unit change or a new scale draws the current sweep again from them, and the
// sweep goes on where it was. While Auto is on (as the window opens) the scales fit the
// readings at round limits and widen at once for a reading outside them; a typed range
// turns Auto off, the "Auto" key on again. "Clear" forgets the readings and starts a new
// sweep.

#include <functional>
#include <optional>

#include "common/clock.h"
#include "common/live_reading.h"
#include "common/program_state.h"
#include "graphs/canvas_record.h"
#include "graphs/chart_base_window.h"
#include "graphs/chart_title.h"
#include "graphs/live_history.h"
#include "graphs/real_time_sweep.h"

class QAction;

namespace orvane {

class RealTimeGraphWindow final : public ChartBaseWindow {
  Q_OBJECT

 public:
  // `freshReading` gives the reading decoded since its previous call, or nothing.
  using FreshReading = std::function<std::optional<LiveReading>()>;
  RealTimeGraphWindow(ProgramState& state, FreshReading freshReading, const Clock& clock,
                      Dialogs& dialogs, QWidget* parent = nullptr);

  void Timer1_Timer();
  void DrawFrame() override;
  // The "Auto" and "Clear" keys.
  void SetAutoScale(bool on);
  bool AutoScale() const { return auto_; }
  void CmdClear_Click();
  const LiveHistory& History() const { return history_; }
  // What the window shows, drawn again for paper or a file, titled "Live" with the times
  // of the first and last sample of the sweep shown.
  ChartOutput Output() override;
  ChartTitle Title() const;

 protected:
  RangeTexts CurrentRangeTexts() const override;
  std::optional<std::string> ApplyTypedRange(const RangeTexts& typed) override;
  // The readings taken since the window opened, in the unit system of the first one.
  const PlotData& CsvRecords() const override;

 private:
  void AddKeys();
  // Fits the scales to the readings so far; true when that changed them.
  bool FitScales();
  // Draws the samples of the current sweep that fit the plot, from the history.
  void DrawSweepAgain();
  void DrawEntry(std::uint64_t number);

  ProgramState& state_;
  FreshReading reading_;
  const Clock& clock_;
  LiveHistory history_;
  mutable PlotData csv_;
  bool auto_ = true;
  std::uint64_t sweepStart_ = 0;  // number of the entry at the left edge of the sweep
  OverRangeMarks marks_;
  QAction* cmdAuto_ = nullptr;
  CanvasRecord drawn_{canvas_};  // the window's surface, and what was drawn on it
};

}  // namespace orvane
