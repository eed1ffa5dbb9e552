#include "graphs/real_time_graph_window.h"

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
  resize(720, 480);
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void RealTimeGraphWindow::DrawFrame() {
  orvane::DrawFrame(drawn_, chart_, ChartScale{state_.LiveRange, state_.GraphUnit == "lx"});
  update();
}

void RealTimeGraphWindow::Timer1_Timer() {
  const std::optional<LiveReading> reading = reading_ ? reading_() : std::nullopt;
  if (!reading) return;  // nothing measured this second: no point, the times show it
  const DateTime now = clock_.Now();
  const ReadingTexts shown = ReadingIn(*reading, UnitSystemOfGraphUnit(state_.GraphUnit));
  RealTimeTick(drawn_, chart_, state_.LiveRange, state_.GraphUnit,
               LiveSample{shown.text, shown.cdText}, now);
  if (reading->known) KeepSample(*reading, now);
  update();
}

void RealTimeGraphWindow::KeepSample(const LiveReading& reading, const DateTime& now) {
  if (samples_.PlotRecords == 0) {
    samplesSystem_ = reading.system;
    samples_.PlotUnit = MainColumnName(samplesSystem_);
  }
  const ReadingTexts texts = ReadingIn(reading, samplesSystem_);
  samples_.PlotTimes.push_back(FormatDateTime(now));
  samples_.PlotMain.push_back(texts.text);
  samples_.PlotCd.push_back(texts.cdText);
  samples_.PlotTo = ++samples_.PlotRecords;
}

ChartTitle RealTimeGraphWindow::Title() const {
  ChartTitle title;
  title.name = "Live";
  title.mainUnit = state_.GraphUnit == "lx" ? "Lux" : "Fc";
  title.showMain = chart_.ShowMainCurve;
  title.showCd = chart_.ShowCdCurve;
  const long taken = samples_.PlotRecords;
  if (taken == 0 || chart_.SweepX < 0 || chart_.StepX <= 0) return title;
  // The samples of the sweep on the screen: those since it began at the left edge.
  const long inSweep = std::lround(chart_.SweepX / chart_.StepX) + 1;
  const long first = std::max(0L, taken - inSweep);
  title.first = samples_.PlotTimes[static_cast<std::size_t>(first)];
  title.last = samples_.PlotTimes.back();
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
  return LiveRangeTexts(state_.LiveRange, state_.GraphUnit, chart_.PlotWidth, chart_.StepX);
}

std::optional<std::string> RealTimeGraphWindow::ApplyTypedRange(const RangeTexts& typed) {
  return ApplyLiveRange(typed, state_.GraphUnit, chart_.PlotWidth, state_.LiveRange, chart_.StepX);
}

}  // namespace orvane
