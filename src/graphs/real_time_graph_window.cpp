#include "graphs/real_time_graph_window.h"

#include "graphs/real_time_sweep.h"

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
  RealTimeTick(canvas_, chart_, state_.LiveRange, state_.GraphUnit,
               LiveSample{reading.text, reading.cdText}, clock_.Now());
  update();
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
