// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data logger window "Data Logger": the memory gauge, the list of stored record sets,
// the download of one set into the text editor, the unit option and erasing everything.

#include <QFrame>
#include <QProgressBar>
#include <QWidget>
#include <string>
#include <vector>

#include "datalogger/logger_codec.h"
#include "ui/panel_context.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace orvane {

// A 3-D panel that reports a click.
class ClickPanel : public QFrame {
  Q_OBJECT
 public:
  using QFrame::QFrame;
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The memory gauge: a filled bar that reports a click.
class GaugePanel : public QProgressBar {
  Q_OBJECT
 public:
  using QProgressBar::QProgressBar;
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class MemoryWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MemoryWindow(PanelContext& ctx);
  ~MemoryWindow() override;

  // Caption and gauge from the status reply.
  void ShowStatus(const LoggerStatus& status);
  // One grid row per set 1.. of `setStamps`, in place of the rows shown before.
  void ShowSets(const std::vector<std::string>& setStamps);
  void SetProgress(int percent);
  // While busy the window ignores clicks and puts off closing until the work is done.
  void SetBusy(bool busy);

  // Event handlers.
  void GridSet_Click(int row);
  // A double click downloads the row once: its first click did it, unless that click
  // found the window busy.
  void GridSet_DblClick(int row);
  void CmdDownload_Click();  // the current row
  void OptLuxFc_Click(int index);
  void EraseAll_Click();  // MSize, SSPanel2, SSPanel3

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildUnitChoice();
  void ShowDownloadable();
  void SetUpGridHeader();
  std::string StampOfRow(int row) const;
  void DownloadRecordSet(int row);
  void SaveAndOpen(const std::string& stampText, const std::string& text);

  PanelContext& ctx_;
  QProgressBar* MBar_ = nullptr;
  GaugePanel* MSize_ = nullptr;
  QLabel* LblMemorySize_ = nullptr;
  QTableWidget* GridSet_ = nullptr;
  QRadioButton* OptLuxFc_[2] = {nullptr, nullptr};
  QPushButton* CmdDownload_ = nullptr;
  int clickedRow_ = -1;  // the row the last click downloaded
  bool busy_ = false;
  bool closePending_ = false;
  LoggerStatus status_;  // the last status shown
};

// The open data logger window, if any (a closed one waiting for deletion is not).
MemoryWindow* FindMemoryWindow(const PanelContext& ctx);

// Tool bar "Memory": status, window, index. A window already open is filled again in
// place.
void OpenDataLogger(PanelContext& ctx);
// Reads status and index again into the open window, if one is open (after an erase
// from the panel's erase list).
void RefreshDataLogger(PanelContext& ctx);

// Lets pending window events run during a download. Commands that would use the link
// meanwhile are refused by the link's owner; the record tick runs on.
void LetEventsRun();

// Asks the meter for its logger status under `hold`. With record sets stored the status
// is returned and the hold kept for the caller; otherwise (no answer, or "No Data in
// Memory!" told after the hold was let go) nothing is returned.
std::optional<LoggerStatus> QueryStoredSets(PanelContext& ctx, std::optional<LinkHold>& hold);

}  // namespace orvane
