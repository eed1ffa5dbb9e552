// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/list_plot_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "graphs/chart_title.h"
#include "graphs/plot_replay.h"
#include "recording/file_choice.h"
#include "recording/log_statistics.h"

namespace orvane {

namespace {

constexpr double kDragAtLeast = 4;  // pixels a press must move to be a drag, not a click
constexpr int kReplayAtOnce = 0;    // a view the user asked for is drawn without delay
constexpr int kTimer1Ms = 1000;     // the replay after any other frame drawing

// "Plot — run.lms"; "Plot" without a file.
QString PlotTitle(const std::string& path) {
  if (path.empty()) return "Plot";
  const std::size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return QString::fromUtf8("Plot \u2014 ") + QString::fromLocal8Bit(name.c_str());
}

}  // namespace

ListPlotWindow::ListPlotWindow(ProgramState& state, Dialogs& dialogs, QWidget* parent)
    : ChartBaseWindow(ChartKind::List, {"Plot", "Plot Unit", "Plot Range", true}, dialogs, parent),
      state_(state),
      view_(state.Plot),
      title_(PlotTitle(state.Plot.PlotFile)) {
  setObjectName("ListPlot");
  setWindowTitle(title_);
  setMouseTracking(true);
  resize(800, 480);
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  lblReadout_ = new QLabel(this);
  lblReadout_->setObjectName("LblReadout");
  lblReadout_->setAttribute(Qt::WA_TransparentForMouseEvents);
  lblReadout_->setStyleSheet("#LblReadout { background: rgba(255, 255, 224, 235); }");
  lblReadout_->hide();
  BuildStatistics();
  BuildMenu();
}

void ListPlotWindow::BuildStatistics() {
  picStats_ = new QFrame(this);
  picStats_->setObjectName("PicStats");
  picStats_->setFrameShape(QFrame::Box);
  picStats_->setStyleSheet("#PicStats { background: white; }");
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
  statisticsKey_->setChecked(false);  // the panel takes room from the chart: on request
  picStats_->hide();
  connect(statisticsKey_, &QAction::triggered, this, [this] { Statistics_Click(); });
}

void ListPlotWindow::BuildMenu() {
  menu_ = new QMenu(this);
  menu_->setObjectName("PlotMenu");
  const std::pair<const char*, const char*> items[] = {
      {"Fit", "Fit"}, {"Back", "Back"}, {"WholeFile", "Whole file"}};
  for (const auto& [name, caption] : items) {
    QAction* action = menu_->addAction(caption);
    action->setObjectName(name);
    const std::string key = name;
    connect(action, &QAction::triggered, this, [this, key] {
      if (key == "Fit") Fit_Click();
      if (key == "Back") Back_Click();
      if (key == "WholeFile") WholeFile_Click();
    });
  }
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

void ListPlotWindow::Statistics_Click() {
  picStats_->setHidden(!statisticsKey_->isChecked());
  if (!picStats_->isHidden()) ShowStatistics();
  LayOutCanvas();  // the chart gives up the room under it, or takes it back
}

int ListPlotWindow::ReservedBelow() const {
  if (statisticsKey_ == nullptr || picStats_->isHidden()) return 0;
  lblStats_->setText(StatisticsTable(state_.Plot));
  picStats_->adjustSize();
  return picStats_->height() + 4;
}

// Under the chart, left-aligned with the plot area: it covers neither scales nor curves.
void ListPlotWindow::ShowStatistics() {
  lblStats_->setText(StatisticsTable(state_.Plot));
  picStats_->adjustSize();
  const int x =
      std::clamp(static_cast<int>(chart_.PlotLeft), 0, std::max(0, width() - picStats_->width()));
  picStats_->move(x, std::max(0, height() - picStats_->height() - 2));
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
  hoverRecord_ = -1;  // the readout follows the pointer into the new view
  if (pointerX_ >= 0) {
    HoverAt(pointerX_);
  } else {
    hoverRecord_ = 0;
    ShowReadout();
  }
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
  timer1_.setInterval(kTimer1Ms);
  const QString caption = windowTitle();
  const unsigned frame = frames_;
  const long from = state_.Plot.PlotFrom;
  const long to = state_.Plot.PlotTo;
  QPointer<ListPlotWindow> self(this);
  ReplayPlot(canvas_, chart_, state_.Plot,
             [this, from, to](int percent) { return ReplayGoesOn(percent, from, to); });
  if (!self) return;
  setWindowTitle(caption.endsWith("% Completed") ? title_ : caption);
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
  view_.Remember();
  std::optional<std::string> refusal =
      ApplyPlotRange(typed, chart_.PlotWidth, state_.Plot, chart_.StepX);
  if (!refusal) view_.Typed();
  return refusal;
}

void ListPlotWindow::ViewChanged(bool changed) {
  if (!changed) return;
  RefreshRangeDialog();
  DrawFrame();
  timer1_.start(kReplayAtOnce);  // Timer1 puts its interval back when it fires
}

void ListPlotWindow::Fit_Click() {
  ViewChanged(view_.Fit());
}

void ListPlotWindow::Back_Click() {
  ViewChanged(view_.Back());
}

void ListPlotWindow::WholeFile_Click() {
  ViewChanged(view_.Whole());
}

void ListPlotWindow::WheelAt(double x, int notches) {
  ViewChanged(view_.Wheel(chart_, x, notches));
}

void ListPlotWindow::DragSelect(double x1, double x2) {
  ViewChanged(view_.Select(chart_, x1, x2));
}

void ListPlotWindow::HoverAt(double x) {
  pointerX_ = x;
  const long record = view_.RecordAt(chart_, x);
  if (record == hoverRecord_) return;
  hoverRecord_ = record;
  ShowReadout();
  update();
}

// Above the plot area, right of the scale headings.
void ListPlotWindow::ShowReadout() {
  if (hoverRecord_ == 0) {
    lblReadout_->hide();
    return;
  }
  lblReadout_->setText(QString::fromLatin1(ReadoutText(state_.Plot, hoverRecord_).c_str()));
  lblReadout_->adjustSize();
  lblReadout_->move(
      static_cast<int>(chart_.PlotLeft),
      static_cast<int>(chart_.PlotBottom - chart_.PlotHeight) - lblReadout_->height() - 4);
  lblReadout_->show();
  lblReadout_->raise();
}

void ListPlotWindow::paintEvent(QPaintEvent* event) {
  ChartBaseWindow::paintEvent(event);
  QPainter painter(this);
  const double top = chart_.PlotBottom - chart_.PlotHeight;
  if (dragFrom_ >= 0) {
    const double left = std::min(dragFrom_, dragTo_);
    painter.fillRect(QRectF(left, top, std::abs(dragTo_ - dragFrom_), chart_.PlotHeight),
                     QColor(0, 120, 215, 60));
  }
  if (hoverRecord_ != 0) {
    const double x = PlotView::XOfRecord(chart_, state_.Plot, hoverRecord_);
    painter.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
    painter.drawLine(QPointF(x, top), QPointF(x, chart_.PlotBottom));
  }
}

void ListPlotWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragFrom_ = dragTo_ = event->position().x();
  }
  ChartBaseWindow::mousePressEvent(event);
}

void ListPlotWindow::mouseMoveEvent(QMouseEvent* event) {
  if (dragFrom_ >= 0) {
    dragTo_ = event->position().x();
    update();
  }
  HoverAt(event->position().x());
}

void ListPlotWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || dragFrom_ < 0) return;
  const double from = dragFrom_;
  dragFrom_ = dragTo_ = -1;
  update();
  if (std::abs(event->position().x() - from) >= kDragAtLeast) {
    DragSelect(from, event->position().x());
  }
}

void ListPlotWindow::leaveEvent(QEvent* event) {
  hoverRecord_ = 0;
  pointerX_ = -1;
  ShowReadout();
  update();
  ChartBaseWindow::leaveEvent(event);
}

void ListPlotWindow::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches != 0) WheelAt(event->position().x(), notches);
  event->accept();
}

void ListPlotWindow::contextMenuEvent(QContextMenuEvent* event) {
  menu_->findChild<QAction*>("Back")->setEnabled(view_.CanGoBack());
  menu_->popup(event->globalPos());
}

}  // namespace orvane
