#include "graphs/real_time_graph_window.h"

#include "graphs/real_time_sweep.h"
#include "recording/recorded_reading.h"

namespace orvane {

RealTimeGraphWindow::RealTimeGraphWindow(ProgramState& state, std::function<LiveReading()> reading,
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
  const LiveReading reading = reading_ ? reading_() : LiveReading{};
  const DateTime now = clock_.Now();
  RealTimeTick(canvas_, chart_, state_.LiveRange, state_.GraphUnit,
               LiveSample{reading.text, reading.cdText}, now);
  if (reading.known) KeepSample(reading, now);
  update();
}

void RealTimeGraphWindow::KeepSample(const LiveReading& reading, const DateTime& now) {
  if (samples_.PlotRecords == 0) samples_.PlotUnit = reading.metric ? "Lux" : "Fc";
  samples_.PlotTimes.push_back(FormatDateTime(now));
  samples_.PlotMain.push_back(MainTextFor(reading, samples_.PlotUnit == "Lux"));
  samples_.PlotCd.push_back(reading.cdText);
  samples_.PlotTo = ++samples_.PlotRecords;
}

RangeTexts RealTimeGraphWindow::CurrentRangeTexts() const {
  return LiveRangeTexts(state_.LiveRange, state_.GraphUnit, chart_.PlotWidth, chart_.StepX);
}

void RealTimeGraphWindow::CmdRangeOK_Click() {
  const auto refusal = ApplyLiveRange(TypedRangeTexts(), state_.GraphUnit, chart_.PlotWidth,
                                      state_.LiveRange, chart_.StepX);
  if (refusal) {
    Refuse(*refusal);
    return;
  }
  HideDialogs();
  DrawFrame();
}

}  // namespace orvane
