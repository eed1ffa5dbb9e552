// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Launcher that opens nothing and notes each path it was asked to open; it can act
// as if no editor could be started.

#include <string>
#include <vector>

#include "common/launcher.h"

namespace orvane {

class LauncherSpy final : public Launcher {
 public:
  bool OpenInEditor(const std::string& path) override {
    opened.push_back(path);
    return editorFound;
  }
  std::vector<std::string> opened;
  bool editorFound = true;  // false: as on a desktop without any text editor
};

}  // namespace orvane
