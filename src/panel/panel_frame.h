// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's window on the desktop: the panel at its designed size inside a frame that
// the user can resize. Where the screen has room for the whole panel the frame opens at
// the panel's size and cannot grow past it; on a smaller screen (a display scale of 2 on
// a 1000-pixel-high screen) it opens as large as the screen allows and the panel scrolls
// inside it, so no key and no part of the status bar is ever out of reach.
//
// The frame carries the panel's caption; closing it closes the panel (which ends the
// program). It does not own the panel.

#include <QScrollArea>

namespace orvane {

class PanelWindow;

class PanelFrame final : public QScrollArea {
 public:
  explicit PanelFrame(PanelWindow& panel);
  ~PanelFrame() override;

  // The size for the screen the frame is on: the panel's whole, as far as the screen's
  // free area (less the window manager's frame, once known) has room.
  QSize FittedSize() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void FollowPanelSize();
  void KeepOnScreen();

  PanelWindow& panel_;
  bool placedOnce_ = false;
  bool framePending_ = false;  // shown, and the window manager's frame not known yet
};

}  // namespace orvane
