// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's status bar, below the keypad: the recording (the "Rec" or "No reading"
// mark LblRecording, the file LblFileName, the elapsed time, the record count LblCount),
// a notice that says why a command was refused, and on the right the connection with
// the hint LblLinkHint while the meter is attached but cannot be opened.

#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <string>
#include <string_view>

namespace orvane {

class PanelStatusBar final : public QStatusBar {
  Q_OBJECT

 public:
  explicit PanelStatusBar(QWidget* parent);

  QLabel* LblRecording() const { return recording_; }
  QLabel* LblCount() const { return count_; }
  QLabel* LblFileName() const { return fileName_; }

  // Whether the meter is connected; with several meters attached, which one (`meter`, its
  // serial number or path) of how many (`found`).
  void ShowConnection(bool connected, const std::string& meter = {}, int found = 1);
  // Why an attached meter cannot be opened (empty when there is nothing to say).
  void ShowLinkHint(std::string_view hint);
  // "No reading" while the ticks find no fresh display frame, else "Rec" while recording;
  // the time since the recording started (negative: none runs) beside the file, and the
  // count LblCount as the recording last wrote it.
  void ShowRecording(bool fresh, long elapsedSeconds);
  // Why a command did nothing; it goes after a while or with the next notice.
  void ShowNotice(const QString& text);

  static constexpr int kNoticeMs = 8000;

 private:
  QLabel* Add(const char* name, bool permanent);

  QLabel* recording_;
  QLabel* fileName_;
  QLabel* elapsed_;
  QLabel* count_;
  QLabel* countUnit_;
  QLabel* notice_;
  QLabel* link_;
  QLabel* linkHint_;
  QTimer noticeTimer_;
};

// "h:mm:ss"
QString ElapsedText(long seconds);

}  // namespace orvane
