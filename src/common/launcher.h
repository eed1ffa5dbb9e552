#pragma once
// Opens a file in the user's text editor without waiting (never through a shell).

#include <string>
#include <vector>

namespace orvane {

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Returns false when no editor could be started.
  virtual bool OpenInEditor(const std::string& path) = 0;
};

// Records the paths it was asked to open: for tests and headless runs.
class RecordingLauncher final : public Launcher {
 public:
  bool OpenInEditor(const std::string& path) override {
    opened.push_back(path);
    return true;
  }
  std::vector<std::string> opened;
};

}  // namespace orvane
