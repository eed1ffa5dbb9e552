// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opens a file in the user's text editor without waiting (never through a shell).

#include <string>

namespace orvane {

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Returns false when no editor could be started.
  virtual bool OpenInEditor(const std::string& path) = 0;
};

}  // namespace orvane
