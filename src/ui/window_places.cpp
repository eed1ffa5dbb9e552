// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_places.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace orvane {

namespace {

QString SizeKey(const QWidget& window) {
  return QStringLiteral("windows/%1/size").arg(window.objectName());
}
constexpr const char* kPanelPosKey = "windows/Panel/pos";

QString PosKey(const QWidget& window) {
  return QStringLiteral("windows/%1/pos").arg(window.objectName());
}

// A window counts as moved by the user once it stands this far from where it was put: a
// window manager that shifts a window by its frame does not move it that far.
constexpr int kMovedBeyond = 48;

// Remembers a window's size (or the panel's place) each time it goes out of sight, and a
// secondary window's place once the user moved it.
class PlaceKeeper final : public QObject {
 public:
  PlaceKeeper(QWidget& window, bool keepPosition)
      : QObject(&window), window_(window), keepPosition_(keepPosition) {
    setObjectName(kName);
  }
  static constexpr const char* kName = "PlaceKeeper";
  void PlacedAt(QPoint client) { placedAt_ = client; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close))
      Remember();
    return false;
  }

 private:
  void Remember() const {
    std::unique_ptr<QSettings> settings = ProgramSettings();
    if (!settings) return;
    if (keepPosition_) {
      settings->setValue(kPanelPosKey, window_.geometry().topLeft());  // the client area
      return;
    }
    settings->setValue(SizeKey(window_), window_.size());
    const QPoint at = window_.geometry().topLeft();
    if (placedAt_ && (at - *placedAt_).manhattanLength() > kMovedBeyond)
      settings->setValue(PosKey(window_), at);
  }
  QWidget& window_;
  bool keepPosition_;
  std::optional<QPoint> placedAt_;  // where the program put a secondary window
};

PlaceKeeper* KeepPlace(QWidget& window, bool keepPosition) {
  if (auto* keeper = window.findChild<PlaceKeeper*>(PlaceKeeper::kName, Qt::FindDirectChildrenOnly))
    return keeper;
  auto* keeper = new PlaceKeeper(window, keepPosition);
  window.installEventFilter(keeper);
  return keeper;
}

QRect AvailableScreen(const QWidget* near, QPoint at) {
  QScreen* screen = QGuiApplication::screenAt(at);
  if (screen == nullptr && near != nullptr) screen = near->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen == nullptr ? QRect() : screen->availableGeometry();
}

// The window frame's margins: the panel's own once it is shown, none before.
QMargins FrameMargins(const QWidget* panel) {
  if (panel == nullptr || !panel->isVisible()) return {};
  const QRect frame = panel->frameGeometry();
  const QRect client = panel->geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

}  // namespace

QRect KeptOnScreen(QRect frame, const QRect& screen) {
  if (screen.isEmpty()) return frame;
  frame.setWidth(std::min(frame.width(), screen.width()));
  frame.setHeight(std::min(frame.height(), screen.height()));
  if (frame.right() > screen.right()) frame.moveRight(screen.right());
  if (frame.bottom() > screen.bottom()) frame.moveBottom(screen.bottom());
  if (frame.left() < screen.left()) frame.moveLeft(screen.left());
  if (frame.top() < screen.top()) frame.moveTop(screen.top());
  return frame;
}

void PlaceBesidePanel(QWidget& window, const QWidget* panel) {
  std::optional<QPoint> movedTo;
  if (std::unique_ptr<QSettings> settings = ProgramSettings()) {
    const QSize size = settings->value(SizeKey(window)).toSize();
    if (size.isValid()) window.resize(size.expandedTo(window.minimumSize()));
    if (settings->contains(PosKey(window))) movedTo = settings->value(PosKey(window)).toPoint();
  }
  PlaceKeeper* keeper = KeepPlace(window, false);
  if (panel != nullptr) panel = panel->window();  // the panel's frame, when it has one
  const QMargins margins = FrameMargins(panel);
  if (movedTo) {  // where the user left it, kept on the screen
    const QRect frame(*movedTo - QPoint(margins.left(), margins.top()),
                      window.size().grownBy(margins));
    window.setGeometry(
        KeptOnScreen(frame, AvailableScreen(panel, *movedTo)).marginsRemoved(margins));
    keeper->PlacedAt(window.geometry().topLeft());
    return;
  }
  if (panel == nullptr) return;
  const QPoint besidePanel(panel->x() + panel->frameGeometry().width(), panel->y());
  QRect wanted(besidePanel, window.size().grownBy(margins));
  const QRect screen = AvailableScreen(panel, panel->pos());
  // Too large for the room right of and below that corner: smaller first, as far as the
  // window's minimum size allows, so that it stays beside the panel; then moved.
  const QSize least = window.minimumSize().grownBy(margins);
  if (!screen.isEmpty()) {
    const int roomRight = screen.right() - wanted.left() + 1;
    const int roomBelow = screen.bottom() - wanted.top() + 1;
    if (wanted.width() > roomRight) wanted.setWidth(std::max(roomRight, least.width()));
    if (wanted.height() > roomBelow) wanted.setHeight(std::max(roomBelow, least.height()));
  }
  const QRect kept = KeptOnScreen(wanted, screen);
  // The client area goes where the frame leaves it: a window that is not shown yet has
  // no frame, and a frame position given before showing it lands on its client area.
  window.setGeometry(kept.marginsRemoved(margins));
  keeper->PlacedAt(window.geometry().topLeft());
}

void RestorePanelPlace(QWidget& panel) {
  KeepPlace(panel, true);
  std::unique_ptr<QSettings> settings = ProgramSettings();
  if (!settings || !settings->contains(kPanelPosKey)) return;
  const QPoint client = settings->value(kPanelPosKey).toPoint();
  const QRect kept = KeptOnScreen(QRect(client, panel.size()), AvailableScreen(nullptr, client));
  panel.setGeometry(kept);
}

}  // namespace orvane
