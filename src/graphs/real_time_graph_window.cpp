// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/real_time_graph_window.h"

#include <QAction>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "graphs/real_time_sweep.h"

namespace orvane {

RealTimeGraphWindow::RealTimeGraphWindow(ProgramState& state, FreshReading reading,
                                         const Clock& clock, Dialogs& dialogs, QWidget* parent)
    : ChartBaseWindow(ChartKind::RealTime,
                      {"Graphic Display", "Graphic Unit", "Graphic Range", false}, dialogs, parent),
      state_(state),
      reading_(std::move(reading)),
      clock_(clock) {
  setObjectName("RealTimeGraph");
  AddKeys();
  resize(720, 480);
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void RealTimeGraphWindow::AddKeys() {
  cmdAuto_ = new QAction("Auto", this);
  cmdAuto_->setObjectName("CmdAuto");
  cmdAuto_->setCheckable(true);
  cmdAuto_->setChecked(true);
  cmdAuto_->setToolTip("Fit the scales to the readings (a typed range turns this off)");
  connect(cmdAuto_, &QAction::triggered, this, [this] { SetAutoScale(true); });
  auto* clear = new QAction("Clear", this);
  clear->setObjectName("CmdClear");
  clear->setToolTip("Forget the readings shown and start a new sweep");
  connect(clear, &QAction::triggered, this, [this] { CmdClear_Click(); });
  // After Range, before Print: the keys that change what the chart shows stand together.
  const QList<QAction*> keys = Toolbar()->actions();
  QAction* before = keys.size() > 2 ? keys[2] : nullptr;
  Toolbar()->insertAction(before, cmdAuto_);
  Toolbar()->insertAction(before, clear);
}

void RealTimeGraphWindow::SetAutoScale(bool on) {
  HideDialogs();
  auto_ = on;
  cmdAuto_->setChecked(on);
  DrawFrame();
}

void RealTimeGraphWindow::CmdClear_Click() {
  HideDialogs();
  history_.Clear();
  DrawFrame();
}

bool RealTimeGraphWindow::FitScales() {
  const auto fitted = FittedLiveRange(history_, state_.GraphUnit, state_.LiveRange);
  if (!fitted) return false;
  const RangeRecord& r = state_.LiveRange;
  const bool same = fitted->LuxMin == r.LuxMin && fitted->LuxMax == r.LuxMax &&
                    fitted->FcMin == r.FcMin && fitted->FcMax == r.FcMax &&
                    fitted->CdMin == r.CdMin && fitted->CdMax == r.CdMax;
  state_.LiveRange = *fitted;
  return !same;
}

void RealTimeGraphWindow::DrawFrame() {
  if (auto_) FitScales();
  orvane::DrawFrame(drawn_, chart_, ChartScale{state_.LiveRange, state_.GraphUnit == "lx"});
  DrawSweepAgain();
  update();
}

void RealTimeGraphWindow::DrawSweepAgain() {
  sweepStart_ = std::max(sweepStart_, history_.First());
  if (history_.Empty()) {
    sweepStart_ = history_.End();
    return;
  }
  // How many samples one sweep holds: positions 0, StepX, ... below PlotWidth.
  const double positions = chart_.StepX > 0 ? std::ceil(chart_.PlotWidth / chart_.StepX) : 1;
  const auto fit = static_cast<std::uint64_t>(std::max(positions, 1.0));
  const std::uint64_t last = history_.End() - 1;
  // A sweep longer than the plot now is shows its newest samples across the whole width.
  std::uint64_t first = sweepStart_;
  if (last - first + 1 > fit) first = last + 1 - fit;
  marks_ = OverRangeMarks{auto_};
  for (std::uint64_t n = first; n <= last; ++n) DrawEntry(n);
}

void RealTimeGraphWindow::DrawEntry(std::uint64_t number) {
  const LiveEntry& entry = history_.At(number);
  const LiveValues values = ValuesIn(entry, history_.System(), state_.GraphUnit);
  marks_.on = auto_;
  RealTimeTick(drawn_, chart_, state_.LiveRange, state_.GraphUnit, values,
               FromSerialSeconds(entry.seconds), &marks_);
  if (chart_.SweepX == 0) sweepStart_ = number;
}

void RealTimeGraphWindow::Timer1_Timer() {
  const std::optional<LiveReading> reading = reading_ ? reading_() : std::nullopt;
  if (!reading) return;  // nothing measured this second: no point, the times show it
  history_.Add(*reading, clock_.Now());
  // A reading beyond the scales (or the first ones) fits them anew: the sweep is drawn
  // again on the new scales, the new sample with it.
  if (auto_ && FitScales()) {
    DrawFrame();
    return;
  }
  DrawEntry(history_.End() - 1);
  update();
}

const PlotData& RealTimeGraphWindow::CsvRecords() const {
  csv_ = history_.Records();
  return csv_;
}

ChartTitle RealTimeGraphWindow::Title() const {
  ChartTitle title;
  title.name = "Live";
  title.mainUnit = state_.GraphUnit == "lx" ? "Lux" : "Fc";
  title.showMain = chart_.ShowMainCurve;
  title.showCd = chart_.ShowCdCurve;
  if (history_.Empty()) return title;
  // The samples of the sweep on the screen, as DrawSweepAgain shows them.
  const double positions = chart_.StepX > 0 ? std::ceil(chart_.PlotWidth / chart_.StepX) : 1;
  const auto fit = static_cast<std::uint64_t>(std::max(positions, 1.0));
  const std::uint64_t last = history_.End() - 1;
  std::uint64_t first = std::max(sweepStart_, history_.First());
  if (first > last) first = last;
  if (last - first + 1 > fit) first = last + 1 - fit;
  title.first = FormatDateTime(FromSerialSeconds(history_.At(first).seconds));
  title.last = FormatDateTime(FromSerialSeconds(history_.At(last).seconds));
  return title;
}

ChartOutput RealTimeGraphWindow::Output() {
  const std::string title = ChartTitleText(Title());
  return {[this, title](Canvas& canvas) {
            drawn_.Replay(canvas);
            DrawChartTitle(canvas, title);
          },
          canvas_.Width(), canvas_.Height()};
}

RangeTexts RealTimeGraphWindow::CurrentRangeTexts() const {
  // A fitted scale may reach past the full scale; the boxes offer what OK accepts.
  RangeRecord shown = state_.LiveRange;
  for (double* max : {&shown.LuxMax, &shown.FcMax, &shown.CdMax}) *max = std::min(*max, kFullScale);
  return LiveRangeTexts(shown, state_.GraphUnit, chart_.PlotWidth, chart_.StepX);
}

std::optional<std::string> RealTimeGraphWindow::ApplyTypedRange(const RangeTexts& typed) {
  auto refusal =
      ApplyLiveRange(typed, state_.GraphUnit, chart_.PlotWidth, state_.LiveRange, chart_.StepX);
  if (!refusal) {
    auto_ = false;
    cmdAuto_->setChecked(false);
  }
  return refusal;
}

}  // namespace orvane
