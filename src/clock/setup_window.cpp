// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/setup_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "clock/meter_clock.h"
#include "display/lcd_layout.h"

namespace orvane {

namespace {
constexpr const char* kMeterTimeCaption = "Meter Time";
constexpr const char* kPCTimeCaption = "PC System Time";
constexpr int kBelowPanelTopTwips = 1000;

QLabel* MakeTimeField(const char* name, const char* caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumWidth(200);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}
}  // namespace

Setup::Setup(PanelContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("Setup");
  setWindowTitle("Setup");
  setModal(true);
  BuildControls();
  timer1_.setObjectName("Timer1");
  timer1_.setInterval(kTimer1IntervalMs);
  connect(&timer1_, &QTimer::timeout, this, &Setup::Timer1_Timer);
  timer1_.start();
}

void Setup::BuildControls() {
  auto* frame = new QGroupBox("Time", this);
  frame->setObjectName("FrameTime");
  lblMeterTime_ = MakeTimeField("LblMeterTime", kMeterTimeCaption, frame);
  lblPCTime_ = MakeTimeField("LblPCTime", kPCTimeCaption, frame);
  lblMeterTime_->installEventFilter(this);
  lblPCTime_->installEventFilter(this);
  // Each field keeps a name beside it, so that a field showing a time still says whose.
  auto* fields = new QGridLayout(frame);
  const char* names[2] = {"Meter:", "PC:"};
  QLabel* times[2] = {lblMeterTime_, lblPCTime_};
  for (int row = 0; row < 2; ++row) {
    auto* name = new QLabel(names[row], frame);
    name->setObjectName(row == 0 ? "LblMeterTimeName" : "LblPCTimeName");
    name->setBuddy(times[row]);
    fields->addWidget(name, row, 0, Qt::AlignRight);
    fields->addWidget(times[row], row, 1);
  }
  fields->setColumnStretch(1, 1);

  auto* setTime = new QPushButton("Set Meter Time To System Time", this);
  setTime->setObjectName("CmdSetTime");
  connect(setTime, &QPushButton::clicked, this, &Setup::CmdSetTime_Click);
  auto* exit = new QPushButton("Exit", this);
  exit->setObjectName("CmdExit");
  exit->setAutoDefault(false);
  connect(exit, &QPushButton::clicked, this, &Setup::CmdExit_Click);

  lblSetResult_ = new QLabel(this);
  lblSetResult_->setObjectName("LblSetResult");
  lblSetResult_->setAlignment(Qt::AlignCenter);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addWidget(setTime);
  layout->addWidget(lblSetResult_);
  layout->addWidget(exit);
}

// Centred on the panel, a little below its top edge.
void Setup::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (placed_ || ctx_.panel == nullptr) return;
  placed_ = true;
  const QWidget& panel = *ctx_.panel->window();  // the panel's frame, when it has one
  move(panel.x() + (panel.frameGeometry().width() - frameGeometry().width()) / 2,
       panel.y() + Px(kBelowPanelTopTwips));
}

// A field is clicked when the left button is released over it.
bool Setup::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == lblMeterTime_) LblMeterTime_Click();
    if (watched == lblPCTime_) LblPCTime_Click();
  }
  return QDialog::eventFilter(watched, event);
}

void Setup::LblMeterTime_Click() {
  showMeterTime_ = !showMeterTime_;
  if (const std::optional<LinkHold> hold = ctx_.TakeLink("meter clock")) {
    ctx_.link.ReceiveReport();  // takes the meter's pending report off the link
  }
}

void Setup::LblPCTime_Click() {
  showPCTime_ = !showPCTime_;
}

void Setup::Timer1_Timer() {
  if (!showMeterTime_) {
    lblMeterTime_->setText(kMeterTimeCaption);
  } else if (const std::optional<LinkHold> hold = ctx_.TakeLink("meter clock")) {
    lblMeterTime_->setText(QString::fromStdString(ReadMeterClock(ctx_.link)));
  }
  lblPCTime_->setText(showPCTime_ ? QString::fromStdString(FormatDateTime(ctx_.clock.Now()))
                                  : QString(kPCTimeCaption));
}

void Setup::CmdSetTime_Click() {
  const DateTime now = ctx_.clock.Now();
  bool sent = false;
  if (const std::optional<LinkHold> hold = ctx_.TakeLink("meter clock")) {
    SetMeterClock(ctx_.link, now);
    // The meter sends no answer: the request went out when the link is still up.
    sent = ctx_.link.MeterConnected() == -1;
  }
  lblSetResult_->setText(sent ? QStringLiteral("Meter clock set to %1.")
                                    .arg(QString::fromStdString(FormatDateTime(now)))
                              : QStringLiteral("No meter connected: the clock was not set."));
}

void Setup::CmdExit_Click() {
  accept();
}

void Setup::done(int result) {
  timer1_.stop();
  QDialog::done(result);
}

}  // namespace orvane
