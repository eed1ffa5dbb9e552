// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ListPlot ("Plot — run.lms"): the records of an opened data file as a chart, replayed in
// one go after each frame drawing, with the record times under the x axis. The chart can
// be explored: hovering shows the record under the pointer (LblReadout) with a cursor
// line, the wheel zooms the time axis around the pointer, a drag picks a stretch, and the
// context menu offers Fit, Back and Whole file (PlotView holds that state, which is also
// what the range dialog's From and To show). The panel PicStats under the chart shows the
// statistics of the records shown (the same figures as orvane-cli info); the tool bar key
// "Statistics" shows or hides it.

#include <QLabel>
#include <QMenu>

#include "common/program_state.h"
#include "graphs/chart_base_window.h"
#include "graphs/plot_view.h"

namespace orvane {

class ListPlotWindow final : public ChartBaseWindow {
  Q_OBJECT

 public:
  ListPlotWindow(ProgramState& state, Dialogs& dialogs, QWidget* parent = nullptr);

  // The replay: the whole stretch within one tick; the timer disables itself.
  void Timer1_Timer();
  void DrawFrame() override;
  void Statistics_Click();
  // The stretch shown, with the curves shown, drawn anew at the window's size with the
  // title line naming the data file.
  ChartOutput Output() override;

  // What the pointer does, in window pixels; public so tests call them directly.
  void HoverAt(double x);
  void WheelAt(double x, int notches);
  void DragSelect(double x1, double x2);
  void Fit_Click();
  void Back_Click();
  void WholeFile_Click();
  // The record under the pointer (0: none) and the readout's text.
  long HoverRecord() const { return hoverRecord_; }
  QMenu* ContextMenu() const { return menu_; }

 protected:
  RangeTexts CurrentRangeTexts() const override;
  std::optional<std::string> ApplyTypedRange(const RangeTexts& typed) override;
  // The records of the opened data file, all of them.
  const PlotData& CsvRecords() const override { return state_.Plot; }
  int ReservedBelow() const override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void BuildStatistics();
  void BuildMenu();
  bool ReplayGoesOn(int percent, long from, long to);
  // Figures for the records shown (one pass, as cheap as the replay that follows).
  void ShowStatistics();
  // The view changed: the frame drawn anew and replayed at once, the dialog refreshed.
  void ViewChanged(bool changed);
  void ShowReadout();

  QFrame* picStats_ = nullptr;
  QLabel* lblStats_ = nullptr;
  QLabel* lblReadout_ = nullptr;
  QAction* statisticsKey_ = nullptr;
  QMenu* menu_ = nullptr;

  ProgramState& state_;
  PlotView view_;
  QString title_;
  unsigned frames_ = 0;  // frame drawings so far; a new one ends a running replay
  bool closing_ = false;
  long hoverRecord_ = 0;
  double pointerX_ = -1;  // where the pointer was last seen; negative: not over the window
  double dragFrom_ = -1;  // x where a drag started; negative: no drag
  double dragTo_ = -1;
};

}  // namespace orvane
