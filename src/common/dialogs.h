// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialogs the program asks its user: message box, input box, open and save file
// dialogs. The windows use the Qt implementation; tests answer from a script.

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

enum class MessageIcon { None, Critical, Exclamation, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class DialogAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
  std::string title;
  std::string filter;       // e.g. "Light Meter Files (*.lms)|*.lms|All Files (*.*)|*.*"
  std::string initialPath;  // folder or file name the dialog starts with
  std::string defaultExtension;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual DialogAnswer Message(const std::string& text, MessageIcon icon, MessageButtons buttons,
                               const std::string& title) = 0;
  // The typed text; an empty text when the box is cancelled.
  virtual std::string Input(const std::string& prompt, const std::string& title,
                            const std::string& defaultText) = 0;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
};

// Answers from queues and records every question with its exact texts.
class ScriptedDialogs final : public Dialogs {
 public:
  struct Asked {
    enum class Kind { Message, Input, OpenFile, SaveFile } kind;
    std::string text;   // message text, prompt, or dialog title
    std::string title;  // message/input title
    std::string defaultText;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    std::string filter;  // a file dialog's filter
  };

  void QueueAnswer(DialogAnswer a) { answers_.push_back(a); }
  void QueueInput(std::string text) { inputs_.push_back(std::move(text)); }
  void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

  DialogAnswer Message(const std::string& text, MessageIcon icon, MessageButtons buttons,
                       const std::string& title) override;
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& defaultText) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

  const std::vector<Asked>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // Answers queued but never asked for.
  std::size_t Unused() const { return answers_.size() + inputs_.size() + files_.size(); }

 private:
  // The next scripted file answer, the question logged as `kind`.
  std::optional<std::string> NextFile(Asked::Kind kind, const FileDialogRequest& request);

  std::deque<DialogAnswer> answers_;
  std::deque<std::string> inputs_;
  std::deque<std::optional<std::string>> files_;
  std::vector<Asked> log_;
};

}  // namespace orvane
