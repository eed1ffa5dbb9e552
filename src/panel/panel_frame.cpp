// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/panel_frame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "panel/panel_window.h"

namespace orvane {

namespace {

// Room kept for the window manager's title bar and borders before the frame is shown.
constexpr int kDecorationGuess = 40;
constexpr QSize kSmallest(240, 180);

}  // namespace

PanelFrame::PanelFrame(PanelWindow& panel) : panel_(panel) {
  setObjectName("PanelFrame");
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(false);
  setAlignment(Qt::AlignCenter);
  setPalette(panel.palette());  // the meter's housing around a panel that is smaller
  setBackgroundRole(QPalette::Window);
  setWidget(&panel);
  // The panel keeps the focus it takes at start (no key wears the focus ring until Tab).
  setFocusPolicy(Qt::NoFocus);
  panel.setFocus(Qt::OtherFocusReason);
  panel.installEventFilter(this);
  setWindowTitle(panel.windowTitle());
  connect(&panel, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
  setMinimumSize(kSmallest);
  FollowPanelSize();
  resize(FittedSize());
}

// The panel belongs to whoever made it: it leaves the frame before the frame goes.
PanelFrame::~PanelFrame() {
  panel_.removeEventFilter(this);
  takeWidget();
}

QSize PanelFrame::FittedSize() const {
  QSize want = panel_.size();
  const QScreen* screen =
      this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return want;
  QSize room = screen->availableGeometry().size();
  // The window manager's frame once it is known; a guess before (also while a frame
  // just shown has not been framed yet).
  const QSize decoration = frameGeometry().size() - geometry().size();
  room -= decoration.height() > 0 ? decoration : QSize(0, kDecorationGuess);
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  // A panel taller than the room scrolls: its scroll bar takes width of its own.
  if (want.height() > room.height()) want.rwidth() += bar;
  if (want.width() > room.width()) want.rheight() += bar;
  return want.boundedTo(room).expandedTo(kSmallest);
}

// Never larger than the panel (plus a scroll bar's room while one shows).
void PanelFrame::FollowPanelSize() {
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  setMaximumSize(panel_.size() + QSize(bar, bar));
}

bool PanelFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &panel_ && event->type() == QEvent::Resize) {
    FollowPanelSize();
    // A frame that showed the whole panel keeps showing it whole (the tool bar's text
    // labels make the panel taller), as far as the screen has room.
    if (!verticalScrollBar()->isVisible() && !horizontalScrollBar()->isVisible())
      resize(FittedSize());
  }
  return QScrollArea::eventFilter(watched, event);
}

void PanelFrame::showEvent(QShowEvent* event) {
  QScrollArea::showEvent(event);
  if (placedOnce_) return;
  placedOnce_ = true;
  framePending_ = true;
  QTimer::singleShot(0, this, &PanelFrame::KeepOnScreen);
}

// Once the window manager has framed the window (it moves the window into its frame):
// the frame's true size kept on the screen.
void PanelFrame::moveEvent(QMoveEvent* event) {
  QScrollArea::moveEvent(event);
  if (!framePending_ || frameGeometry().size() == geometry().size()) return;
  framePending_ = false;
  KeepOnScreen();
}

void PanelFrame::KeepOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  resize(size().boundedTo(FittedSize()));
  QRect frame = frameGeometry();
  if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
  if (frame.right() > area.right()) frame.moveRight(area.right());
  frame.moveLeft(std::max(frame.left(), area.left()));
  frame.moveTop(std::max(frame.top(), area.top()));
  if (frame.topLeft() != frameGeometry().topLeft()) move(frame.topLeft());
}

// Closing the window closes the panel, which finishes a recording and ends the program.
void PanelFrame::closeEvent(QCloseEvent* event) {
  if (widget() != nullptr && !widget()->close()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace orvane
