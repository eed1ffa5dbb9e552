// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder used last, kept in the user's settings (QSettings) between runs.

#include <QSettings>
#include <QString>
#include <string>

#include "recording/user_files.h"

namespace orvane {

class SettingsFolderMemory final : public FolderMemory {
 public:
  // The settings are the caller's: the program passes the user's, tests one of their own.
  explicit SettingsFolderMemory(QSettings& settings) : settings_(settings) {}
  std::string LastFolder() const override;
  void RememberFolder(const std::string& folder) override;

 private:
  QSettings& settings_;
};

// The user's documents folder and home folder, as the desktop names them.
std::string DocumentsFolder();
std::string HomeFolder();

}  // namespace orvane
