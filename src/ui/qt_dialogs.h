// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialogs as real Qt dialogs, each parented to the window that asks (the active
// window), else to the panel. An OK / Cancel question has Cancel as its default button.

#include <QWidget>

#include "common/dialogs.h"
#include "common/launcher.h"

namespace orvane {

class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  DialogAnswer Message(const std::string& text, MessageIcon icon, MessageButtons buttons,
                       const std::string& title) override;
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& defaultText) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

  // The window a dialog asked now belongs to.
  QWidget* Owner() const;

 private:
  QWidget* parent_;
};

// Opens a file with the desktop's default application for text, without a shell.
class QtLauncher final : public Launcher {
 public:
  bool OpenInEditor(const std::string& path) override;
};

// "Name (*.a)|*.a|All (*.*)|*.*" → "Name (*.a);;All (*.*)"
QString QtFilter(const std::string& filter);

}  // namespace orvane
