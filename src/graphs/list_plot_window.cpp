#include "graphs/list_plot_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QVBoxLayout>
#include <algorithm>

#include "graphs/chart_title.h"
#include "graphs/plot_replay.h"
#include "recording/file_choice.h"
#include "recording/log_statistics.h"

namespace orvane {

ListPlotWindow::ListPlotWindow(ProgramState& state, Dialogs& dialogs, QWidget* parent)
    : ChartBaseWindow(ChartKind::List, {"Plot", "Plot Unit", "Plot Range", true}, dialogs, parent),
      state_(state) {
  setObjectName("ListPlot");
  resize(800, 480);
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  picStats_ = new QFrame(this);
  picStats_->setObjectName("PicStats");
  picStats_->setFrameShape(QFrame::Box);
  picStats_->setStyleSheet("#PicStats { background: rgba(255, 255, 255, 235); }");
  auto* layout = new QVBoxLayout(picStats_);
  layout->setContentsMargins(6, 3, 6, 3);
  lblStats_ = new QLabel(picStats_);
  lblStats_->setObjectName("LblStats");
  lblStats_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(lblStats_);
  statisticsKey_ = Toolbar()->addAction("Statistics");
  statisticsKey_->setObjectName("Statistics");
  statisticsKey_->setToolTip("Show or hide the statistics of the records shown");
  statisticsKey_->setCheckable(true);
  statisticsKey_->setChecked(false);  // the panel covers a corner of the chart: on request
  picStats_->hide();
  connect(statisticsKey_, &QAction::triggered, this, [this] { Statistics_Click(); });
}

void ListPlotWindow::Statistics_Click() {
  picStats_->setVisible(statisticsKey_->isChecked());
  if (picStats_->isVisible()) ShowStatistics();
}

namespace {

// The statistics as a small table: the headline, then one row per column.
QString StatisticsTable(const PlotData& plot) {
  const LogStatistics statistics = StatisticsOf(plot, plot.PlotFrom, plot.PlotTo);
  const auto text = [](const std::string& s) {
    return QString::fromLatin1(s.c_str()).toHtmlEscaped();
  };
  QString html = "<table cellspacing=0 cellpadding=1><tr><td colspan=6>" +
                 text(StatisticsHeadline(statistics, plot.PlotFrom, plot.PlotTo)) +
                 "</td></tr><tr><td></td><td align=right>readings&nbsp;</td>"
                 "<td align=right>&nbsp;over range&nbsp;</td><td align=right>&nbsp;min</td>"
                 "<td align=right>&nbsp;max</td><td align=right>&nbsp;mean</td></tr>";
  const std::pair<std::string, const ColumnStatistics*> columns[] = {
      {plot.PlotUnit, &statistics.Main()}, {"cd", &statistics.Cd()}};
  for (const auto& [name, column] : columns) {
    html += "<tr><td>" + text(name) + "</td>";
    for (const std::string& figure : ColumnFigures(*column)) {
      html += "<td align=right>" + text(figure) + "</td>";
    }
    html += "</tr>";
  }
  return html + "</table>";
}

}  // namespace

void ListPlotWindow::ShowStatistics() {
  lblStats_->setText(StatisticsTable(state_.Plot));
  picStats_->adjustSize();
  const int right = static_cast<int>(chart_.PlotLeft + chart_.PlotWidth);
  picStats_->move(std::max(0, right - picStats_->width()), Toolbar()->height() + 4);
  picStats_->raise();
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
  if (statisticsKey_ != nullptr && statisticsKey_->isChecked()) ShowStatistics();
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

ChartOutput ListPlotWindow::Output() {
  const std::string name =
      state_.PlotFileName.empty() ? std::string("Plot") : FileTitle(state_.PlotFileName);
  return {[this, name](Canvas& canvas) { DrawListPlotOutput(canvas, chart_, state_.Plot, name); },
          width(), height()};
}

RangeTexts ListPlotWindow::CurrentRangeTexts() const {
  return PlotRangeTexts(state_.Plot);
}

std::optional<std::string> ListPlotWindow::ApplyTypedRange(const RangeTexts& typed) {
  return ApplyPlotRange(typed, chart_.PlotWidth, state_.Plot, chart_.StepX);
}

}  // namespace orvane
