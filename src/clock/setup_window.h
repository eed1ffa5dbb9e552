// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock window: the meter's clock beside the PC clock, each shown on request (a click
// on its field), and setting the meter's clock to the PC's. The panel's poll and
// one-second tick are stopped while it is open; closing it starts them again.

#include <QDialog>
#include <QTimer>

#include "ui/panel_context.h"

class QLabel;

namespace orvane {

class Setup final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTimer1IntervalMs = 1000;

  explicit Setup(PanelContext& ctx, QWidget* parent = nullptr);

  void LblMeterTime_Click();
  void LblPCTime_Click();
  void Timer1_Timer();
  void CmdSetTime_Click();
  void CmdExit_Click();

  QTimer& Timer1() { return timer1_; }

  // However the window closes, its refresh stops.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();

  PanelContext& ctx_;
  QTimer timer1_;
  QLabel* lblMeterTime_ = nullptr;
  QLabel* lblPCTime_ = nullptr;
  QLabel* lblSetResult_ = nullptr;  // says whether the meter's clock was set
  bool showMeterTime_ = false;
  bool showPCTime_ = false;
  bool placed_ = false;
};

}  // namespace orvane
