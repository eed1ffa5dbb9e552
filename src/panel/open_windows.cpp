#include "panel/open_windows.h"

#include <QEvent>

namespace orvane {

bool* OpenWindows::FlagOf(WindowKind kind) {
  switch (kind) {
    case WindowKind::List:
      return &state_.ListShown;
    case WindowKind::Plot:
      return &state_.PlotOpen;
    case WindowKind::Memory:
      return &state_.MemoryShown;
    case WindowKind::Graph:
      return nullptr;  // the graph has no program-wide flag
  }
  return nullptr;
}

void OpenWindows::Follow(WindowKind kind, bool shown) {
  if (bool* flag = FlagOf(kind)) *flag = shown;
}

void OpenWindows::Keep(WindowKind kind, QWidget* window) {
  if (QWidget* before = windows_[Index(kind)]; before != nullptr && before != window) {
    before->removeEventFilter(this);
  }
  windows_[Index(kind)] = window;
  window->installEventFilter(this);
  Follow(kind, window->isVisible());
  connect(window, &QObject::destroyed, this, [this, kind, window] {
    // Only the window still kept decides; one replaced before may go later.
    if (windows_[Index(kind)] == nullptr || windows_[Index(kind)] == window) Follow(kind, false);
  });
}

bool OpenWindows::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Show || type == QEvent::Hide) {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
      // A window minimised by the user is hidden by the window system yet still open.
      if (windows_[i] == watched) Follow(static_cast<WindowKind>(i), windows_[i]->isVisible());
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace orvane
