// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/answer_file_dialogs.h"

#include <cstdio>
#include <fstream>

namespace orvane {

namespace {

void Tell(const char* kind, std::string text) {
  for (std::size_t at = 0; (at = text.find_first_of("\r\n", at)) != std::string::npos;) {
    const std::size_t end = text.find_first_not_of("\r\n", at);
    text.replace(at, (end == std::string::npos ? text.size() : end) - at, " | ");
    at += 3;
  }
  std::fprintf(stderr, "dialog: %s: %s\n", kind, text.c_str());
  std::fflush(stderr);
}

}  // namespace

bool AnswerFileDialogs::Load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  static const std::pair<const char*, DialogAnswer> kAnswers[] = {{"yes", DialogAnswer::Yes},
                                                                  {"no", DialogAnswer::No},
                                                                  {"ok", DialogAnswer::Ok},
                                                                  {"cancel", DialogAnswer::Cancel}};
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    bool known = false;
    for (const auto& [word, answer] : kAnswers) {
      if (line == word) script_.QueueAnswer(answer), known = true;
    }
    if (line == "file") {
      script_.QueueFile(std::nullopt), known = true;
    } else if (line.rfind("file ", 0) == 0) {
      script_.QueueFile(line.substr(5)), known = true;
    } else if (line.rfind("input ", 0) == 0) {
      script_.QueueInput(line.substr(6)), known = true;
    }
    if (!known) {
      error = path + " line " + std::to_string(number) + ": not an answer: " + line;
      return false;
    }
  }
  return true;
}

DialogAnswer AnswerFileDialogs::Message(const std::string& text, MessageIcon icon,
                                        MessageButtons buttons, const std::string& title) {
  Tell("message", text);
  return script_.Message(text, icon, buttons, title);
}

std::string AnswerFileDialogs::Input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) {
  Tell("input", prompt);
  return script_.Input(prompt, title, defaultText);
}

std::optional<std::string> AnswerFileDialogs::OpenFile(const FileDialogRequest& request) {
  Tell("open", request.initialPath);
  return script_.OpenFile(request);
}

std::optional<std::string> AnswerFileDialogs::SaveFile(const FileDialogRequest& request) {
  Tell("save", request.initialPath);
  return script_.SaveFile(request);
}

}  // namespace orvane
