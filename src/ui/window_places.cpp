#include "ui/window_places.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace orvane {

namespace {

QString SizeKey(const QWidget& window) {
  return QStringLiteral("windows/%1/size").arg(window.objectName());
}
constexpr const char* kPanelPosKey = "windows/Panel/pos";

// Remembers a window's size (or the panel's place) each time it goes out of sight.
class PlaceKeeper final : public QObject {
 public:
  PlaceKeeper(QWidget& window, bool keepPosition)
      : QObject(&window), window_(window), keepPosition_(keepPosition) {
    setObjectName(kName);
  }
  static constexpr const char* kName = "PlaceKeeper";

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
    } else {
      settings->setValue(SizeKey(window_), window_.size());
    }
  }
  QWidget& window_;
  bool keepPosition_;
};

void KeepPlace(QWidget& window, bool keepPosition) {
  if (window.findChild<QObject*>(PlaceKeeper::kName, Qt::FindDirectChildrenOnly) != nullptr) return;
  window.installEventFilter(new PlaceKeeper(window, keepPosition));
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
  if (std::unique_ptr<QSettings> settings = ProgramSettings()) {
    const QSize size = settings->value(SizeKey(window)).toSize();
    if (size.isValid()) window.resize(size.expandedTo(window.minimumSize()));
  }
  KeepPlace(window, false);
  if (panel == nullptr) return;
  const QMargins margins = FrameMargins(panel);
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
