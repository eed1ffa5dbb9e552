#pragma once
// A Launcher that opens nothing and notes each path it was asked to open.

#include <string>
#include <vector>

#include "common/launcher.h"

namespace orvane {

class LauncherSpy final : public Launcher {
 public:
  bool OpenInEditor(const std::string& path) override {
    opened.push_back(path);
    return true;
  }
  std::vector<std::string> opened;
};

}  // namespace orvane
