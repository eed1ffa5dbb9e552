#pragma once
// ListPlot ("Plot"): the records of an opened data file as a chart, replayed in one go
// after each frame drawing, with the record times under the x axis. The small panel
// PicStats in the top right corner of the chart shows the statistics of the records shown
// (the same figures as orvane-cli info); the tool bar key "Statistics" shows or hides it
// (hidden at first, as it covers a corner of the chart).

#include <QLabel>

#include "common/program_state.h"
#include "graphs/chart_base_window.h"

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

 protected:
  RangeTexts CurrentRangeTexts() const override;
  std::optional<std::string> ApplyTypedRange(const RangeTexts& typed) override;
  // The records of the opened data file, all of them.
  const PlotData& CsvRecords() const override { return state_.Plot; }
  void closeEvent(QCloseEvent* event) override;

 private:
  bool ReplayGoesOn(int percent, long from, long to);
  // Figures for the records shown (one pass, as cheap as the replay that follows).
  void ShowStatistics();

  QFrame* picStats_ = nullptr;
  QLabel* lblStats_ = nullptr;
  QAction* statisticsKey_ = nullptr;

  ProgramState& state_;
  unsigned frames_ = 0;  // frame drawings so far; a new one ends a running replay
  bool closing_ = false;
};

}  // namespace orvane
