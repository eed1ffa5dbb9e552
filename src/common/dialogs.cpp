// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/dialogs.h"

namespace orvane {

// An unscripted question gets the answer a user who closes the box gives.
DialogAnswer ScriptedDialogs::Message(const std::string& text, MessageIcon icon,
                                      MessageButtons buttons, const std::string& title) {
  log_.push_back({Asked::Kind::Message, text, title, "", icon, buttons, ""});
  if (answers_.empty())
    return buttons == MessageButtons::Ok ? DialogAnswer::Ok : DialogAnswer::Cancel;
  const DialogAnswer a = answers_.front();
  answers_.pop_front();
  return a;
}

std::string ScriptedDialogs::Input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) {
  log_.push_back(
      {Asked::Kind::Input, prompt, title, defaultText, MessageIcon::None, MessageButtons::Ok, ""});
  if (inputs_.empty()) return "";
  std::string a = std::move(inputs_.front());
  inputs_.pop_front();
  return a;
}

std::optional<std::string> ScriptedDialogs::NextFile(Asked::Kind kind,
                                                     const FileDialogRequest& request) {
  log_.push_back({kind, request.title, "", request.initialPath, MessageIcon::None,
                  MessageButtons::Ok, request.filter});
  if (files_.empty()) return std::nullopt;
  auto a = std::move(files_.front());
  files_.pop_front();
  return a;
}

std::optional<std::string> ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
  return NextFile(Asked::Kind::OpenFile, request);
}

std::optional<std::string> ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
  return NextFile(Asked::Kind::SaveFile, request);
}

}  // namespace orvane
