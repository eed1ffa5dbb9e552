#include "graphs/real_time_graph_window.h"

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
  orvane::DrawFrame(canvas_, chart_, ChartScale{state_.LiveRange, state_.GraphUnit == "lx"});
  update();
}

void RealTimeGraphWindow::Timer1_Timer() {
  const std::optional<LiveReading> reading = reading_ ? reading_() : std::nullopt;
  if (!reading) return;  // nothing measured this second: no point, the times show it
  const DateTime now = clock_.Now();
  const ReadingTexts shown = ReadingIn(*reading, UnitSystemOfGraphUnit(state_.GraphUnit));
  RealTimeTick(canvas_, chart_, state_.LiveRange, state_.GraphUnit,
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

RangeTexts RealTimeGraphWindow::CurrentRangeTexts() const {
  return LiveRangeTexts(state_.LiveRange, state_.GraphUnit, chart_.PlotWidth, chart_.StepX);
}

std::optional<std::string> RealTimeGraphWindow::ApplyTypedRange(const RangeTexts& typed) {
  return ApplyLiveRange(typed, state_.GraphUnit, chart_.PlotWidth, state_.LiveRange, chart_.StepX);
}

}  // namespace orvane
