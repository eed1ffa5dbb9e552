#pragma once
// The secondary windows the panel has open, at most one of each kind, and the one place
// that keeps the program-wide "is it open" flags: ListShown, PlotOpen and MemoryShown
// follow whether the window of their kind is shown, and are written nowhere else while
// the program runs.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>

#include "common/program_state.h"

namespace orvane {

enum class WindowKind { List, Graph, Plot, Memory };

class OpenWindows final : public QObject {
 public:
  explicit OpenWindows(ProgramState& state) : state_(state) {}

  // Keeps `window` as the open window of its kind (a window kept before is no longer
  // followed). The window's flag is set when it is shown and cleared when it is hidden
  // or destroyed.
  void Keep(WindowKind kind, QWidget* window);

  // The window of `kind` while it exists (a window closed with delete-on-close is gone).
  template <typename W>
  W* Get(WindowKind kind) const {
    return qobject_cast<W*>(windows_[Index(kind)].data());
  }
  // The window of `kind` while it is shown (not one closed and waiting for deletion).
  template <typename W>
  W* Shown(WindowKind kind) const {
    W* window = Get<W>(kind);
    return window != nullptr && window->isVisible() ? window : nullptr;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static constexpr std::size_t Index(WindowKind kind) { return static_cast<std::size_t>(kind); }
  bool* FlagOf(WindowKind kind);
  void Follow(WindowKind kind, bool shown);

  ProgramState& state_;
  std::array<QPointer<QWidget>, 4> windows_;
};

}  // namespace orvane
