// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The secondary windows the panel has open, at most one of each kind: the one owner of
// "is it open". ListShown, PlotOpen and MemoryShown are read from the windows
// themselves, so no flag can disagree with the screen.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>

namespace orvane {

enum class WindowKind { List, Graph, Plot, Memory };

class OpenWindows final : public QObject {
 public:
  // Keeps `window` as the open window of its kind (a window kept before is no longer
  // followed).
  void Keep(WindowKind kind, QWidget* window) { windows_[Index(kind)] = window; }

  // The window of `kind` while it exists (a window closed with delete-on-close is gone).
  template <typename W>
  W* Get(WindowKind kind) const {
    return qobject_cast<W*>(windows_[Index(kind)].data());
  }
  // The window of `kind` while it is shown (not one closed and waiting for deletion; a
  // window the user minimised is still shown).
  template <typename W = QWidget>
  W* Shown(WindowKind kind) const {
    W* window = Get<W>(kind);
    return window != nullptr && window->isVisible() ? window : nullptr;
  }

  bool ListShown() const { return Shown(WindowKind::List) != nullptr; }
  bool PlotOpen() const { return Shown(WindowKind::Plot) != nullptr; }
  bool MemoryShown() const { return Shown(WindowKind::Memory) != nullptr; }

 private:
  static constexpr std::size_t Index(WindowKind kind) { return static_cast<std::size_t>(kind); }

  std::array<QPointer<QWidget>, 4> windows_;
};

}  // namespace orvane
