// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/panel_status.h"

namespace orvane {

namespace {
constexpr const char* kBarStyle =
    "QStatusBar { background: #dfe3e6; border-top: 1px solid #9aa3aa; }"
    "QStatusBar::item { border: none; }"
    "QLabel { color: #1d252c; font: 9pt 'Liberation Sans'; padding: 0 3px; }";
constexpr const char* kRecStyle = "color: #c0271c; font: bold 9pt 'Liberation Sans';";
constexpr const char* kNoReadingStyle =
    "color: #1d252c; background: #ffc24e; font: bold 9pt 'Liberation Sans';"
    "border-radius: 3px;";
constexpr const char* kConnectedStyle = "color: #1f7a32;";
constexpr const char* kAbsentStyle = "color: #5d666e;";
constexpr const char* kHintStyle = "color: #8a4b00; font: bold 9pt 'Liberation Sans';";
constexpr const char* kNoticeStyle = "color: #8a1c12;";
}  // namespace

PanelStatusBar::PanelStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName("StatusBar1");
  setSizeGripEnabled(false);
  setStyleSheet(kBarStyle);
  recording_ = Add("LblRecording", false);
  recording_->setStyleSheet(kRecStyle);
  recording_->hide();
  fileName_ = Add("LblFileName", false);
  fileName_->setToolTip("The data file being recorded");
  elapsed_ = Add("LblElapsed", false);
  elapsed_->setToolTip("Time since the recording started");
  count_ = Add("LblCount", false);
  count_->setToolTip("Records written");
  count_->setStyleSheet("padding-right: 0;");
  countUnit_ = Add("LblCountUnit", false);
  countUnit_->setText("records");
  countUnit_->setStyleSheet("padding-left: 0;");
  countUnit_->hide();
  notice_ = Add("LblNotice", false);
  notice_->setStyleSheet(kNoticeStyle);
  link_ = Add("LblLink", true);
  linkHint_ = Add("LblLinkHint", true);
  linkHint_->setStyleSheet(kHintStyle);
  linkHint_->hide();
  ShowConnection(false);
  noticeTimer_.setSingleShot(true);
  connect(&noticeTimer_, &QTimer::timeout, notice_, &QLabel::clear);
}

QLabel* PanelStatusBar::Add(const char* name, bool permanent) {
  auto* label = new QLabel(this);
  label->setObjectName(name);
  if (permanent) {
    addPermanentWidget(label);
  } else {
    addWidget(label);
  }
  return label;
}

void PanelStatusBar::ShowConnection(bool connected, const std::string& meter, int found) {
  const QString several = QStringLiteral("\u25cf Meter %1 (the first of %2)")
                              .arg(QString::fromStdString(meter))
                              .arg(found);
  link_->setText(!connected  ? QStringLiteral("\u25cb No meter connected")
                 : found > 1 ? several
                             : QStringLiteral("\u25cf Meter connected"));
  link_->setStyleSheet(connected ? kConnectedStyle : kAbsentStyle);
}

void PanelStatusBar::ShowLinkHint(std::string_view hint) {
  const QString text = QString::fromUtf8(hint.data(), static_cast<int>(hint.size()));
  if (text == linkHint_->toolTip()) return;
  linkHint_->setText(text.isEmpty() ? text : "No permission: udev rule needed");
  linkHint_->setToolTip(text);
  linkHint_->setVisible(!text.isEmpty());
}

void PanelStatusBar::ShowRecording(bool fresh, long elapsedSeconds) {
  const bool recording = elapsedSeconds >= 0;
  recording_->setText(!fresh ? "No reading" : recording ? "Rec" : "");
  recording_->setStyleSheet(fresh ? kRecStyle : kNoReadingStyle);
  recording_->setToolTip(fresh ? QString()
                               : QStringLiteral("No display frame from the meter this second: "
                                                "nothing is recorded or listed"));
  recording_->setVisible(!fresh || recording);
  elapsed_->setText(recording ? ElapsedText(elapsedSeconds) : QString());
  elapsed_->setVisible(recording);
  count_->setVisible(fresh);
  const bool counted = fresh && recording && !count_->text().isEmpty();
  countUnit_->setText(count_->text() == "1" ? "record" : "records");
  countUnit_->setVisible(counted);
}

void PanelStatusBar::ShowNotice(const QString& text) {
  notice_->setText(text);
  noticeTimer_.start(kNoticeMs);
}

QString ElapsedText(long seconds) {
  return QStringLiteral("%1:%2:%3")
      .arg(seconds / 3600)
      .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace orvane
