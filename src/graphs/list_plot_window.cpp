#include "graphs/list_plot_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>

#include "graphs/plot_replay.h"

namespace orvane {

ListPlotWindow::ListPlotWindow(ProgramState& state, Dialogs& dialogs, QWidget* parent)
    : ChartBaseWindow(ChartKind::List, {"Plot", "Plot Unit", "Plot Range", true}, dialogs, parent),
      state_(state) {
  setObjectName("ListPlot");
  resize(800, 480);
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void ListPlotWindow::closeEvent(QCloseEvent* event) {
  closing_ = true;
  timer1_.stop();
  QWidget::closeEvent(event);
}

void ListPlotWindow::DrawFrame() {
  ++frames_;
  orvane::DrawFrame(canvas_, chart_,
                    ChartScale{state_.Plot.PlotRange, state_.Plot.PlotUnit == "Lux"});
  timer1_.start();
  update();
}

bool ListPlotWindow::ReplayGoesOn(int percent, long from, long to) {
  setWindowTitle(QString("%1% Completed").arg(percent));
  const unsigned frame = frames_;
  QPointer<ListPlotWindow> self(this);
  QCoreApplication::processEvents();
  if (!self) return false;
  // A new frame, a closed window or records replaced meanwhile end this replay.
  const PlotData& plot = state_.Plot;
  return !closing_ && frame == frames_ && plot.PlotFrom == from && plot.PlotTo == to &&
         PlotStretchValid(plot);
}

void ListPlotWindow::Timer1_Timer() {
  timer1_.stop();
  const QString caption = windowTitle();
  const unsigned frame = frames_;
  const long from = state_.Plot.PlotFrom;
  const long to = state_.Plot.PlotTo;
  QPointer<ListPlotWindow> self(this);
  ReplayPlot(canvas_, chart_, state_.Plot,
             [this, from, to](int percent) { return ReplayGoesOn(percent, from, to); });
  if (!self) return;
  setWindowTitle(caption);
  if (frame == frames_) update();
}

RangeTexts ListPlotWindow::CurrentRangeTexts() const {
  return PlotRangeTexts(state_.Plot);
}

std::optional<std::string> ListPlotWindow::ApplyTypedRange(const RangeTexts& typed) {
  return ApplyPlotRange(typed, chart_.PlotWidth, state_.Plot, chart_.StepX);
}

}  // namespace orvane
