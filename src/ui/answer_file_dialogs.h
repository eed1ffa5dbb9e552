// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialogs answered from a file instead of shown: the hook that lets tests and scripts
// drive the real program headless (`orvane --answers-from FILE`). One answer per line,
// taken in order: "yes", "no", "ok", "cancel" for message boxes, "file PATH" for a file
// dialog ("file" alone cancels it), "input TEXT" for an input box; blank lines and lines
// starting with "#" are skipped. A question without an answer left is cancelled. Every
// question is printed to standard error as "dialog: <kind>: <text>", line ends as " | ".

#include <string>

#include "common/dialogs.h"

namespace orvane {

class AnswerFileDialogs final : public Dialogs {
 public:
  // False when the file cannot be read or holds a line it does not understand.
  bool Load(const std::string& path, std::string& error);

  DialogAnswer Message(const std::string& text, MessageIcon icon, MessageButtons buttons,
                       const std::string& title) override;
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& defaultText) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

 private:
  ScriptedDialogs script_;
};

}  // namespace orvane
